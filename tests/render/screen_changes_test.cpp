// SPDX-License-Identifier: GPL-3.0-or-later
// Frames drawn over the same opaque copies as the last (a level's backdrop and panels) remake the
// copies and give the window only the parts drawn on in either frame: after every flip the window
// must still hold the back buffer's whole picture, and the back buffer must hold what whole copies
// would have made, whatever happens to the copied pictures and the screen between frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/game_state.h"
#include "core/run_options.h"
#include "core/settings.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/autopilot.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

constexpr int backdrop = 1;
constexpr int panel = 2;
constexpr int quad = 7;
constexpr int panelTop = 700;

// The window's picture at the last flip against the back buffer's, which still holds that frame.
bool WindowShowsTheBackBuffer(std::vector<uint32_t>& back) {
  std::vector<uint32_t> window;
  int width = 0;
  int height = 0;
  int backWidth = 0;
  int backHeight = 0;
  return PresentedPicture(window, width, height) && FullScreenPicture(back, backWidth, backHeight) &&
         window == back;
}

class ScreenChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    KeepPresentedPictures(true);
    // Opaque pictures with no pixel of the colour key (black).
    PaintSprite(panel, screenWidth, screenHeight - panelTop, 0,
                [](int x, int y) { return 0x204060u + static_cast<uint32_t>((x + y) % 50); });
    FlipBuffers();
  }
  void TearDown() override {
    FollowScreenChanges(true);
    KeepPresentedPictures(false);
    ShutdownMedia();
  }

  // A level's frame in small: the two copies, then a box and a quad that move.
  static void DrawFrame(int i) {
    DisplaySprite(backdrop, 0, 0);
    DisplaySprite(panel, 0, panelTop);
    Box(40 + 7 * i, 100 + 3 * i, 30, 20, RGB(250, 10, 10));
    ASSERT_TRUE(Start3D());
    SolidQuad(quad, 40, 40, RGB(0, 0, 255));
    DisplaySprite3D(quad, 500 - 5 * i, 300 + 2 * i);
    Stop3D();
  }

  // Twenty frames with something happening between some of them; each frame's back buffer, and
  // the frames whose window was given only parts.
  static std::vector<std::vector<uint32_t>> PlayFrames(uint64_t& partFlips) {
    std::vector<std::vector<uint32_t>> frames;
    PaintSprite(backdrop, screenWidth, panelTop, 0, [](int x, int y) { return 0x010101u + ((x * 7) ^ (y * 3)) % 200; });
    const uint64_t before = ChangedPartsSurfaceFlipCount();
    for (int i = 0; i < 20; ++i) {
      if (i == 8) {
        // The backdrop's own pixels change, far from anything drawn over it.
        EXPECT_TRUE(StartDrawing(drawSprite, backdrop));
        uint32_t* pixels = DrawingBuffer();
        const int pitch = DrawingBufferPitch() / 4;
        for (int y = 600; pixels && y < 640; ++y) {
          for (int x = 900; x < 960; ++x) pixels[y * pitch + x] = 0xFF30F030u;
        }
        StopDrawing();
      }
      if (i == 12) ClearScreen(RGB(0, 90, 0));  // before the copies: the frame does not start with them
      DrawFrame(i);
      if (i == 15) {
        // Pixels written into the screen after the drawing, far from it.
        EXPECT_TRUE(StartDrawing());
        DrawingBuffer()[650 * (DrawingBufferPitch() / 4) + 20] = 0xFFFFFF;
        StopDrawing();
      }
      FlipBuffers();
      std::vector<uint32_t> back;
      EXPECT_TRUE(WindowShowsTheBackBuffer(back)) << "frame " << i;
      frames.push_back(std::move(back));
    }
    partFlips = ChangedPartsSurfaceFlipCount() - before;
    return frames;
  }
};

TEST_F(ScreenChanges, FramesOverTheSameCopiesShowTheWholePictureAndKeepWhatWholeCopiesMake) {
  uint64_t partFlips = 0;
  const std::vector<std::vector<uint32_t>> followed = PlayFrames(partFlips);
  // The window is given parts on llvmpipe (CI has no graphics card): all but the frames after
  // which the base changed, and the first.
  if (RendererDescription().find("llvmpipe") != std::string::npos) {
    EXPECT_GE(partFlips, 14u);
    EXPECT_LT(partFlips, 20u);
  }
  FollowScreenChanges(false);
  const std::vector<std::vector<uint32_t>> whole = PlayFrames(partFlips);
  EXPECT_EQ(partFlips, 0u);
  ASSERT_EQ(followed.size(), whole.size());
  for (std::size_t i = 0; i < whole.size(); ++i) EXPECT_TRUE(followed[i] == whole[i]) << "frame " << i;
  // The backdrop's change reached the screen.
  EXPECT_EQ(ScreenPixel(920, 620), RGB(0x30, 0xF0, 0x30));
}

// Whole levels played by the autopilot, each frame checked as it is flipped.
std::vector<int> mismatches;
int checkedFrames = 0;

void CheckEachFrame() {
  std::vector<uint32_t> back;
  if (!WindowShowsTheBackBuffer(back)) mismatches.push_back(checkedFrames);
  ++checkedFrames;
  AutopilotStep();
}

class PlayedScreenChanges : public ::testing::Test {
 protected:
  void TearDown() override {
    SetFrameHook(nullptr);
    KeepPresentedPictures(false);
    runOptions = RunOptions{};
    ShutdownMedia();
  }
  // Frames of the level now started, each checked as it is flipped.
  static void PlayChecked(int frames, uint64_t partFlipsAtLeast) {
    KeepPresentedPictures(true);
    mismatches.clear();
    checkedFrames = 0;
    SetFrameHook(CheckEachFrame);
    const uint64_t before = ChangedPartsSurfaceFlipCount();
    for (int i = 0; i < frames; ++i) RunFrame();
    SetFrameHook(nullptr);
    EXPECT_GE(checkedFrames, frames);
    EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " frames, the first " << mismatches.front();
    if (RendererDescription().find("llvmpipe") != std::string::npos) {
      EXPECT_GE(ChangedPartsSurfaceFlipCount() - before, partFlipsAtLeast);
    }
  }
};

TEST_F(PlayedScreenChanges, LevelsWithAndWithoutEffectsShowTheirWholePictureEveryFrame) {
  StartHeadlessGame();
  // Level 1, the water rippled in its picture, the effect drawn into a sprite of its own.
  for (const int level : {0, 15, 18}) {
    SCOPED_TRACE(level);
    game.levelNumber = level;
    StartLevel();
    PlayChecked(120, 60);
  }
}

// A window twice the screen each way: the back buffer is drawn at scale two and given to the
// window as it is, its parts scaled from the drawings' screen pixels.
TEST_F(PlayedScreenChanges, LevelOneAtScaleTwoShowsItsWholePictureEveryFrame) {
  SetMessageBoxesSilent(true);
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(OpenWindow(gameWindow, 0, 0, 2 * screenWidth, 2 * screenHeight, windowTitle, false));
  runOptions.sharp = true;
  StartHeadlessGame();
  ASSERT_FLOAT_EQ(ScreenScaleX(), 2.0f);
  PlayChecked(60, 30);
}

}  // namespace
