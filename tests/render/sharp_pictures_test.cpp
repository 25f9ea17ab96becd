// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures drawn at twice their size for a sharp display: a sprite takes one only when it is
// exactly twice its size and keeps its own size and pixels for everything but the screen; the
// loader takes the packs2x/ set at scale 2 and not at scale 1, and a missing or short set leaves
// the normal pictures quietly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "assets/scenery_catalogue.h"
#include "core/screen.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "support/fatal_throw.h"
#include "support/headless.h"

namespace fs = std::filesystem;

namespace {

constexpr int picture = 7000;  // a sprite number no catalogue uses
constexpr int largeNumber = 7001;
constexpr int red = RGB(255, 0, 0), blue = RGB(0, 0, 255);

class SharpPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    StartMediaForLoading();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenWindow(1, 0, 0, 2048, 1536, "Kaldov1rent", false));
    home = fs::current_path();
    scratch = fs::temp_directory_path() / ("kaldo_sharp_" + std::to_string(getpid()));
  }
  void TearDown() override {
    fs::current_path(home);
    fs::remove_all(scratch);
    SetFatalHandler(nullptr);
    ClosePackFile();
    ShutdownMedia();
  }
  static void OpenScreen(DisplayChoice choice) {
    ChooseDisplay(choice);
    ASSERT_TRUE(OpenWindowedScreen(1, 0, 0, 1024, 768, true));
  }
  // A working directory holding the game's packs but another packs2x/ (none when empty).
  void EnterScratchWithDetailPack(const std::string& mainDetailBytes) {
    fs::create_directories(scratch);
    fs::create_directory_symlink(home / "packs", scratch / "packs");
    if (!mainDetailBytes.empty()) {
      fs::create_directories(scratch / "packs2x");
      std::ofstream(scratch / DetailPackName(mainPackName), std::ios::binary) << mainDetailBytes;
    }
    fs::current_path(scratch);
  }
  // A picture as a bitmap file's bytes: columns of red and blue one pixel wide, or one colour.
  std::string Bitmap(int width, int height, int colour = -1) {
    EXPECT_TRUE(CreateSprite(largeNumber, width, height, 0));
    EXPECT_TRUE(StartDrawing(drawSprite, largeNumber));
    for (int x = 0; x < width; ++x) Box(x, 0, 1, height, colour >= 0 ? colour : x % 2 ? blue : red);
    StopDrawing();
    fs::create_directories(scratch);
    const fs::path file = scratch / "striped.bmp";
    EXPECT_TRUE(SaveSprite(largeNumber, file.string()));
    FreeSprite(largeNumber);
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path home, scratch;
};

TEST_F(SharpPictures, ASpriteTakesAPictureTwiceItsSizeAndTheScreenShowsItsFinerPixels) {
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  const std::string green = Bitmap(8, 4, RGB(0, 200, 0));
  ASSERT_TRUE(CatchSprite(picture, green.data(), green.size(), 0));
  const std::string same = Bitmap(8, 4);
  const std::string wider = Bitmap(16, 4);
  const std::string twice = Bitmap(16, 8);
  EXPECT_FALSE(AddSpriteDetail(picture, same.data(), same.size()));
  EXPECT_FALSE(AddSpriteDetail(picture, wider.data(), wider.size()));
  EXPECT_FALSE(AddSpriteDetail(picture, "not a picture", 13));
  EXPECT_EQ(SpriteDetail(picture), 1);
  ASSERT_TRUE(AddSpriteDetail(picture, twice.data(), twice.size()));
  EXPECT_EQ(SpriteDetail(picture), 2);
  EXPECT_EQ(SpriteWidth(picture), 8);
  EXPECT_EQ(SpriteHeight(picture), 4);
  // Its own pixels are still the picture of its size.
  ASSERT_TRUE(StartDrawing(drawSprite, picture));
  EXPECT_EQ(Point(3, 2), RGB(0, 200, 0));
  StopDrawing();

  // At scale 2 the finer picture lands pixel for pixel: one-pixel stripes on the back buffer.
  ClearScreen(0);
  DisplaySprite(picture, 100, 100);
  std::vector<uint32_t> full;
  int width = 0, height = 0;
  ASSERT_TRUE(FullScreenPicture(full, width, height));
  auto at = [&](int x, int y) { return full[static_cast<std::size_t>(y) * width + x]; };
  for (int x = 200; x < 216; ++x) {
    EXPECT_EQ(at(x, 203), x % 2 ? 0x0000FFu : 0xFF0000u) << x;
  }
  EXPECT_EQ(at(216, 203), 0u);  // and the sprite is still 8 screen pixels wide

  // Drawing into the sprite drops the finer picture: the screen shows what was drawn.
  ASSERT_TRUE(StartDrawing(drawSprite, picture));
  Box(0, 0, 1, 1, RGB(255, 255, 0));
  StopDrawing();
  EXPECT_EQ(SpriteDetail(picture), 1);
  ClearScreen(0);
  DisplaySprite(picture, 100, 100);
  ASSERT_TRUE(FullScreenPicture(full, width, height));
  EXPECT_EQ(at(201, 201), 0xFFFF00u);
  EXPECT_EQ(at(205, 203), 0x00C800u);
}

