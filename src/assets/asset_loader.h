// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the catalogue's pictures and sounds from the packs: the n-th load call takes the n-th
// entry of the current pack. A pack or entry that cannot be loaded is fatal, naming the pack or
// the file that was expected.
#pragma once

#include <string>

#include "assets/catalogue.h"
#include "media/list.h"
#include "media/media.h"

// The pack the loaders read from; switching closes the open pack so the next loader opens it. On
// a screen drawn at 1.5 or more, the pictures loaded from the pack being left get their pictures
// drawn at twice the size from its detail pack first (quietly none when it is missing or short).
void SwitchPack(const std::string& packName);
const std::string& CurrentPackName();
int PackEntriesLoaded();

void LoadPackedImage(int object, const std::string& fileName);
void LoadPackedSprite(int object, const std::string& fileName);
void LoadPackedTexture(int object, const std::string& fileName);
void LoadPackedOpaqueTexture(int object, const std::string& fileName);
void LoadPackedSound(int object, const std::string& fileName);

// A quad's corners with the point it turns about (the chaingun turns about its mount).
struct RotationRecord {
  QuadCorners corners;
  float pivotX;
  float pivotY;
};
RotationRecord LoadPackedRotatable(int object, const std::string& fileName);
// The chaingun's rotation record, made by LoadAssets.
RotationRecord& ChaingunRotation();

// Per-level pictures: loaded like the ones above (their detail too) and recorded in the level
// resource list.
void LoadLevelSprite(int object, const std::string& fileName);
void LoadLevelTexture(int object, const std::string& fileName);
void LoadLevelOpaqueTexture(int object, const std::string& fileName);

struct LevelResource {
  int kind;    // obj::resourcePlainSprite or obj::resourceQuadSprite
  int object;
};
List<LevelResource>& LevelResources();
void AddLevelResource(int kind, int object);
// Frees every picture of the list and empties it; a picture that is already gone is skipped.
void ReleaseLevelResources();
// Forgets the list without freeing (the screen was rebuilt and everything is reloaded).
void ClearLevelResources();

// Loads every row of a catalogue pack into its objects (a rotatable row also makes the chaingun's
// rotation record), then makes the main pack current again, which closes this one. Fatal, naming
// the pack or the file, when something cannot be loaded. The one loop for every pack.
void LoadCataloguePack(const CataloguePack& pack);

// Loads the whole main catalogue, replacing the objects with the same numbers.
void LoadAssets();

// A screen turned sharp (drawn at 1.5 or more) after the pictures were loaded: each picture still
// loaded gets its picture drawn at twice the size from the detail pack of the pack it came from.
// Quietly nothing for a missing detail pack, on a screen that is not sharp, or in the middle of
// loading a pack.
void AddDetailToLoadedPictures();

// The loader as at start-up: the main pack current and closed, no level picture recorded, no
// chaingun rotation. The game record's reset calls it.
void ResetAssetLoader();
