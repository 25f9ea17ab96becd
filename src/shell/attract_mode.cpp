// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/attract_mode.h"

#include "assets/objects.h"
#include "core/game_state.h"
#include "levels/level_file.h"
#include "media/media.h"
#include "shell/autopilot.h"
#include "shell/command_line.h"

namespace {

constexpr const char* demoCaption = "DEMO";
constexpr int captionY = 60;
constexpr int captionBlinkFrames = frameRate / 2;  // shown half a second, hidden half a second
constexpr int captionColour = RGB(255, 210, 64);

}  // namespace

void StartAttractDemo() {
  // Any regular level with a file; the bonus level is for those who earn it.
  int levels = 0;
  while (levels < bonusLevel && FileExists(LevelFileName(levels))) ++levels;
  game.levelNumber = levels > 0 ? Random(levels - 1) : 0;
  SetRealMouseIgnored(true);
  RealInputSeen();  // the click that left the menu alone long ago is not a person's now
}

void EndAttractDemo() {
  // The demo may end between the autopilot's press and its release: held on, the button would
  // choose the menu's first hovered item, keep it from ever playing the demo again, and serve
  // the player's first ball at once.
  ReleaseAutopilotButton();
  game.attractDemo = false;
  SetRealMouseIgnored(runOptions.autopilot);
}

void DrawDemoCaption() {
  if ((game.frameCounter / captionBlinkFrames) % 2 == 1) return;
  if (!StartDrawing()) return;
  DrawingFont(obj::fontText);
  DrawingMode(1);
  DrawText(playCentreX - TextWidth(demoCaption) / 2, captionY, demoCaption, captionColour, 0);
  StopDrawing();
}