// On a 4K display (scale 2.8) a picture twice the size would still be smoothed over 1.4 screen
// pixels a texel; instead it is enlarged once to the screen's own pixels and lands texel for
// pixel, so it looks the same wherever it covers as many screen pixels as its texel count, and a
// move back to scale 2 makes it again.
TEST_F(SharpPictures, PastTwiceTheSizeADetailedPictureIsMadeAtTheScreensScaleAndLooksTheSameAnywhere) {
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  ASSERT_TRUE(SimulateWindowResize(2880, 2160));  // scale 2.8125
  PresentFrame();
  const std::string green = Bitmap(8, 4, RGB(0, 200, 0));
  ASSERT_TRUE(CatchSprite(picture, green.data(), green.size(), spriteTexture));
  // The detail: red on the left, blue on the right, a white column between.
  ASSERT_TRUE(CreateSprite(largeNumber, 16, 8, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, largeNumber));
  Box(0, 0, 8, 8, red);
  Box(8, 0, 8, 8, blue);
  Box(5, 0, 1, 8, RGB(255, 255, 255));
  StopDrawing();
  const fs::path file = scratch / "halves.bmp";
  fs::create_directories(scratch);
  ASSERT_TRUE(SaveSprite(largeNumber, file.string()));
  FreeSprite(largeNumber);
  std::ifstream in(file, std::ios::binary);
  const std::string halves(std::istreambuf_iterator<char>(in), {});
  ASSERT_TRUE(AddSpriteDetail(picture, halves.data(), halves.size()));

  std::vector<uint32_t> full;
  int width = 0, height = 0;
  constexpr int quad = 7002;
  ASSERT_TRUE(CreateSprite3D(quad, picture));
  // The sprite's pixels on the back buffer, copied or drawn as a quad at (x, y): 23 x 12 screen
  // pixels from where the game position lands.
  auto drawnAt = [&](int x, int y, bool asQuad = false) -> std::vector<uint32_t> {
    ClearScreen(0);
    if (asQuad) {
      EXPECT_TRUE(Start3D());
      DisplaySprite3D(quad, x, y);
      Stop3D();
    } else {
      DisplaySprite(picture, x, y);
    }
    EXPECT_TRUE(FullScreenPicture(full, width, height));
    const int left = static_cast<int>(std::ceil(x * 2.8125 - 0.5));
    const int top = static_cast<int>(std::ceil(y * 2.8125 - 0.5));
    std::vector<uint32_t> drawn;
    for (int row = top; row < top + 12; ++row) {
      for (int column = left; column < left + 23; ++column) {
        drawn.push_back(full[static_cast<std::size_t>(row) * width + column]);
      }
    }
    return drawn;
  };
  const std::vector<uint32_t> first = drawnAt(101, 101);
  int textureWidth = 0, textureHeight = 0;
  ASSERT_TRUE(SpriteTextureSize(picture, textureWidth, textureHeight));
  EXPECT_EQ(textureWidth, 23);  // 8 x 2.8125, rounded up
  EXPECT_EQ(textureHeight, 12);  // 4 x 2.8125, rounded up
  EXPECT_EQ(drawnAt(102, 101), first);  // another fraction of a screen pixel each way
  EXPECT_EQ(drawnAt(101, 102), first);
  EXPECT_EQ(drawnAt(102, 102, true), first);  // and the same drawn as a quad
  EXPECT_EQ(first[11 * 23], 0xFF0000u);        // every row of the texture is shown
  EXPECT_EQ(first[5 * 23 + 1], 0xFF0000u);
  EXPECT_EQ(first[5 * 23 + 21], 0x0000FFu);

  ASSERT_TRUE(SimulateWindowResize(2048, 1536));
  PresentFrame();
  DisplaySprite(picture, 100, 100);
  ASSERT_TRUE(SpriteTextureSize(picture, textureWidth, textureHeight));
  EXPECT_EQ(textureWidth, 16);
  EXPECT_EQ(textureHeight, 8);
}

