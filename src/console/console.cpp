// SPDX-License-Identifier: GPL-3.0-or-later
// The console's set-up, its key, and its frame step: layers, slide, typing and history.
#include "console/console.h"

#include <cmath>

#include "assets/objects.h"
#include "console/pong.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float slideStep = 4.5f;          // pixels a frame: 43 frames to open or close
constexpr int linesAbovePrompt = 4;        // history lines shown above the prompt on opening
constexpr int textLeft = 5;
constexpr int cursorPeriod = 100;          // ms per blink phase
constexpr int gridStep = 16;               // squares of 16 pixels ...
constexpr int gridWrap = 32;               // ... drifting half a pixel a frame, wrapping at 32
constexpr float gridDrift = 0.5f;
constexpr int textAlpha = 200;
constexpr int consoleFontSize = 11;        // fits a 20-pixel line
constexpr const char* consoleFace = "Monospace";
constexpr const char* titleLine = "KALDOVIRENT 3 REVOLUTION (2006) CONSOLE MODE";
constexpr const char* promptText = "Command : ";
constexpr int textBlue = RGB(0, 0, 255);
constexpr int gridGreen = RGB(0, 255, 0);
constexpr int historyColour = RGB(255, 255, 255);
constexpr int promptColour = RGB(0, 255, 200);

// Layers that show their own colours: black on the grid layer is a colour, not a colour key.
void MakeLayer(int number) {
  CreateSprite(number, screenWidth, consoleHeight, spriteTexture | spriteAlpha);
  CreateSprite3D(number, number);
}

void ShowLayers() {
  const int y = RoundHalfAway(game.console.position);
  Sprite3DBlendingMode(blendTransparent);
  DisplaySprite3D(obj::consoleGrid, 0, y);
  DisplaySprite3D(obj::consoleText, 0, y, textAlpha);
}

// Above the screen, at rest and no longer called by the frame loop.
void PutAway() {
  ConsoleState& c = game.console;
  c.position = -consoleHeight;
  c.motion = consoleSlidingIn;
  c.shown = false;
  // A finished level stays frozen until the click that ends it, as the level-cleared test
  // leaves it; otherwise a ball lost after "CHANGELEVEL" would also cost a life and skip
  // the next level's file.
  game.paused = game.levelComplete || game.lifeLost ? 1 : 0;
}

void Slide() {
  ConsoleState& c = game.console;
  if (c.motion == consoleSlidingIn) c.position += slideStep;
  if (c.position >= 0 && c.motion == consoleSlidingIn) {
    c.position = 0;
    c.motion = consoleOpen;
    game.paused = 1;
    c.wheelOffset = 0;
    const int rows = static_cast<int>(c.history.size());
    c.textScroll = static_cast<float>((rows - linesAbovePrompt) * consoleLineHeight);
  }
  // Held while open: a level that starts meanwhile (a click after "CHANGELEVEL") clears it.
  if (c.motion == consoleOpen) game.paused = 1;
  if (KeyboardPushed(keyPageUp) && c.motion == consoleOpen) c.motion = consoleClosing;
  if (c.motion == consoleClosing) {
    c.position -= slideStep;
    if (c.position <= -consoleHeight) PutAway();
  }
}

// Latin-1 only: the history is drawn from single-byte text.
bool Typeable(int character) {
  return (character >= 0x20 && character < 0x7F) || (character >= 0xA0 && character <= 0xFF);
}

void ReadKeys() {
  ConsoleState& c = game.console;
  const int typed = KeyboardTypedCharacter();
  const bool consoleKeyUsed = KeyboardPushed(keyConsole) || KeyboardReleased(keyConsole);
  if (c.motion == consoleOpen && Typeable(typed) && !consoleKeyUsed) {
    c.inputLine += static_cast<char>(typed);
  }
  if (KeyboardReleased(keyBackspace) && !c.inputLine.empty()) c.inputLine.pop_back();
  if (KeyboardPushed(keyUp)) c.inputLine = c.lastCommand;
  if (KeyboardReleased(keyReturn)) ExecuteConsoleLine(c.inputLine);
}

