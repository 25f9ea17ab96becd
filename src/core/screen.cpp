// SPDX-License-Identifier: GPL-3.0-or-later
// The game screen and the frame services every screen's loop shares.
#include "core/screen.h"

#include <cmath>
#include <string>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/run_options.h"
#include "media/fatal_error.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

void (*focusCheck)() = nullptr;

}  // namespace

void SetFocusCheck(void (*check)()) { focusCheck = check; }

void HandleFrameRateKey() {
  if (KeyboardReleased(keyF1)) game.showFps = !game.showFps;
  if (game.showFps) game.fpsStartTime = static_cast<int>(ElapsedMilliseconds());
}

void DrawFrameRate() {
  if (game.showFps && game.fpsAverage > 0) {
    if (StartDrawing()) {
      DrawingFont(obj::fontText);
      DrawingMode(0);
      DrawText(100, 100, "FPS = " + std::to_string(1000 / game.fpsAverage), RGB(255, 255, 255),
               RGB(0, 0, 0));
      StopDrawing();
    }
  }
  if (game.showFps) {
    const int frameTime = static_cast<int>(ElapsedMilliseconds()) - game.fpsStartTime;
    game.fpsAverage = RoundHalfAway((game.fpsAverage + frameTime) / 2.0);
  }
}

void SaveScreenshot() {
  // A screenshot that cannot be saved is ignored.
  if (runOptions.screenshotFull) {
    SaveFullScreenPicture(NextScreenshotName());
    return;
  }
  if (GrabSprite(obj::screenshotSprite, 0, 0, screenWidth, screenHeight)) {
    SaveSprite(obj::screenshotSprite, NextScreenshotName());
    FreeSprite(obj::screenshotSprite);
  }
}

std::string NextScreenshotName() {
  const std::string folder = WriteFolder();
  for (int n = 0;; ++n) {
    std::string name = folder + "screenshot" + std::to_string(n) + ".bmp";
    if (!FileExists(name)) return name;
  }
}

void OpenGameScreen() {
  if (!WindowExists(gameWindow)) {
    // A borderless desktop-sized window stands in for the display-mode switch; the screen is
    // scaled and letterboxed into it.
    if (!OpenWindow(gameWindow, 0, 0, screenWidth, screenHeight, windowTitle, !runOptions.windowed)) {
      FatalError("Graphic (2D) initialisation problem");
    }
  }
  // --sharp and --classic win over the player's setting for this run.
  if (runOptions.classic) {
    ChooseDisplay(DisplayChoice::classic);
  } else if (runOptions.sharp) {
    ChooseDisplay(DisplayChoice::sharpOnAnyRenderer);
  } else {
    ChooseDisplay(playerSettings.sharpDisplay ? DisplayChoice::sharp : DisplayChoice::classic);
  }
  // The screen's renderer draws the textured quads: without one the game would run blind.
  if (!OpenWindowedScreen(gameWindow, 0, 0, screenWidth, screenHeight, true)) {
    FatalError("Graphic (3D) initialisation problem");
  }
  SetFrameRate(frameRate);
  // Each run deals its own chances (the clock here reads the same few milliseconds every time).
  RandomSeed(FreshSeed());
  Sprite3DQuality(1);
  ReleaseMouse(false);
}

void EndProgram() { PlayerQuit(); }

void EndIfCloseRequested() {
  if (CloseRequested()) EndProgram();
}

void PresentFrame() {
  FlipBuffers();
  // A window made larger, past the scale where pictures take their detail: what is loaded gets it.
  if (DetailNewlyWanted()) AddDetailToLoadedPictures();
  EndIfCloseRequested();
}

void StartFrame() {
  PresentFrame();
  if (focusCheck) focusCheck();
}