TEST_F(SharpPictures, TheLoaderTakesTheDetailedPacksAtScaleTwoOnly) {
  ASSERT_TRUE(fs::exists(DetailPackName(mainPackName))) << "mkdata writes " << detailPackFolder;
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  ASSERT_TRUE(WantsDetailedPictures());
  LoadAssets();
  EXPECT_EQ(SpriteDetail(obj::brickRed + 15), 2);
  EXPECT_EQ(SpriteWidth(obj::brickRed + 15), 64);
  EXPECT_EQ(SpriteHeight(obj::brickRed + 15), 20);
  EXPECT_EQ(SpriteDetail(obj::ball16), 2);
  EXPECT_EQ(SpriteWidth(obj::ball16), 16);

  OpenScreen(DisplayChoice::classic);
  EXPECT_FALSE(WantsDetailedPictures());
  LoadAssets();
  EXPECT_EQ(SpriteDetail(obj::brickRed + 15), 1);
  EXPECT_EQ(SpriteDetail(obj::ball16), 1);
}

TEST_F(SharpPictures, AMissingOrShortDetailedPackLeavesTheNormalPicturesQuietly) {
  EnterScratchWithDetailPack("");
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  EXPECT_NO_THROW(LoadAssets());
  EXPECT_EQ(SpriteDetail(obj::brickRed + 15), 1);
  EXPECT_EQ(SpriteWidth(obj::brickRed + 15), 64);
  EXPECT_TRUE(IsSound(obj::music));

  // The first half of the real pack: the pictures it holds get their detail, the rest do not.
  std::ifstream in(home / DetailPackName(mainPackName), std::ios::binary);
  const std::string whole(std::istreambuf_iterator<char>(in), {});
  ASSERT_GT(whole.size(), 1000u);
  fs::current_path(home);
  fs::remove_all(scratch);
  EnterScratchWithDetailPack(whole.substr(0, whole.size() / 2));
  EXPECT_NO_THROW(LoadAssets());
  const CataloguePack& main = MainCatalogue().front();
  auto isSprite = [](const CatalogueRow& row) {
    return row.loader != LoaderKind::sound && row.loader != LoaderKind::image;
  };
  auto first = std::find_if(main.rows.begin(), main.rows.end(), isSprite);
  auto last = std::find_if(main.rows.rbegin(), main.rows.rend(), isSprite);
  ASSERT_NE(first, main.rows.end());
  ASSERT_NE(last, main.rows.rend());
  EXPECT_EQ(SpriteDetail(first->object), 2) << first->fileName;
  EXPECT_EQ(SpriteDetail(last->object), 1) << last->fileName;
}

// The level's pictures, loaded one at a time as the background set-up loads them: the panels, then
// level 5's own pack (its four plates, quad textures). Back on the main pack afterwards.
constexpr int platesLevel = 5;
void LoadLevelPictures() {
  for (const CataloguePack& pack : {PanelPack(), LevelPack(platesLevel)}) {
    SwitchPack(pack.packName);
    for (const CatalogueRow& row : pack.rows) {
      if (row.loader == LoaderKind::sprite) {
        LoadLevelSprite(row.object, row.fileName);
      } else {
        LoadLevelTexture(row.object, row.fileName);
      }
    }
  }
  SwitchPack(mainPackName);
}

// How many of those pictures have their detail, and how many there are.
std::pair<int, int> LevelPicturesDetailed() {
  int detailed = 0, pictures = 0;
  for (const CataloguePack& pack : {PanelPack(), LevelPack(platesLevel)}) {
    for (const CatalogueRow& row : pack.rows) {
      ++pictures;
      detailed += SpriteDetail(row.object) == 2;
    }
  }
  return {detailed, pictures};
}

