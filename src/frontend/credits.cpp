// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/credits.h"

#include <cmath>

#include "assets/credits_catalogue.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/screen.h"
#include "frontend/credits_landscape.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

// The landscape is drawn at three quarters of the screen's size and stretched over it with
// bilinear filtering: that saves almost half of the pixels to fill and to upload every frame,
// and the soft fog and facets lose little. It goes into a picture of its own: the screen's own
// pixels would have to be read back from the renderer every frame first, for nothing.
constexpr int landscapeWidth = screenWidth * 3 / 4;    // 768
constexpr int landscapeHeight = screenHeight * 3 / 4;  // 576

void DrawLandscapeLayer() {
  CreditsState& c = game.credits;
  if (!StartDrawing(drawSprite, obj::creditsLandscape)) return;
  if (uint32_t* pixels = DrawingBuffer()) {
    DrawLandscape(c.landscape, c.camera, pixels, landscapeWidth, landscapeHeight, DrawingBufferPitch() / 4);
  }
  StopDrawing();
  if (!Start3D()) return;
  Sprite3DQuality(1);
  Sprite3DBlendingMode(blendTransparent);
  ZoomSprite3D(obj::creditsLandscape, screenWidth, screenHeight);
  DisplaySprite3D(obj::creditsLandscape, 0, 0);
  Stop3D();
}

void DrawTextLayer() {
  const CreditsState& c = game.credits;
  if (!StartDrawing()) return;
  DrawingMode(1);
  DrawingFont(obj::fontCredits);
  FrontColor(creditsTextColour);
  for (int i = 0; i < static_cast<int>(c.lines.size()); ++i) {
    const int y = CreditsLineY(i);
    if (y >= screenHeight || y + creditsLineSpacing < 0 || c.lines[i].empty()) continue;
    DrawText(c.lineX[i], y, c.lines[i]);
  }
  StopDrawing();
}

void DrawTitle() {
  if (!Start3D()) return;
  Sprite3DBlendingMode(blendTransparent);
  DisplaySprite3D(obj::creditsTitle, 0, 0);
  Stop3D();
}

}  // namespace

std::vector<std::string> SplitCreditsText(const std::string& text) {
  std::vector<std::string> lines;
  std::string buffer;
  for (char ch : text) {
    if (ch == '\n') {
      lines.push_back(buffer);
      buffer.clear();
    } else if (ch != '\r') {
      buffer += ch;
    }
  }
  // The text after the last line feed is a line too (the text ends without one).
  if (!buffer.empty()) lines.push_back(buffer);
  return lines;
}

int CreditsLineY(int line) {
  return RoundHalfAway(game.credits.scrollOffset + line * creditsLineSpacing);
}

void OpenCredits() {
  game.credits = CreditsState{};
  CreditsState& c = game.credits;
  LoadCreditsAssets();
  LoadFont(obj::fontCredits, "Designer Block", creditsFontSize);
  SoundVolume(obj::creditsMusic, static_cast<int>(c.fadeVolume));
  PlaySound(obj::creditsMusic, soundLoop);
  c.lines = SplitCreditsText(CreditsText());
  c.lineX.clear();
  if (StartDrawing()) {
    DrawingFont(obj::fontCredits);
    for (const std::string& line : c.lines) c.lineX.push_back(screenWidth / 2 - TextWidth(line) / 2);
    StopDrawing();
  }
  c.lineX.resize(c.lines.size(), screenWidth / 2);
  BuildLandscape(c.landscape);
  CreateSprite(obj::creditsLandscape, landscapeWidth, landscapeHeight, spriteTexture);
  CreateSprite3D(obj::creditsLandscape, obj::creditsLandscape);
}

bool CreditsFrame() {
  CreditsState& c = game.credits;
  ClearScreen(0);
  ExamineKeyboard();
  StepCreditsCamera(c.camera, ElapsedMilliseconds());
  DrawLandscapeLayer();
  // The lines are drawn where the offset puts them, then move up, so the first line is at 768
  // in the first frame.
  DrawTextLayer();
  c.scrollOffset -= 1;
  DrawTitle();
  if (KeyboardPushed(keyEscape) || GamepadPushed(padA) || GamepadPushed(padBack)) c.leaving = true;
  if (c.leaving) {
    c.fadeVolume -= 1;
    SoundVolume(obj::creditsMusic, static_cast<int>(c.fadeVolume));
  }
  PresentFrame();
  return c.fadeVolume > 0;
}

void CloseCredits() {
  FreeCreditsAssets();
  FreeFont(obj::fontCredits);
  FreeSprite3D(obj::creditsLandscape);
  FreeSprite(obj::creditsLandscape);
  game.credits = CreditsState{};
}

void RunCredits() {
  OpenCredits();
  while (CreditsFrame()) {
  }
  CloseCredits();
}
