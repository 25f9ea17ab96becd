// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures only ever drawn let their pixels go once their textures are made: each is checked
// against its twin, the same pack entry caught without a place to be read again from, which
// keeps its pixels. Drawn, read, drawn into, given another colour key, made again for a new
// screen or scale, the two stay pixel for pixel the same; without its pack a picture comes back
// from its texture, and with neither the game stops instead of showing a blank.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "core/screen.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "support/fatal_throw.h"
#include "support/headless.h"

namespace sprite_pixels_test {

namespace fs = std::filesystem;

constexpr int twinOffset = 9000;  // sprite n's twin is n + twinOffset
constexpr int ownPicture = 7100;  // two colour-keyed pictures of a pack of our own
constexpr int ownPictureAgain = 7101;
constexpr int scratchSprite = 7102;
constexpr int keyColour = RGB(255, 0, 255);
constexpr int grey = RGB(90, 90, 90);
constexpr std::size_t mainRowsTaken = 7;  // the pointer, the five balls, the upright ship

int Twin(int sprite) { return sprite + twinOffset; }

class DroppedSpritePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    StartMediaForLoading();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenWindow(1, 0, 0, 2048, 1536, "Kaldov1rent", false));
    scratch = fs::temp_directory_path() / ("kaldo_pixels_" + std::to_string(getpid()));
    fs::create_directories(scratch);
  }
  void TearDown() override {
    fs::remove_all(scratch);
    SetFatalHandler(nullptr);
    ClosePackFile();
    ResetAssetLoader();
    ShutdownMedia();
  }
  static void OpenScreen(DisplayChoice choice) {
    ChooseDisplay(choice);
    ASSERT_TRUE(OpenWindowedScreen(1, 0, 0, 1024, 768, true));
  }

  // The first pictures of the main pack: quad textures with their own alpha, with their detail.
  static CataloguePack MainRows() {
    const CataloguePack& main = MainCatalogue().front();
    return CataloguePack{main.packName,
                         std::vector<CatalogueRow>(main.rows.begin(), main.rows.begin() + mainRowsTaken)};
  }
  // A pack of our own: one colour-keyed picture twice, with colours beside its key.
  CataloguePack OwnPack() {
    EXPECT_TRUE(CreateSprite(scratchSprite, 24, 16, 0));
    EXPECT_TRUE(StartDrawing(drawSprite, scratchSprite));
    Box(0, 0, 24, 16, keyColour);
    Box(2, 2, 9, 5, RGB(255, 0, 0));
    Box(12, 3, 10, 11, RGB(0, 200, 40));
    Box(4, 9, 3, 6, RGB(254, 0, 255));  // one step from the key
    StopDrawing();
    const std::string picture = (scratch / "own.bmp").string();
    EXPECT_TRUE(SaveSprite(scratchSprite, picture));
    FreeSprite(scratchSprite);
    const std::string pack = (scratch / "own.pak").string();
    EXPECT_TRUE(CreatePackFile(pack));
    EXPECT_EQ(AddFileToPack(picture), 1);
    EXPECT_EQ(AddFileToPack(picture), 1);
    ClosePackFile();
    return CataloguePack{pack, {{LoaderKind::sprite, ownPicture, "own.bmp", keyColour},
                                {LoaderKind::sprite, ownPictureAgain, "own.bmp", keyColour}}};
  }

  // Each row's picture caught again as its twin, straight from the pack's entries (and its
  // detail from the detail pack when the row's sprite has one), as the loader catches it.
  static void MakeTwins(const CataloguePack& pack) {
    ASSERT_EQ(OpenPackFile(pack.packName), 1);
    for (const CatalogueRow& row : pack.rows) {
      const uint8_t* entry = ReadNextEntry();
      ASSERT_NE(entry, nullptr);
      const bool texture = row.loader == LoaderKind::texture;
      ASSERT_TRUE(CatchSprite(Twin(row.object), entry, static_cast<std::size_t>(LastEntrySize()),
                              texture ? spriteTexture | spriteAlpha : 0));
      if (texture) {
        ASSERT_TRUE(CreateSprite3D(Twin(row.object), Twin(row.object)));
      }
      if (row.transparentColour != -1) TransparentSpriteColor(Twin(row.object), row.transparentColour);
    }
    ClosePackFile();
    if (SpriteDetail(pack.rows.front().object) != 2) return;
    ASSERT_EQ(OpenPackFile(DetailPackName(pack.packName)), 1);
    for (const CatalogueRow& row : pack.rows) {
      const uint8_t* entry = ReadNextEntry();
      ASSERT_NE(entry, nullptr);
      if (SpriteDetail(row.object) == 2) {
        ASSERT_TRUE(AddSpriteDetail(Twin(row.object), entry, static_cast<std::size_t>(LastEntrySize())));
      }
    }
    ClosePackFile();
  }

  // The back buffer after the picture is copied with its key, and drawn as a quad when it is one.
  static std::vector<uint32_t> Drawn(int sprite) {
    ClearScreen(grey);
    DisplayTransparentSprite(sprite, 10, 10);
    DisplaySprite(sprite, 200, 10);
    if (IsSprite3D(sprite)) {
      EXPECT_TRUE(Start3D());
      DisplaySprite3D(sprite, 400, 11, 200);
      Stop3D();
    }
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    EXPECT_TRUE(FullScreenPicture(pixels, width, height));
    return pixels;
  }

  // The sprite's pixels as DrawingBuffer hands them over, alpha in the top byte.
  static std::vector<uint32_t> PixelsOf(int sprite) {
    std::vector<uint32_t> pixels;
    if (!StartDrawing(drawSprite, sprite)) return pixels;
    const uint32_t* buffer = DrawingBuffer();
    const int pitch = DrawingBufferPitch() / 4;
    for (int y = 0; buffer && y < SpriteHeight(sprite); ++y) {
      pixels.insert(pixels.end(), buffer + y * pitch, buffer + y * pitch + SpriteWidth(sprite));
    }
    StopDrawing();
    return pixels;
  }

  static std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path scratch;
};

