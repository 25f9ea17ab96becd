// SPDX-License-Identifier: GPL-3.0-or-later
// The packs of the level scenery: a style pack for each background picture set, the panel
// pack that frames the playfield, and a pack per level for the pictures of its effect. The
// game's background set-up loads these rows in this order and the data builder writes them,
// so the n-th row is always the n-th entry of its pack.
#pragma once

#include <string>
#include <vector>

#include "assets/catalogue.h"

// The style of a level's background; "black" for a level without scenery of its own.
std::string LevelStyle(int level);

// "packs/" + the level number with at least four digits (3 gives "packs/0003.pak").
std::string LevelPackName(int level);

// "packs/<style>.pak": the background picture, sprite obj::background.
CataloguePack StylePack(const std::string& style);
// "packs/panel.pak": the top, left and right panels.
const CataloguePack& PanelPack();
// The pictures the level's effect loads from its own pack; no rows when it loads none.
CataloguePack LevelPack(int level);

// The eight styles, in the order the data builder writes them.
const std::vector<std::string>& StyleNames();
// The levels whose scenery differs from plain "black".
const std::vector<int>& SceneryLevels();

// Every scenery pack that has rows: the styles, the panels, then the levels' packs.
const std::vector<CataloguePack>& SceneryCatalogue();
