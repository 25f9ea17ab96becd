// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/pause_screen.h"

#include <cmath>

#include "assets/menu_catalogue.h"
#include "assets/objects.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "media/fatal_error.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr const char* snapshotFile = "paused.bmp";
constexpr int waitMilliseconds = 30;  // between two showings of the picture while paused
constexpr float rippleStep = 0.00015f;  // radians per pixel of the walk down the columns
constexpr float rippleHeight = 4;       // pixels

constexpr int RedOf(uint32_t p) { return (p >> 16) & 255; }
constexpr int GreenOf(uint32_t p) { return (p >> 8) & 255; }
constexpr int BlueOf(uint32_t p) { return p & 255; }

// Copies between an image of pausePictureSide squared and the filter's [x][y] work area.
void ImageToWorkArea(int image, std::vector<uint32_t>& area) {
  area.assign(static_cast<std::size_t>(pauseFilterSide) * pauseFilterSide, 0);
  if (!StartDrawing(drawImage, image)) return;
  const uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  for (int y = 0; pixels && y < pausePictureSide; ++y) {
    for (int x = 0; x < pausePictureSide; ++x) {
      area[static_cast<std::size_t>(x) * pauseFilterSide + y] = pixels[y * pitch + x] & 0xFFFFFFu;
    }
  }
  StopDrawing();
}

void WorkAreaToImage(const std::vector<uint32_t>& area, int image) {
  if (!StartDrawing(drawImage, image)) return;
  uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  for (int y = 0; pixels && y < pausePictureSide; ++y) {
    for (int x = 0; x < pausePictureSide; ++x) {
      pixels[y * pitch + x] = area[static_cast<std::size_t>(x) * pauseFilterSide + y];
    }
  }
  StopDrawing();
}

void FreePausePictures() {
  FreeImage(obj::pauseSnapshot);
  FreeImage(obj::pausePicture);
  FreeImage(obj::pauseResult);
}

// Shows the picture until a left or right click in the window, or a pad's A or Start. The
// picture is drawn through the game's screen, which stays open (the caller rebuilds it all the
// same). It is drawn once: the flips that follow draw nothing, so they present nothing and
// only wait, and the window is shown the picture again when it asks for it.
void WaitForClick() {
  DisplayImage(obj::pauseResult, 0, 0);
  for (;;) {
    Delay(waitMilliseconds);
    FlipBuffers();
    if (CloseRequested()) PlayerQuit();
    ExamineKeyboard();
    ExamineMouse();
    if (MouseButtonPressed(1) || MouseButtonPressed(2) || GamepadPushed(padA) || GamepadPushed(padStart)) return;
  }
}

}  // namespace

void FilterPausePicture(std::vector<uint32_t>& p) {
  constexpr int n = pauseFilterSide;
  constexpr int last = pausePictureSide - 1;  // 767: sx and sy stay one pixel inside
  if (p.size() != static_cast<std::size_t>(n) * n) return;
  auto at = [&p](int x, int y) -> uint32_t& { return p[static_cast<std::size_t>(x) * n + y]; };
  float t = 0;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      t += rippleStep;
      int sx = x;
      int sy = RoundHalfAway(y + rippleHeight * std::sin(t));
      sx = sx < 1 ? 1 : sx > last ? last : sx;
      sy = sy < 1 ? 1 : sy > last ? last : sy;
      const int red = (RedOf(at(sx - 1, sy - 1)) + RedOf(at(sx, sy)) + RedOf(at(sx + 1, sy + 1))) / 3;
      const int green =
          (GreenOf(at(sx + 1, sy - 1)) + GreenOf(at(sx, sy)) + GreenOf(at(sx - 1, sy + 1))) / 3;
      const int blue = (BlueOf(at(sx - 1, sy)) + BlueOf(at(sx, sy)) + BlueOf(at(sx + 1, sy))) / 3;
      at(x, y) = static_cast<uint32_t>(red << 16 | green << 8 | blue);
    }
  }
}

void MakePausePicture() {
  // The grab stays in memory: the file is the pause's record, and a game directory that cannot
  // be written still gets its filtered picture.
  if (!GrabImageFromScreen(obj::pauseSnapshot, 0, 0, screenWidth, screenHeight)) {
    CreateImage(obj::pauseSnapshot, screenWidth, screenHeight);
  }
  SaveImage(obj::pauseSnapshot, WriteFolder() + snapshotFile);
  ResizeImage(obj::pauseSnapshot, pausePictureSide, pausePictureSide);
  // A missing pause picture leaves the blurred screen alone.
  LoadImage(obj::pausePicture, pausePictureFile);
  CreateImage(obj::pauseResult, pausePictureSide, pausePictureSide);

  std::vector<uint32_t> area;
  ImageToWorkArea(obj::pauseSnapshot, area);
  FilterPausePicture(area);
  WorkAreaToImage(area, obj::pauseResult);

  ResizeImage(obj::pauseResult, screenWidth, screenHeight);
  if (IsImage(obj::pausePicture) && StartDrawing(drawImage, obj::pauseResult)) {
    DrawImage(obj::pausePicture, screenWidth / 2 - ImageWidth(obj::pausePicture) / 2,
              screenHeight / 2 - ImageHeight(obj::pausePicture) / 2);
    StopDrawing();
  }
}

int FocusCheck() {
  // Without a window (the game's logic run on its own) there is nothing to pause.
  if (!WindowExists(gameWindow) || ScreenActive()) return 1;
  ReleaseMouse(true);
  MakePausePicture();
  // Full screen, the game steps out of the way; the player brings it back from the desktop.
  if (FullScreen()) MinimiseWindow();
  // The pause is the person's to end, in a demo or under the autopilot too: their clicks are
  // heard, and the autopilot keeps its hands off until play goes on.
  const bool mouseIgnored = RealMouseIgnored();
  SetRealMouseIgnored(false);
  game.focusPauseWaiting = true;
  // Clicks and moves made before the pause are not taken for the click that ends it.
  ForgetInput();
  WaitForClick();
  FreePausePictures();
  ForgetInput();
  game.focusPauseWaiting = false;
  SetRealMouseIgnored(mouseIgnored);
  return 0;
}
