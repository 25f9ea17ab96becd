// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's renderer: one that lacks what the game draws with is refused with its reason, and
// a render driver named in SDL_RENDER_DRIVER is the only one tried.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <string>

#include "core/settings.h"
#include "media/media.h"

namespace {

constexpr int window = 0;

class RendererChoice : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitSprites()); }
  void TearDown() override {
    SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
    ShutdownMedia();
  }
  static bool OpenGameWindow() { return OpenWindow(window, 0, 0, screenWidth, screenHeight, windowTitle, false); }
  static bool OpenScreen() { return OpenWindowedScreen(window, 0, 0, screenWidth, screenHeight, true); }
};

TEST_F(RendererChoice, ARendererWithoutComposedBlendModesIsRefusedWithItsReason) {
  // SDL's software renderer draws targets and geometry but only the standard blend modes.
  ASSERT_TRUE(SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software"));
  ASSERT_TRUE(InitSprite3D());  // the driver is there; what it can do shows with a window
  ASSERT_TRUE(OpenGameWindow());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(OpenScreen());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("No renderer can draw the game: software has no composed blend modes: "),
            std::string::npos)
      << said;
  // Nothing is drawn on a screen that is not there.
  EXPECT_FALSE(Start3D());
}

TEST_F(RendererChoice, ARenderDriverNamedButMissingStopsTheQuadService) {
  ASSERT_TRUE(SDL_SetHint(SDL_HINT_RENDER_DRIVER, "nosuchrenderer"));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(InitSprite3D());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said,
            "The textured-quad service did not start: no render driver is called \"nosuchrenderer\" "
            "(SDL_RENDER_DRIVER)\n");
  // SDL would have taken another driver for the screen; the game does not.
  ASSERT_TRUE(OpenGameWindow());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(OpenScreen());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("nosuchrenderer"), std::string::npos);
}

TEST_F(RendererChoice, ANamedDriverThatDrawsEverythingIsTakenAndDrawsTheGlow) {
  ASSERT_TRUE(SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengles2"));
  ASSERT_TRUE(InitSprite3D());
  ASSERT_TRUE(OpenGameWindow());
  ASSERT_TRUE(OpenScreen());
  // A quad added with (source alpha, one) onto grey brightens it: a composed blend mode at work.
  ASSERT_TRUE(CreateSprite(2, 16, 16, spriteTexture));
  ASSERT_TRUE(StartDrawing(drawSprite, 2));
  Box(0, 0, 16, 16, RGB(100, 0, 0));
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(2, 2));
  ClearScreen(RGB(50, 50, 50));
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(5, 2);
  DisplaySprite3D(2, 0, 0);
  Sprite3DBlendingMode(5, 6);
  Stop3D();
  ASSERT_TRUE(StartDrawing());
  EXPECT_EQ(Point(8, 8), RGB(150, 50, 50));
  StopDrawing();
}

}  // namespace
