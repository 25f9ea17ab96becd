// SPDX-License-Identifier: GPL-3.0-or-later
// The console's set-up, its key, and its frame step: its picture, slide, typing and history.
#include "console/console.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// The console's picture is the text layer at alpha 200 over the grid: a green square outline
// every 16 pixels on black. The text layer is drawn only when its text changes; the picture is
// made from it on the CPU only when the grid moves, and goes onto the screen as a plain copy. (Two full-width layers blended each frame cost a machine without a
// graphics card more than the whole paused game.)
struct ConsolePicture {
  std::vector<uint32_t> overBlack;  // the text layer at alpha 200 over black, 0xAARRGGBB
  std::vector<uint32_t> overGreen;  // the same over the grid's green
  // What the text layer and the picture were last made from.
  bool textDrawn = false;
  uint32_t commandsRun = 0;
  std::size_t rows = 0;
  float textScroll = 0;
  int wheelOffset = 0;
  std::string inputLine;
  char cursorGlyph = 0;
  bool made = false;
  int gridShiftX = 0;
  int gridShiftY = 0;
  bool shown = false;  // the screen was given the picture since it was made
  bool inQuad = false;  // the quad's sprite has the picture since it was made
};
ConsolePicture picture;

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

void DriftGrid() {
  ConsoleState& c = game.console;
  c.gridOffsetX += gridDrift;
  c.gridOffsetY += gridDrift;
  if (c.gridOffsetX >= gridWrap) c.gridOffsetX = 0;
  if (c.gridOffsetY >= gridWrap) c.gridOffsetY = 0;
}

// The grid drifts as one lattice of squares placed from the drift rounded once: a square's
// outline is its first and last column and row. (Rounded square by square, the squares past the
// left and top edges went the other way at every half pixel: the lines there jumped a pixel back
// and forth each frame.)
int GridShift(float offset) { return RoundHalfAway(offset) % gridStep; }

bool OnGridLine(int position, int shift) {
  const int inSquare = ((position - shift) % gridStep + gridStep) % gridStep;
  return inSquare == 0 || inSquare == gridStep - 1;
}

int RowY(int row) {
  const ConsoleState& c = game.console;
  return RoundHalfAway(row * consoleLineHeight - c.textScroll - c.wheelOffset);
}

// The text layer's rows from top to bottom: blue, and the lines whose rows meet them. Drawn on
// the CPU, where the layer is read.
void DrawTextLayer(int top, int bottom) {
  const ConsoleState& c = game.console;
  // An image, drawn and read on the CPU.
  if (!IsImage(obj::consoleText)) CreateImage(obj::consoleText, screenWidth, consoleHeight);
  if (!StartDrawing(drawImage, obj::consoleText)) return;
  DrawingMode(0);
  Box(0, top, screenWidth, bottom - top, textBlue);
  DrawingMode(1);
  DrawingFont(obj::fontConsole);
  auto meets = [top, bottom](int y) { return y + consoleLineHeight > top && y < bottom; };
  const int rows = static_cast<int>(c.history.size());
  for (int i = 0; i < rows; ++i) {
    const int y = RowY(i);
    // Lines off the layer cost nothing; a long history is not drawn line by line.
    if (!meets(y)) continue;
    DrawText(textLeft, y, c.history[static_cast<std::size_t>(i)], historyColour, textBlue);
  }
  std::string prompt = promptText + c.inputLine;
  if (c.cursorGlyph) prompt += c.cursorGlyph;
  if (meets(RowY(rows))) DrawText(textLeft, RowY(rows), prompt, promptColour, textBlue);
  StopDrawing();
}

// One channel of the text layer at alpha 200 over a channel of the grid's black or green,
// rounded: a table for each.
struct OverGridTables {
  uint8_t overBlack[256];
  uint8_t overGreen[256];
};
const OverGridTables& OverGrid() {
  static const OverGridTables tables = [] {
    OverGridTables t{};
    for (int v = 0; v < 256; ++v) {
      t.overBlack[v] = static_cast<uint8_t>((v * textAlpha + 127) / 255);
      t.overGreen[v] = static_cast<uint8_t>((v * textAlpha + Green(gridGreen) * (255 - textAlpha) + 127) / 255);
    }
    return t;
  }();
  return tables;
}

// The text layer's rows from top to bottom over black and over the grid's green.
void ReadTextLayer(int top, int bottom) {
  if (!StartDrawing(drawImage, obj::consoleText)) return;
  const uint32_t* pixels = DrawingPixels();
  const int pitch = DrawingBufferPitch() / 4;
  const OverGridTables& over = OverGrid();
  const std::size_t count = static_cast<std::size_t>(screenWidth) * consoleHeight;
  picture.overBlack.resize(count);
  picture.overGreen.resize(count);
  for (int y = top; pixels && y < bottom; ++y) {
    for (int x = 0; x < screenWidth; ++x) {
      const uint32_t p = pixels[static_cast<std::size_t>(y) * pitch + x];
      const uint32_t redBlue = over.overBlack[(p >> 16) & 255] << 16 | over.overBlack[p & 255];
      const std::size_t i = static_cast<std::size_t>(y) * screenWidth + x;
      picture.overBlack[i] = redBlue | over.overBlack[(p >> 8) & 255] << 8;
      picture.overGreen[i] = redBlue | over.overGreen[(p >> 8) & 255] << 8;
    }
  }
  StopDrawing();
}

