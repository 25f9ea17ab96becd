// SPDX-License-Identifier: GPL-3.0-or-later
// The asset catalogue: one ordered table of every picture and sound, pack by pack. The game's
// loader walks it to make the objects and the data builder walks it to write the packs, so the
// n-th row is always the n-th entry of its pack.
#pragma once

#include <string>
#include <vector>

enum class LoaderKind { image, sprite, texture, opaqueTexture, rotatable, sound };

struct CatalogueRow {
  LoaderKind loader;
  int object;
  std::string fileName;    // as the game names it (also the builder's picture or sound name)
  int transparentColour;   // colour key set after loading, -1 for none
};

struct CataloguePack {
  std::string packName;    // relative to the working directory
  std::vector<CatalogueRow> rows;
};

// The main catalogue: "packs/maingfx.pak" then "packs/sounds.pak".
const std::vector<CataloguePack>& MainCatalogue();

constexpr const char* mainPackName = "packs/maingfx.pak";
constexpr const char* soundPackName = "packs/sounds.pak";
// The same pack with its pictures drawn at twice their size, for a sharp display: the pack of
// "packs/NAME" is "packs2x/NAME", entry for entry in the same order (a one-byte stand-in for a
// sound or an image, the normal picture where the drawing has no larger form).
constexpr const char* packFolder = "packs/";
constexpr const char* detailPackFolder = "packs2x/";
std::string DetailPackName(const std::string& packName);