TEST_F(SharpPictures, LevelPicturesLoadedOneAtATimeTakeTheirDetailAtScaleTwoOnly) {
  ASSERT_TRUE(fs::exists(DetailPackName(PanelPack().packName))) << "mkdata writes " << detailPackFolder;
  ASSERT_FALSE(LevelPack(platesLevel).rows.empty());
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  LoadLevelPictures();
  EXPECT_EQ(SpriteDetail(obj::panelTop), 2);
  EXPECT_EQ(SpriteDetail(obj::panelRight), 2);
  const auto [detailed, pictures] = LevelPicturesDetailed();
  EXPECT_GT(detailed, 3) << "of " << pictures;  // some of level 0's own pictures too
  // The loader goes on reading its packs in order afterwards.
  LoadAssets();
  EXPECT_EQ(SpriteDetail(obj::ball16), 2);
  EXPECT_EQ(SpriteDetail(obj::panelTop), 2);
  ReleaseLevelResources();

  OpenScreen(DisplayChoice::classic);
  LoadLevelPictures();
  EXPECT_EQ(LevelPicturesDetailed().first, 0);
  ReleaseLevelResources();
}

TEST_F(SharpPictures, LevelPicturesWithoutADetailedPackLoadQuietlyAtTheirSize) {
  EnterScratchWithDetailPack("");
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  EXPECT_NO_THROW(LoadLevelPictures());
  EXPECT_EQ(LevelPicturesDetailed().first, 0);
  EXPECT_GT(SpriteWidth(obj::panelTop), 0);
  ReleaseLevelResources();
}

// The player turns a classic screen sharp: the pictures loaded meanwhile get their detail, each
// from the pack it came from (the level's from the level's, not another style's).
TEST_F(SharpPictures, PicturesLoadedOnAClassicScreenTakeTheirDetailWhenItTurnsSharp) {
  OpenScreen(DisplayChoice::classic);
  LoadAssets();
  LoadLevelPictures();
  EXPECT_EQ(SpriteDetail(obj::ball16), 1);
  EXPECT_EQ(LevelPicturesDetailed().first, 0);
  AddDetailToLoadedPictures();  // nothing to do on a classic screen
  EXPECT_EQ(SpriteDetail(obj::ball16), 1);

  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  AddDetailToLoadedPictures();
  EXPECT_EQ(SpriteDetail(obj::ball16), 2);
  EXPECT_EQ(SpriteDetail(obj::brickRed + 15), 2);
  EXPECT_EQ(SpriteDetail(obj::panelTop), 2);
  const auto [detailed, pictures] = LevelPicturesDetailed();
  EXPECT_GT(detailed, 3) << "of " << pictures;
  // Freed level pictures are forgotten: nothing is added to a sprite made later in their place,
  // though it has the size.
  const int topWidth = SpriteWidth(obj::panelTop), topHeight = SpriteHeight(obj::panelTop);
  ReleaseLevelResources();
  OpenScreen(DisplayChoice::classic);
  ASSERT_TRUE(CreateSprite(obj::panelTop, topWidth, topHeight, 0));
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  AddDetailToLoadedPictures();
  EXPECT_EQ(SpriteDetail(obj::panelTop), 1);
}

// The player makes the window larger: once the scale passes the detail's threshold, the next
// frame gives the pictures already loaded their detail, and only that frame.
TEST_F(SharpPictures, PicturesLoadedInASmallWindowTakeTheirDetailWhenItGrowsPastTheThreshold) {
  OpenScreen(DisplayChoice::sharpOnAnyRenderer);
  ASSERT_TRUE(SimulateWindowResize(1024, 768));
  PresentFrame();
  ASSERT_FALSE(WantsDetailedPictures());
  LoadAssets();
  EXPECT_EQ(SpriteDetail(obj::ball16), 1);
  ASSERT_TRUE(SimulateWindowResize(1280, 960));  // scale 1.25: not yet
  PresentFrame();
  EXPECT_EQ(SpriteDetail(obj::ball16), 1);

  ASSERT_TRUE(SimulateWindowResize(2048, 1536));
  PresentFrame();
  ASSERT_TRUE(WantsDetailedPictures());
  EXPECT_EQ(SpriteDetail(obj::ball16), 2);
  EXPECT_FALSE(DetailNewlyWanted());
}

}  // namespace
