// The pack of the duck shoot: its pictures in pack order, every one a textured picture with its
// alpha. The console's side game loads it when it starts; the data builder writes it beside the
// main packs.
#pragma once

#include "assets/catalogue.h"

constexpr const char* duckPackName = "packs/ducks.pak";

const CataloguePack& DuckCatalogue();