TEST_F(DroppedSpritePixels, APictureOnlyDrawnLetsItsPixelsGoAndIsDrawnReadAndDrawnIntoAsItsTwin) {
  OpenScreen(DisplayChoice::classic);
  const CataloguePack main = MainRows();
  const CataloguePack own = OwnPack();
  LoadCataloguePack(main);
  LoadCataloguePack(own);
  MakeTwins(main);
  MakeTwins(own);
  std::vector<int> pictures;
  for (const CataloguePack* pack : {&main, &own}) {
    for (const CatalogueRow& row : pack->rows) pictures.push_back(row.object);
  }
  for (int sprite : pictures) EXPECT_TRUE(SpritePixelsHeld(sprite)) << sprite;

  PrepareSpriteTextures();
  for (int sprite : pictures) {
    EXPECT_FALSE(SpritePixelsHeld(sprite)) << sprite;
    EXPECT_TRUE(SpritePixelsHeld(Twin(sprite))) << sprite;  // nowhere to read it again from
    EXPECT_EQ(Drawn(sprite), Drawn(Twin(sprite))) << sprite;
    EXPECT_FALSE(SpritePixelsHeld(sprite)) << sprite;  // drawing needs only the texture
  }

  // Another colour key is applied to the pixels read again, which then go again.
  TransparentSpriteColor(ownPicture, RGB(255, 0, 0));
  TransparentSpriteColor(Twin(ownPicture), RGB(255, 0, 0));
  EXPECT_EQ(Drawn(ownPicture), Drawn(Twin(ownPicture)));
  EXPECT_FALSE(SpritePixelsHeld(ownPicture));

  // Saved, then read, they are exactly the pixels loaded, alpha and the colour under the key too.
  ASSERT_TRUE(SaveSprite(obj::ball80, (scratch / "a.png").string()));
  ASSERT_TRUE(SaveSprite(Twin(obj::ball80), (scratch / "b.png").string()));
  EXPECT_EQ(FileBytes(scratch / "a.png"), FileBytes(scratch / "b.png"));
  for (int sprite : {obj::pointer, obj::ball8, obj::ball80, ownPicture}) {
    const std::vector<uint32_t> pixels = PixelsOf(sprite);
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(SpriteWidth(sprite) * SpriteHeight(sprite)));
    EXPECT_EQ(pixels, PixelsOf(Twin(sprite))) << sprite;
  }

  // Drawn into through the renderer, on the CPU, or with a picture: the rest of it stays.
  for (int sprite : {obj::ball16, obj::ball160, ownPictureAgain}) {
    for (int target : {sprite, Twin(sprite)}) {
      ASSERT_TRUE(StartDrawing(drawSprite, target));
      Box(1, 1, 3, 2, RGB(0, 0, 255));
      StopDrawing();
    }
  }
  for (int target : {obj::ball32, Twin(obj::ball32)}) {
    ASSERT_TRUE(StartDrawing(drawSprite, target));
    Plot(5, 6, RGB(255, 255, 0));
    StopDrawing();
    DrawIntoSprite(target);
    DisplayTransparentSprite(ownPictureAgain, 3, 3);
    DrawIntoScreen();
  }
  for (int sprite : {obj::ball16, obj::ball160, ownPictureAgain, obj::ball32}) {
    EXPECT_EQ(Drawn(sprite), Drawn(Twin(sprite))) << sprite;
    EXPECT_EQ(PixelsOf(sprite), PixelsOf(Twin(sprite))) << sprite;
  }
}

