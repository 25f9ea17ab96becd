// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's pack: its pictures and its intro sound, in the order the menu loads them, and the
// pause picture that the game reads as a plain file.
#pragma once

#include "assets/catalogue.h"

constexpr const char* menuPackName = "packs/menu.pak";
// Read from the game's directory at every pause (backslashes open with forward slashes).
constexpr const char* pausePictureFile = "gfx\\gamepaused.png";

// Pictures are plain sprites shown with the black colour key, except the background (shown
// opaque) and the quads' pictures (usable as textures, with their own alpha).
const CataloguePack& MenuCatalogue();
