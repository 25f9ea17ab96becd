// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue of the falling-blocks game the console starts: its own pack, loaded when the
// game starts and built by the data builder like the main packs.
#pragma once

#include "assets/catalogue.h"

constexpr const char* tetrisPackName = "packs/tetris.pak";

const CataloguePack& TetrisCatalogue();
