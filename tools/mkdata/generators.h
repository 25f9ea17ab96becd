// SPDX-License-Identifier: GPL-3.0-or-later
// The data builder's generators: every picture and sound of the catalogue is made here from
// code, by its catalogue file name.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

// The size pictures are drawn at on this thread: 1, or 2 for the packs of a sharp display. At 2 a
// new picture (NewPicture, PaintOpaque, PaintWithAlpha) has twice the pixels each way and a
// device scale of 2, so vector drawing in the picture's own coordinates comes out finer.
void SetPictureDetail(int detail);
int PictureDetail();

// Picture generators. Each returns a new ARGB32 surface (premultiplied, as Cairo keeps it) for
// the pictures it draws, or nullptr for a name it does not know. The caller destroys it.
// Bricks, capsules, balls, ship, glyphs, panels, pointer, halo, flares and small images.
cairo_surface_t* DrawArenaPicture(const std::string& fileName);
// Explosions, monsters, missile and its parts, chaingun parts, fil, laser and lightning.
cairo_surface_t* DrawWeaponPicture(const std::string& fileName);
// The desktop's 256 x 256 icon of the game, written beside the game's data for installing.
constexpr const char* desktopIconFile = "icons/kaldovirent.png";
// The main menu's pictures, the pause picture "gfx/gamepaused.png" and the desktop icon.
cairo_surface_t* DrawMenuPicture(const std::string& fileName);
// The level scenery: backgrounds, panels, effect pictures and the guardian.
cairo_surface_t* DrawSceneryPicture(const std::string& fileName);
// The credits screen's title.
cairo_surface_t* DrawCreditsPicture(const std::string& fileName);
// The falling-blocks game's tiles, backgrounds, flash, light and relief maps ("MiniGames/Tetris/").
cairo_surface_t* DrawTetrisPicture(const std::string& fileName);

// The console's side games: the shooting gallery (names under "MiniGames\canards\") and the
// sweets sky (names under "MiniGames\sugar\").
cairo_surface_t* DrawDuckPicture(const std::string& fileName);
cairo_surface_t* DrawSweetsPicture(const std::string& fileName);

// Encodes a surface in the format the file name's extension says: .png (with alpha), .jpg
// (opaque) or .tif (with alpha). Deterministic: the same surface gives the same bytes.
std::vector<uint8_t> EncodePicture(cairo_surface_t* surface, const std::string& fileName);

// Sound generators: a mono 16-bit 22050 Hz WAV for "sfx/*.wav", the Ogg Vorbis music for
// "sfx/kolt3.ogg", "GFX\\Credits\\creditskaldovirent.ogg" and the falling-blocks game's
// "MiniGames/Tetris/koltl01a.ogg". False for a name it does not know.
bool MakeSound(const std::string& fileName, std::vector<uint8_t>& encoded);
