// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the catalogue from the packs the build made, and its fatal errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "support/fatal_throw.h"
#include "support/headless.h"

namespace {

namespace fs = std::filesystem;

class AssetLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    StartMediaForLoading();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenWindow(1, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(1, 0, 0, 1024, 768, true));
    home = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(home);
    if (!scratch.empty()) fs::remove_all(scratch);
    SetFatalHandler(nullptr);
    ClosePackFile();
    ShutdownMedia();
  }
  // An empty working directory with a packs folder.
  void EnterScratch() {
    scratch = fs::temp_directory_path() / ("kaldo_assets_" + std::to_string(getpid()));
    fs::create_directories(scratch / "packs");
    fs::current_path(scratch);
  }
  static std::string FatalTextOfLoadAssets() {
    try {
      LoadAssets();
    } catch (const Fatal& fatal) {
      return fatal.what();
    }
    return "";
  }
  fs::path home, scratch;
};

TEST_F(AssetLoading, TheWholeCatalogueLoadsAndASecondLoadReplacesTheObjects) {
  LoadAssets();
  EXPECT_EQ(SpriteWidth(obj::ball16), 16);
  EXPECT_EQ(SpriteWidth(obj::brickRed + 15), 64);
  EXPECT_EQ(SpriteHeight(obj::brickRed + 15), 20);
  EXPECT_TRUE(IsSprite3D(obj::shipUpright));
  EXPECT_TRUE(IsImage(obj::winnerPicture));
  EXPECT_FALSE(IsSprite3D(obj::panel));  // plain sprites get no quad
  EXPECT_TRUE(IsSound(obj::music));
  EXPECT_TRUE(IsSound(obj::soundDoor));
  EXPECT_GT(SoundLength(obj::music), 60000);

  ASSERT_TRUE(CreateSprite(obj::ball16, 3, 3, spriteTexture));
  LoadAssets();
  EXPECT_EQ(SpriteWidth(obj::ball16), 16);
  EXPECT_EQ(ChaingunRotation().pivotX, 64);
  EXPECT_EQ(ChaingunRotation().pivotY, 96);
}

TEST_F(AssetLoading, AMissingPackNamesThePack) {
  EnterScratch();
  EXPECT_EQ(FatalTextOfLoadAssets(), "packs/maingfx.pak loading problem");
}

TEST_F(AssetLoading, AnUndecodableFirstEntryNamesTheFileThatWasExpected) {
  EnterScratch();
  ASSERT_TRUE(CreatePackFile("packs/maingfx.pak"));
  const char garbage[] = "this is not a picture at all";
  ASSERT_EQ(AddMemoryToPack(garbage, sizeof garbage, 9), 1);
  ClosePackFile();
  EXPECT_EQ(FatalTextOfLoadAssets(), "gfx/pointer.png loading problem");
}

TEST_F(AssetLoading, APackThatEndsTooEarlyNamesTheFirstMissingFile) {
  EnterScratch();
  fs::copy_file(home / "packs" / "maingfx.pak", scratch / "packs" / "maingfx.pak");
  // Only the main pack is here: the sound pack's absence is the next error.
  EXPECT_EQ(FatalTextOfLoadAssets(), "packs/sounds.pak loading problem");
  fs::resize_file(scratch / "packs" / "maingfx.pak", 50000);
  const std::string text = FatalTextOfLoadAssets();
  EXPECT_NE(text.find(" loading problem"), std::string::npos);
  EXPECT_NE(text.rfind("gfx/", 0), std::string::npos) << text;
}

TEST_F(AssetLoading, LevelPicturesAreRecordedAndReleased) {
  EnterScratch();
  fs::copy_file(home / "packs" / "maingfx.pak", scratch / "packs" / "level.pak");
  SwitchPack("packs/level.pak");
  LoadLevelTexture(obj::background, "gfx/pointer.png");
  LoadLevelSprite(obj::panelTop, "gfx/ball_8x8.tif");
  ASSERT_EQ(LevelResources().Count(), 2);
  EXPECT_TRUE(IsSprite3D(obj::background));
  EXPECT_TRUE(IsSprite(obj::panelTop));
  FreeSprite(obj::panelTop);  // already gone: releasing it again is harmless
  ReleaseLevelResources();
  EXPECT_EQ(LevelResources().Count(), 0);
  EXPECT_FALSE(IsSprite(obj::background));
  EXPECT_FALSE(IsSprite3D(obj::background));
}

}  // namespace
