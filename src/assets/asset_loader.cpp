// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/asset_loader.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "media/fatal_error.h"

namespace {

std::string currentPackName = mainPackName;
int packEntriesLoaded = 0;
List<LevelResource> levelResources;
RotationRecord chaingunRotation{};
// The pictures loaded from the current pack that wait for their pictures drawn at twice the size:
// entry numbers rising, each with its sprite. SwitchPack adds them before it closes the pack.
struct PendingDetail {
  int entry;
  int object;
};
List<PendingDetail> pendingDetails;
// Where each picture now loaded came from, so that a screen turned sharp later can give it its
// detail: the pack and the entry.
struct PictureSource {
  std::string packName;
  int entry;
};
std::map<int, PictureSource> pictureSources;

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

// The picture just read from the pack (detail 1) or its detail pack (detail 2) can be read there
// again, so the sprite need not keep its pixels.
void NoteOrigin(int object, const std::string& packName, int detail) {
  SetSpriteOrigin(object, PictureOrigin{ReadPackEntryAt, packName, LastEntryInfo().fileOffset}, detail);
}

// On a screen drawn at 1.5 or more, the pictures loaded from the current pack get their detail
// from the same entries of its detail pack, read in one pass; a missing, short or damaged detail
// pack leaves them as loaded. The normal pack is closed by then: SwitchPack opens the next afresh.
void AddPendingDetail() {
  if (pendingDetails.Count() == 0) return;
  const std::string name = DetailPackName(currentPackName);
  ClosePackFile();
  if (FileExists(name) && OpenPackFile(name)) {
    int read = 0;
    const uint8_t* entry = nullptr;
    for (const PendingDetail& pending : pendingDetails) {
      while (read <= pending.entry && (entry = ReadNextEntry()) != nullptr) ++read;
      if (read <= pending.entry) break;
      if (AddSpriteDetail(pending.object, entry, EntrySize())) NoteOrigin(pending.object, name, 2);
    }
    ClosePackFile();
  }
  pendingDetails.Clear();
}

// A picture just loaded (the last entry read) waits for its detail on a sharp screen.
void NoteDetail(int object) {
  if (WantsDetailedPictures()) pendingDetails.Append() = PendingDetail{packEntriesLoaded - 1, object};
}

void LoadSpriteWithFlags(int object, const std::string& fileName, int flags) {
  const uint8_t* entry = NextEntry(fileName);
  if (!CatchSprite(object, entry, EntrySize(), flags)) FatalError(fileName + " loading problem");
  NoteOrigin(object, currentPackName, 1);
  pictureSources[object] = PictureSource{currentPackName, packEntriesLoaded};
  ++packEntriesLoaded;
  NoteDetail(object);
  if (flags & spriteTexture) CreateSprite3D(object, object);
}

}  // namespace

void SwitchPack(const std::string& packName) {
  AddPendingDetail();
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
    pictureSources.erase(resource.object);
  }
  levelResources.Clear();
}

void ClearLevelResources() { levelResources.Clear(); }

void ResetAssetLoader() {
  pendingDetails.Clear();
  pictureSources.clear();
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
  // Back to the main pack, which gives the pictures their detail first, which closes this one (the sound pack too, once its last entry is read).
  SwitchPack(mainPackName);
}

void LoadAssets() {
  for (const CataloguePack& pack : MainCatalogue()) LoadCataloguePack(pack);
}

void AddDetailToLoadedPictures() {
  // Not in the middle of a pack: its reader is the one used here.
  if (!WantsDetailedPictures() || packEntriesLoaded > 0 || pendingDetails.Count() > 0) return;
  std::map<std::string, std::vector<std::pair<int, int>>> byPack;  // entries and sprites, by pack
  for (const auto& [object, source] : pictureSources) byPack[source.packName].emplace_back(source.entry, object);
  for (auto& [packName, pictures] : byPack) {
    const std::string name = DetailPackName(packName);
    if (!FileExists(name) || !OpenPackFile(name)) continue;
    std::sort(pictures.begin(), pictures.end());
    int read = 0;
    const uint8_t* entry = nullptr;
    for (const auto& [wanted, object] : pictures) {
      while (read <= wanted && (entry = ReadNextEntry()) != nullptr) ++read;
      if (read <= wanted) break;
      if (AddSpriteDetail(object, entry, EntrySize())) NoteOrigin(object, name, 2);
    }
    ClosePackFile();
  }
}
