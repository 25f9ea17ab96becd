// SPDX-License-Identifier: GPL-3.0-or-later
// The data build: every row of the catalogue made by its generator, the packs written in
// catalogue order, the font put in place; and the review helpers (contact sheet, sound files).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/catalogue.h"

// Makes a folder and its parents; false, with the folder's name and the system's reason, when
// it cannot be made. An empty path is the working folder, which is there.
bool MakeFolder(const std::filesystem::path& folder, std::string& error);

// Every pack of the game: the main catalogue, the menu's, the credits', then the scenery's.
const std::vector<CataloguePack>& AllPacks();

// Makes the bytes of one catalogue row: a picture drawn and encoded, or a sound synthesised.
// False, with a message naming the file, when no generator makes it.
bool MakeAsset(const CatalogueRow& row, std::vector<uint8_t>& bytes, std::string& error);

// The largest mean difference of a channel (0 to 255) between a picture and the same picture
// drawn at twice the size brought down, for the larger one to go into the packs of a sharp
// display: vector drawing differs by its antialiasing, a generator that paints whole pixels of
// the normal size by far more.
constexpr double detailTolerance = 4.0;

// Makes the entry of a catalogue row for the packs of a sharp display (DetailPackName): the
// picture drawn at twice its size when it is the same picture (detailed), else the normal one; a
// one-byte stand-in for a sound or an image. False when the picture cannot be drawn.
bool MakeDetailedAsset(const CatalogueRow& row, std::vector<uint8_t>& bytes, bool& detailed);

struct BuildSummary {
  int pictures = 0;
  int detailedPictures = 0;  // drawn at twice the size for the packs of a sharp display
  int sounds = 0;
  double seconds = 0.0;      // the whole build
  double makeSeconds = 0.0;  // drawing and synthesis, before the packs are written
  std::vector<uint64_t> packBytes;  // size of each written pack
  std::vector<uint64_t> detailPackBytes;  // size of each pack of a sharp display
};

// Makes every row on `jobs` threads (0: one per core) and writes each pack to
// gameDir/packName. The bytes do not depend on the number of threads.
bool BuildPacks(const std::vector<CataloguePack>& packs, const std::string& gameDir, int jobs,
                BuildSummary& summary, std::string& error);

// The same packs, as a list of its own.
std::vector<CataloguePack> GamePacks();

// Draws one picture and writes it as a plain file gameDir/fileName (the game's name, backslashes
// as folder separators): the pause picture is read from the game's directory, not from a pack.
bool WritePlainPicture(const std::string& fileName, const std::string& gameDir, std::string& error);

// Copies the font file to gameDir as DESIB___.otf (designerBlockFile), the file the game registers.
bool PlaceFont(const std::string& fontFile, const std::string& gameDir, std::string& error);

// Decodes a PNG, JPEG or TIFF held in memory (chosen from its first bytes) into a new ARGB32
// surface, or nullptr. The caller destroys it.
cairo_surface_t* DecodePicture(const uint8_t* data, std::size_t size);

// Draws the pictures of a pack in a grid, each with its object number (from the catalogue pack
// of the same file name), and writes the sheet as PNG. Entries first .. first + count - 1 only
// (count < 0: all). Given the pack's detail pack, each picture stands beside the same entry drawn
// at twice its size, both shown at one size, the normal-size stand-ins marked.
bool WriteContactSheet(const std::string& packPath, const std::string& outPng, int first, int count,
                       std::string& error, const std::string& detailPackPath = "");

// A sheet of every pack that holds pictures (AllPacks), each written as outDir/<pack name>.png,
// with both sizes side by side where the pack's detail pack is there.
bool WriteAllContactSheets(const std::string& gameDir, const std::string& outDir, std::string& error);

// Writes every sound of the catalogue into a folder, named as in the catalogue without "sfx/".
bool WriteSounds(const std::string& dir, std::string& error);
