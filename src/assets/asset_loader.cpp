// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/asset_loader.h"

#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "media/fatal_error.h"

namespace {

std::string currentPackName = mainPackName;
int packEntriesLoaded = 0;
List<LevelResource> levelResources;
RotationRecord chaingunRotation{};

constexpr float chaingunPivotX = 64;
constexpr float chaingunPivotY = 96;

// Opens the current pack on its first use and hands out its next entry.
const uint8_t* NextEntry(const std::string& fileName) {
  if (packEntriesLoaded == 0 && !OpenPackFile(currentPackName)) {
    FatalError(currentPackName + " loading problem");
  }
  const uint8_t* entry = ReadNextEntry();
  if (!entry) FatalError(fileName + " loading problem");
  return entry;
}

std::size_t EntrySize() { return static_cast<std::size_t>(LastEntrySize()); }

void LoadSpriteWithFlags(int object, const std::string& fileName, int flags) {
  const uint8_t* entry = NextEntry(fileName);
  if (!CatchSprite(object, entry, EntrySize(), flags)) FatalError(fileName + " loading problem");
  ++packEntriesLoaded;
  if (flags & spriteTexture) CreateSprite3D(object, object);
}

// On a screen drawn at 1.5 or more, the pack's pictures drawn at twice their size give the loaded
// sprites their detail. A missing, short or damaged pack of them leaves the sprites as loaded.
void AddPackDetail(const CataloguePack& pack) {
  if (!WantsDetailedPictures()) return;
  const std::string name = DetailPackName(pack.packName);
  if (!FileExists(name)) return;
  ClosePackFile();
  if (!OpenPackFile(name)) return;
  for (const CatalogueRow& row : pack.rows) {
    const uint8_t* entry = ReadNextEntry();
    if (!entry) break;
    const bool picture = row.loader != LoaderKind::sound && row.loader != LoaderKind::image;
    if (picture) AddSpriteDetail(row.object, entry, EntrySize());
  }
  ClosePackFile();
}

}  // namespace

void SwitchPack(const std::string& packName) {
  currentPackName = packName;
  packEntriesLoaded = 0;
  ClosePackFile();
}

const std::string& CurrentPackName() { return currentPackName; }
int PackEntriesLoaded() { return packEntriesLoaded; }

void LoadPackedImage(int object, const std::string& fileName) {
  const uint8_t* entry = NextEntry(fileName);
  if (!CatchImage(object, entry, EntrySize())) FatalError(fileName + " loading problem");
  ++packEntriesLoaded;
}

void LoadPackedSprite(int object, const std::string& fileName) {
  LoadSpriteWithFlags(object, fileName, 0);
}

void LoadPackedTexture(int object, const std::string& fileName) {
  LoadSpriteWithFlags(object, fileName, spriteTexture | spriteAlpha);
}

void LoadPackedOpaqueTexture(int object, const std::string& fileName) {
  LoadSpriteWithFlags(object, fileName, spriteTexture);
}

void LoadPackedSound(int object, const std::string& fileName) {
  const uint8_t* entry = NextEntry(fileName);
  if (!CatchSound(object, entry, EntrySize())) FatalError(fileName + " loading problem");
  ++packEntriesLoaded;
}

RotationRecord LoadPackedRotatable(int object, const std::string& fileName) {
  LoadPackedTexture(object, fileName);
  return RotationRecord{Sprite3DCorners(object), 0, 0};
}

RotationRecord& ChaingunRotation() { return chaingunRotation; }

void LoadLevelSprite(int object, const std::string& fileName) {
  LoadPackedSprite(object, fileName);
  AddLevelResource(obj::resourcePlainSprite, object);
}

void LoadLevelTexture(int object, const std::string& fileName) {
  LoadPackedTexture(object, fileName);
  AddLevelResource(obj::resourceQuadSprite, object);
}

void LoadLevelOpaqueTexture(int object, const std::string& fileName) {
  LoadPackedOpaqueTexture(object, fileName);
  AddLevelResource(obj::resourceQuadSprite, object);
}

List<LevelResource>& LevelResources() { return levelResources; }

void AddLevelResource(int kind, int object) {
  levelResources.Append() = LevelResource{kind, object};
}

void ReleaseLevelResources() {
  for (const LevelResource& resource : levelResources) {
    // Freeing a number that holds nothing is harmless.
    if (resource.kind == obj::resourceQuadSprite) FreeSprite3D(resource.object);
    FreeSprite(resource.object);
  }
  levelResources.Clear();
}

void ClearLevelResources() { levelResources.Clear(); }

void ResetAssetLoader() {
  SwitchPack(mainPackName);
  levelResources.Clear();
  chaingunRotation = RotationRecord{};
}

void LoadCataloguePack(const CataloguePack& pack) {
  SwitchPack(pack.packName);
  for (const CatalogueRow& row : pack.rows) {
    switch (row.loader) {
      case LoaderKind::image: LoadPackedImage(row.object, row.fileName); break;
      case LoaderKind::sprite: LoadPackedSprite(row.object, row.fileName); break;
      case LoaderKind::texture: LoadPackedTexture(row.object, row.fileName); break;
      case LoaderKind::opaqueTexture: LoadPackedOpaqueTexture(row.object, row.fileName); break;
      case LoaderKind::sound: LoadPackedSound(row.object, row.fileName); break;
      case LoaderKind::rotatable:
        chaingunRotation = LoadPackedRotatable(row.object, row.fileName);
        chaingunRotation.pivotX = chaingunPivotX;
        chaingunRotation.pivotY = chaingunPivotY;
        break;
    }
    if (row.transparentColour != -1) TransparentSpriteColor(row.object, row.transparentColour);
  }
  AddPackDetail(pack);
  // Back to the main pack, which closes this one (the sound pack too, once its last entry is read).
  SwitchPack(mainPackName);
}

void LoadAssets() {
  for (const CataloguePack& pack : MainCatalogue()) LoadCataloguePack(pack);
}