void RedrawGrid() {
  ConsoleState& c = game.console;
  c.gridOffsetX += gridDrift;
  c.gridOffsetY += gridDrift;
  if (!StartDrawing(drawSprite, obj::consoleGrid)) return;
  DrawingMode(0);
  Box(0, 0, screenWidth, consoleHeight, RGB(0, 0, 0));
  if (c.gridOffsetX >= gridWrap) c.gridOffsetX = 0;
  if (c.gridOffsetY >= gridWrap) c.gridOffsetY = 0;
  DrawingMode(4);
  for (int gy = -gridWrap; gy <= consoleHeight; gy += gridStep) {
    for (int gx = -gridWrap; gx <= screenWidth; gx += gridStep) {
      Box(RoundHalfAway(gx + c.gridOffsetX),
          RoundHalfAway(gy + c.gridOffsetY), gridStep, gridStep, gridGreen);
    }
  }
  StopDrawing();
}

int RowY(int row) {
  const ConsoleState& c = game.console;
  return RoundHalfAway(row * consoleLineHeight - c.textScroll - c.wheelOffset);
}

void RedrawText() {
  const ConsoleState& c = game.console;
  if (!StartDrawing(drawSprite, obj::consoleText)) return;
  DrawingMode(0);
  Box(0, 0, screenWidth, consoleHeight, textBlue);
  DrawingMode(1);
  DrawingFont(obj::fontConsole);
  const int rows = static_cast<int>(c.history.size());
  for (int i = 0; i < rows; ++i) {
    const int y = RowY(i);
    // Lines off the layer cost nothing; a long history is not drawn line by line.
    if (y <= -consoleLineHeight || y >= consoleHeight) continue;
    DrawText(textLeft, y, c.history[static_cast<std::size_t>(i)], historyColour, textBlue);
  }
  std::string prompt = promptText + c.inputLine;
  if (c.cursorGlyph) prompt += c.cursorGlyph;
  DrawText(textLeft, RowY(rows), prompt, promptColour, textBlue);
  StopDrawing();
}

// The underscore shows for two phases, the blank for one.
void BlinkCursor() {
  ConsoleState& c = game.console;
  const int64_t now = ElapsedMilliseconds();
  if (c.cursorDeadline >= now) return;
  c.cursorDeadline = now + cursorPeriod;
  ++c.cursorPhase;
  if (c.cursorPhase == 0) c.cursorGlyph = ' ';
  if (c.cursorPhase == 1) c.cursorGlyph = '_';
  if (c.cursorPhase == 2) c.cursorPhase = -1;
}

// One line per frame, whatever the wheel's amount.
void ScrollWithWheel() {
  const int wheel = MouseWheel();
  if (wheel >= 1) game.console.wheelOffset += consoleLineHeight;
  if (wheel < 0) game.console.wheelOffset -= consoleLineHeight;
}

}  // namespace

void SetUpConsole() {
  game.console.history.push_back(titleLine);
  game.console.history.push_back(consoleRule);
  MakeLayer(obj::consoleText);
  MakeLayer(obj::consoleGrid);
  LoadFont(obj::fontConsole, consoleFace, consoleFontSize);
  // Setting only the position would leave a console that was open open above the screen,
  // typing and holding the game still out of sight; it is put away as if closed.
  if (game.console.shown) {
    PutAway();
  } else {
    game.console.position = -consoleHeight;
  }
  SetUpPong();
}

void HandleConsoleKey() {
  if (!KeyboardReleased(keyConsole)) return;
  ConsoleState& c = game.console;
  if (!c.shown) {
    c.shown = true;
  } else if (c.motion == consoleOpen) {
    c.motion = consoleClosing;
  }
}

void StepConsole() {
  ShowLayers();
  Slide();
  ReadKeys();
  RedrawGrid();
  RedrawText();
  BlinkCursor();
  ScrollWithWheel();
}

void AppendConsoleLine(const std::string& text) {
  game.console.history.push_back(text);
  game.console.textScroll += consoleLineHeight;
}