// Draws the text layer again when what it shows changed: the prompt's row alone when only the
// typing or the cursor's blink changed it, which is nearly always.
void RefreshText() {
  const ConsoleState& c = game.console;
  ConsolePicture& p = picture;
  const bool sameRows = p.textDrawn && p.commandsRun == c.commandsRun && p.rows == c.history.size() &&
                        p.textScroll == c.textScroll && p.wheelOffset == c.wheelOffset;
  if (sameRows && p.inputLine == c.inputLine && p.cursorGlyph == c.cursorGlyph) return;
  int top = 0;
  int bottom = consoleHeight;
  if (sameRows) {
    const int promptY = RowY(static_cast<int>(c.history.size()));
    top = std::clamp(promptY, 0, consoleHeight);
    bottom = std::clamp(promptY + consoleLineHeight, 0, consoleHeight);
  }
  if (top < bottom) {
    DrawTextLayer(top, bottom);
    ReadTextLayer(top, bottom);
  }
  p.textDrawn = true;
  p.commandsRun = c.commandsRun;
  p.rows = c.history.size();
  p.textScroll = c.textScroll;
  p.wheelOffset = c.wheelOffset;
  p.inputLine = c.inputLine;
  p.cursorGlyph = c.cursorGlyph;
}

// Makes the picture again when the grid moved, with the text as it then stands. The grid moves
// every other frame: what is typed and the cursor's blink wait for it, a frame at most, and the
// picture is made once for both.
void RefreshPicture() {
  const ConsoleState& c = game.console;
  ConsolePicture& p = picture;
  const int shiftX = GridShift(c.gridOffsetX);
  const int shiftY = GridShift(c.gridOffsetY);
  if (p.made && p.gridShiftX == shiftX && p.gridShiftY == shiftY) return;
  RefreshText();
  if (!IsImage(obj::consolePicture)) CreateImage(obj::consolePicture, screenWidth, consoleHeight);
  if (p.overBlack.empty() || !StartDrawing(drawImage, obj::consolePicture)) return;
  uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  // All ones on a line's column: the choice between the two pixels is a mask, not a branch.
  std::vector<uint32_t> lineColumn(screenWidth);
  for (int x = 0; x < screenWidth; ++x) lineColumn[x] = OnGridLine(x, shiftX) ? ~0u : 0u;
  for (int y = 0; pixels && y < consoleHeight; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * screenWidth;
    uint32_t* out = pixels + static_cast<std::size_t>(y) * pitch;
    if (OnGridLine(y, shiftY)) {
      std::copy_n(p.overGreen.begin() + row, screenWidth, out);
      continue;
    }
    const uint32_t* green = p.overGreen.data() + row;
    const uint32_t* black = p.overBlack.data() + row;
    for (int x = 0; x < screenWidth; ++x) out[x] = (green[x] & lineColumn[x]) | (black[x] & ~lineColumn[x]);
  }
  StopDrawing();
  p.made = true;
  p.shown = false;
  p.inQuad = false;
  p.gridShiftX = shiftX;
  p.gridShiftY = shiftY;
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
  // The text layer and the picture are made when the console is first called up in a game.
  FreeImage(obj::consoleText);
  FreeImage(obj::consolePicture);
  FreeSprite3D(obj::consolePicture);
  FreeSprite(obj::consolePicture);
  picture = ConsolePicture{};
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

// Nothing before the first picture is made: the frame the console is called up in. A sharp
// display filters the picture up as a quad, as the layers always were; at the screen's own scale
// it is a plain copy, which at rest may go straight to the window.
void ShowConsole() {
  if (!picture.made) return;
  const int y = RoundHalfAway(game.console.position);
  if (DrawingSharp()) {
    // The picture's quad: a sprite with an alpha of its own (black is a colour there, not a key).
    if (!IsSprite3D(obj::consolePicture)) {
      CreateSprite(obj::consolePicture, screenWidth, consoleHeight, spriteTexture | spriteAlpha);
      CreateSprite3D(obj::consolePicture, obj::consolePicture);
      picture.inQuad = false;
    }
    if (!picture.inQuad && StartDrawing(drawSprite, obj::consolePicture)) {
      DrawImage(obj::consolePicture, 0, 0);
      StopDrawing();
      picture.inQuad = true;
    }
    Sprite3DBlendingMode(blendTransparent);
    DisplaySprite3D(obj::consolePicture, 0, y);
  } else {
    DisplayImage(obj::consolePicture, 0, y);
  }
  picture.shown = true;
}

bool ConsolePictureNew() { return picture.made && !picture.shown; }

bool ConsoleAtRest() { return game.console.shown && game.console.motion == consoleOpen; }

// The picture is opaque: drawn, it covers the quarter whole.
void LimitScreenToConsole() { LimitScreenChanges(0, 0, screenWidth, consoleHeight); }

void StepConsole() {
  Slide();
  ReadKeys();
  DriftGrid();
  RefreshPicture();
  BlinkCursor();
  ScrollWithWheel();
}

void AppendConsoleLine(const std::string& text) {
  game.console.history.push_back(text);
  game.console.textScroll += consoleLineHeight;
}
