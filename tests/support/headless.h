// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the tests that open the screen: the game's screen opened headless as
// start-up opens it (no packs, no sound), solid quads standing in for pictures of the packs,
// and a sound to play.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/fatal_throw.h"

// The game's screen with keyboard and mouse; frames run without the limiter's wait.
inline void OpenHeadlessGame() {
  SetMessageBoxesSilent(true);
  ResetGameState();
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(InitSprite3D());
  ASSERT_TRUE(InitKeyboard());
  ASSERT_TRUE(InitMouse());
  OpenGameScreen();
  ASSERT_TRUE(WindowExists(gameWindow));
  SetFrameLimiterEnabled(false);
}

// Pictures, quads and sounds ready for a test that loads them: no message box, and a loading
// problem thrown as Fatal instead of ending the process.
inline void StartMediaForLoading() {
  SetMessageBoxesSilent(true);
  SetFatalHandler(ThrowFatal);
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(InitSprite3D());
  ASSERT_TRUE(InitSound());
}

// A screen of its own in a window of its size, for the tests of the media layer alone.
inline void OpenMediaScreen(int width, int height) {
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(InitSprite3D());
  ASSERT_TRUE(OpenWindow(0, 0, 0, width, height, "Kaldov1rent", false));
  ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, width, height, true));
  SetFrameLimiterEnabled(false);
}

// A sprite drawn pixel by pixel through its drawing buffer.
inline void PaintSprite(int number, int width, int height, int flags,
                        const std::function<uint32_t(int, int)>& pixel) {
  ASSERT_TRUE(CreateSprite(number, width, height, flags));
  ASSERT_TRUE(StartDrawing(drawSprite, number));
  uint32_t* pixels = DrawingBuffer();
  ASSERT_NE(pixels, nullptr);
  const int pitch = DrawingBufferPitch() / 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * pitch + x] = pixel(x, y);
  }
  StopDrawing();
}

// The screen's top left width x height pixels, 0x00RRGGBB rows top to bottom.
inline std::vector<uint32_t> ScreenPixels(int width, int height) {
  std::vector<uint32_t> copy;
  EXPECT_TRUE(StartDrawing());
  const uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  for (int y = 0; pixels && y < height; ++y) {
    for (int x = 0; x < width; ++x) copy.push_back(pixels[y * pitch + x] & 0xFFFFFFu);
  }
  StopDrawing();
  return copy;
}

// The colour of one screen pixel as the game reads it (-1 when the screen cannot be read).
inline int ScreenPixel(int x, int y) {
  if (!StartDrawing()) return -1;
  const int colour = Point(x, y);
  StopDrawing();
  return colour;
}

// A quad of one solid colour (black stays see-through: the colour key).
inline void SolidQuad(int number, int width, int height, int colour) {
  ASSERT_TRUE(CreateSprite(number, width, height, spriteTexture));
  ASSERT_TRUE(StartDrawing(drawSprite, number));
  Box(0, 0, width, height, colour);
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(number, number));
}

// A mono 8-bit 22050 Hz square wave of the given number of samples, as a WAV file.
inline std::string SquareWaveWav(int samples) {
  std::string wav;
  auto put32 = [&wav](uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<char>(v >> (8 * i)));
  };
  auto put16 = [&wav](uint16_t v) {
    wav.push_back(static_cast<char>(v));
    wav.push_back(static_cast<char>(v >> 8));
  };
  wav += "RIFF";
  put32(36 + samples);
  wav += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(22050);
  put32(22050);
  put16(1);
  put16(8);
  wav += "data";
  put32(samples);
  for (int i = 0; i < samples; ++i) wav.push_back(static_cast<char>(i % 50 < 25 ? 200 : 56));
  return wav;
}
