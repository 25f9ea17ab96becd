// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/ending_screen.h"

#include <cmath>
#include <cstdint>

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/play_buttons.h"
#include "core/run_options.h"
#include "core/screen.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

// The backdrop keeps this share of its brightness, so the texts stand out and the last moment
// of play still shows through.
constexpr int backdropPercent = 35;

constexpr int lineFadeFrames = frameRate;     // each line fades in over a second...
constexpr int lineFadeStagger = frameRate / 6;  // ...a little after the line above it
constexpr float bobHeight = 5;                // pixels up and down of the title's letters
constexpr float bobSpeed = 0.08f;             // radians a frame
constexpr float bobLetterPhase = 0.45f;       // radians from one letter to the next
constexpr int promptBlinkFrames = frameRate / 2;

enum class Metal { gold, silver };
enum class Motion { still, bobbing };

// The ending's lines, top to bottom; EndingLines gives their texts in the same order.
struct LineStyle {
  Metal metal;
  int size;    // each glyph drawn size x size pixels
  int step;    // pixels from one glyph to the next
  int y;       // top of the glyphs
  Motion motion;
};
constexpr LineStyle lineStyles[] = {
    {Metal::gold, 64, 40, 180, Motion::bobbing},  // the congratulation
    {Metal::silver, 36, 20, 262, Motion::still},  // what the player did
    {Metal::silver, 36, 20, 352, Motion::still},  // "FINAL SCORE"
    {Metal::gold, 64, 40, 384, Motion::still},    // the score
    {Metal::silver, 36, 20, 482, Motion::still},  // "LEVEL REACHED"
    {Metal::gold, 64, 40, 514, Motion::still},    // the level
    {Metal::silver, 36, 20, 640, Motion::still},  // the invitation to click, after the hold
};
constexpr int promptLine = 6;

void DimBackdrop() {
  if (!StartDrawing(drawSprite, obj::endingBackdrop)) return;
  uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  const int width = SpriteWidth(obj::endingBackdrop);
  const int height = SpriteHeight(obj::endingBackdrop);
  for (int y = 0; pixels && y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t& p = pixels[static_cast<std::size_t>(y) * pitch + x];
      const uint32_t r = ((p >> 16) & 255) * backdropPercent / 100;
      const uint32_t g = ((p >> 8) & 255) * backdropPercent / 100;
      const uint32_t b = (p & 255) * backdropPercent / 100;
      p = (p & 0xFF000000u) | r << 16 | g << 8 | b;
    }
  }
  StopDrawing();
}

// A line of glyphs centred on the playfield. The glyphs' quads are shared with the HUD and the
// floating texts: each gets its own size back once drawn.
void DrawGlyphLine(const std::string& text, const LineStyle& style, int alpha, int frame) {
  const int base = style.metal == Metal::gold ? goldGlyphBase : silverGlyphBase;
  const int count = static_cast<int>(text.size());
  int x = playCentreX - ((count - 1) * style.step + style.size) / 2;
  for (int i = 0; i < count; ++i) {
    const int quad = base + static_cast<unsigned char>(text[i]);
    float y = static_cast<float>(style.y);
    if (style.motion == Motion::bobbing) {
      y += bobHeight * std::sin(frame * bobSpeed + i * bobLetterPhase);
    }
    ZoomSprite3D(quad, style.size, style.size);
    RotateSprite3D(quad, 0, 0);
    DisplaySprite3D(quad, x, RoundHalfAway(y), alpha);
    ZoomSprite3D(quad, SpriteWidth(quad), SpriteHeight(quad));
    x += style.step;
  }
}

// 0 before the line's turn, rising to 255 over lineFadeFrames.
int LineAlpha(int line, int frame) {
  const int shown = frame - line * lineFadeStagger;
  if (shown <= 0) return 0;
  return shown >= lineFadeFrames ? 255 : shown * 255 / lineFadeFrames;
}

void DrawEnding(int frame) {
  DisplaySprite(obj::endingBackdrop, 0, 0);
  if (!Start3D()) return;
  Sprite3DBlendingMode(blendTransparent);
  Sprite3DQuality(1);
  const std::vector<std::string> lines = EndingLines();
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (i == promptLine) {
      const int sinceHold = frame - endingHoldFrames;
      if (sinceHold < 0 || (sinceHold / promptBlinkFrames) % 2 == 1) continue;
      DrawGlyphLine(lines[i], lineStyles[i], 255, frame);
      continue;
    }
    DrawGlyphLine(lines[i], lineStyles[i], LineAlpha(i, frame), frame);
  }
  Stop3D();
}

// A click of any button, or the play button's key or the pad's A.
bool Clicked() { return PlayButtonPushed() || MouseButtonPressed(2) || MouseButtonPressed(3); }

}  // namespace

std::vector<std::string> EndingLines() {
  // Play has moved on to the first level without a file: as the player counts levels, from 1,
  // that number is the last level played.
  return {"CONGRATULATIONS!",
          "YOU CLEARED EVERY LEVEL",
          "FINAL SCORE",
          std::to_string(game.score),
          "LEVEL REACHED",
          std::to_string(game.levelNumber),
          "CLICK FOR THE MENU"};
}

void OpenEnding() {
  if (!GrabSprite(obj::endingBackdrop, 0, 0, screenWidth, screenHeight)) {
    CreateSprite(obj::endingBackdrop, screenWidth, screenHeight, 0);
  }
  DimBackdrop();
}

bool EndingFrame(int frame) {
  StartFrame();
  ExamineKeyboard();
  ExamineMouse();
  if (KeyboardReleased(keyS)) SaveScreenshot();
  DrawEnding(frame);
  if (frame < endingHoldFrames) return true;
  // The autopilot plays on by itself; a person clicks.
  return !runOptions.keepPlaying && !Clicked();
}

void CloseEnding() { FreeSprite(obj::endingBackdrop); }

void RunEnding() {
  OpenEnding();
  for (int frame = 0; EndingFrame(frame); ++frame) {
  }
  CloseEnding();
}