// A rescale makes the detailed textures again at the screen's scale, and a new screen makes every
// texture again: from the packs, pixel for pixel as the twins, and the pixels go again.
TEST_F(DroppedSpritePixels, TexturesMadeAgainForANewScaleOrScreenComeFromThePacks) {
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  const CataloguePack main = MainRows();
  LoadCataloguePack(main);
  ASSERT_EQ(SpriteDetail(obj::ball80), 2) << "mkdata writes " << detailPackFolder;
  MakeTwins(main);
  ASSERT_EQ(SpriteDetail(Twin(obj::ball80)), 2);
  PrepareSpriteTextures();
  auto sameAsTwins = [&main](const char* when) {
    for (const CatalogueRow& row : main.rows) {
      EXPECT_EQ(Drawn(row.object), Drawn(Twin(row.object))) << when << " " << row.fileName;
      EXPECT_EQ(SpriteDetail(row.object), SpriteDetail(Twin(row.object))) << when << " " << row.fileName;
      EXPECT_FALSE(SpritePixelsHeld(row.object)) << when << " " << row.fileName;
    }
  };
  sameAsTwins("at scale 2");

  ASSERT_TRUE(SimulateWindowResize(2880, 2160));  // scale 2.8125: made at the screen's scale
  PresentFrame();
  int width = 0, height = 0;
  sameAsTwins("at scale 2.8");
  ASSERT_TRUE(SpriteTextureSize(obj::ball80, width, height));
  EXPECT_EQ(width, 225);  // 80 x 2.8125

  OpenScreen(DisplayChoice::classic);
  sameAsTwins("on a new screen");
  ASSERT_TRUE(SpriteTextureSize(obj::ball80, width, height));
  EXPECT_EQ(width, 160);
}

TEST_F(DroppedSpritePixels, WithoutItsPackAPictureComesBackFromItsTextureElseTheGameStops) {
  OpenScreen(DisplayChoice::classic);
  const CataloguePack own = OwnPack();
  LoadCataloguePack(own);
  MakeTwins(own);
  PrepareSpriteTextures();
  ASSERT_FALSE(SpritePixelsHeld(ownPicture));
  ASSERT_TRUE(fs::remove(own.packName));

  EXPECT_EQ(PixelsOf(ownPicture), PixelsOf(Twin(ownPicture)));
  EXPECT_EQ(Drawn(ownPicture), Drawn(Twin(ownPicture)));

  // A new screen has no texture of it either.
  OpenScreen(DisplayChoice::classic);
  EXPECT_THROW(DisplaySprite(ownPictureAgain, 0, 0), Fatal);
}

// A sprite made blank (the console's layers) lets its zeros go too, and is drawn into as a sprite
// made after the textures were.
TEST_F(DroppedSpritePixels, ABlankSpriteLetsItsPixelsGoAndIsDrawnIntoAsANewOne) {
  OpenScreen(DisplayChoice::classic);
  constexpr int layer = 7110, keyed = 7111;
  ASSERT_TRUE(CreateSprite(layer, 40, 12, spriteTexture | spriteAlpha));
  ASSERT_TRUE(CreateSprite3D(layer, layer));
  ASSERT_TRUE(CreateSprite(keyed, 40, 12, 0));
  PrepareSpriteTextures();
  EXPECT_FALSE(SpritePixelsHeld(layer));
  EXPECT_FALSE(SpritePixelsHeld(keyed));
  ASSERT_TRUE(CreateSprite(Twin(layer), 40, 12, spriteTexture | spriteAlpha));
  ASSERT_TRUE(CreateSprite3D(Twin(layer), Twin(layer)));
  ASSERT_TRUE(CreateSprite(Twin(keyed), 40, 12, 0));
  for (int sprite : {layer, keyed}) {
    EXPECT_EQ(Drawn(sprite), Drawn(Twin(sprite))) << sprite;
    EXPECT_FALSE(SpritePixelsHeld(sprite));
  }
  EXPECT_EQ(PixelsOf(keyed), std::vector<uint32_t>(40 * 12, 0xFF000000u));
  for (int target : {layer, Twin(layer)}) {
    ASSERT_TRUE(StartDrawing(drawSprite, target));
    Box(3, 2, 5, 4, RGB(0, 90, 255));
    StopDrawing();
  }
  EXPECT_EQ(Drawn(layer), Drawn(Twin(layer)));
  EXPECT_EQ(PixelsOf(layer), PixelsOf(Twin(layer)));
  // Drawn into, they are no longer blank: a new level keeps them.
  PrepareSpriteTextures();
  EXPECT_TRUE(SpritePixelsHeld(layer));
  EXPECT_TRUE(SpritePixelsHeld(keyed));  // its pixels were read
}

}  // namespace sprite_pixels_test
