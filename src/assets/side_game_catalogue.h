// SPDX-License-Identifier: GPL-3.0-or-later
// The packs of the duck shoot and the sweets game: their pictures in pack order, every one a
// textured picture with its alpha. The console's side games load them when they start; the data
// builder writes them beside the main packs.
#pragma once

#include "assets/catalogue.h"

constexpr const char* duckPackName = "packs/ducks.pak";
constexpr const char* sugarPackName = "packs/sugar.pak";

const CataloguePack& DuckCatalogue();
const CataloguePack& SugarCatalogue();
