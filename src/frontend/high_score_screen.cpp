// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/high_score_screen.h"

#include <cctype>
#include <string>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/high_score_table.h"
#include "core/player_text.h"
#include "core/screen.h"
#include "core/settings.h"
#include "frontend/main_menu.h"
#include "frontend/menu_input.h"
#include "frontend/pause_screen.h"
#include "media/media.h"

namespace {

// The menu's colours (its pictures are drawn in them).
constexpr int ice = RGB(0xE8, 0xF6, 0xFF);
constexpr int cyan = RGB(0x40, 0xD8, 0xFF);
constexpr int gold = RGB(0xFF, 0xC8, 0x30);
constexpr int violet = RGB(0xA0, 0x50, 0xFF);

constexpr const char* fontFace = "Designer Block";  // the face of the menu's pictures
constexpr int rowFontSize = 22;
constexpr int largeFontSize = 34;

constexpr int headingY = 56;           // the HIGH SCORES item picture, at x 0
constexpr int difficultyY = 122;       // "<  NORMAL  >"
constexpr int difficultyArrowGap = 150;  // from the screen's centre to each arrow
constexpr int columnsY = 178;          // the columns' titles
constexpr int firstRowY = 214;
constexpr int rowStep = 44;
constexpr int bandHalf = 53;           // the highlight band picture is 106 high
constexpr int bandTile = 128;
constexpr int bandTiles = 9;
constexpr int bandAlpha = 140;
constexpr int hintY = 712;

// The columns, left to right: where each is drawn and how its text stands there.
enum class Align { left, right, centre };
struct Column {
  const char* title;
  int x;
  Align align;
};
constexpr Column rankColumn = {"RANK", 150, Align::right};
constexpr Column scoreColumn = {"SCORE", 360, Align::right};
constexpr Column levelColumn = {"LEVEL", 450, Align::centre};
constexpr Column nameColumn = {"NAME", 530, Align::left};
constexpr Column dateColumn = {"DATE", 880, Align::right};
constexpr Column columns[] = {rankColumn, scoreColumn, levelColumn, nameColumn, dateColumn};

HighScoreScreenState& screen() { return game.menu.highScores; }
Difficulty Shown() { return static_cast<Difficulty>(screen().shown); }

void DrawAligned(const Column& column, int y, const std::string& text, int colour) {
  int x = column.x;
  if (column.align == Align::right) x -= TextWidth(text);
  if (column.align == Align::centre) x -= TextWidth(text) / 2;
  DrawText(x, y, text, colour, 0);
}

void DrawCentred(int centreX, int y, const std::string& text, int colour) {
  DrawText(centreX - TextWidth(text) / 2, y, text, colour, 0);
}

bool NewRowShown(int row) {
  return row == screen().newRow && screen().newDifficulty == screen().shown;
}

void DrawHighlight() {
  if (screen().newDifficulty != screen().shown || screen().newRow < 0) return;
  const int centre = firstRowY + screen().newRow * rowStep + rowStep / 2;
  for (int i = 0; i < bandTiles; ++i) {
    DisplaySprite3D(obj::menuBand, i * bandTile, centre - bandHalf, bandAlpha);
  }
}

void DrawTable() {
  DrawingFont(obj::fontScoresLarge);
  std::string word = DifficultyWord(Shown());
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  DrawCentred(screenWidth / 2, difficultyY, word, gold);
  DrawCentred(screenWidth / 2 - difficultyArrowGap, difficultyY, "<", violet);
  DrawCentred(screenWidth / 2 + difficultyArrowGap, difficultyY, ">", violet);

  DrawingFont(obj::fontScores);
  for (const Column& column : columns) DrawAligned(column, columnsY, column.title, cyan);
  const HighScoreTable& table = screen().scores.Table(Shown());
  const int lift = TextHeight("A") / 2;
  if (table.empty()) {
    DrawCentred(screenWidth / 2, firstRowY + 2 * rowStep, "NO GAMES YET", ice);
  }
  for (int row = 0; row < static_cast<int>(table.size()); ++row) {
    const HighScoreEntry& entry = table[row];
    const int y = firstRowY + row * rowStep + rowStep / 2 - lift;
    const int colour = NewRowShown(row) ? gold : ice;
    DrawAligned(rankColumn, y, std::to_string(row + 1), colour);
    DrawAligned(scoreColumn, y, std::to_string(entry.score), colour);
    DrawAligned(levelColumn, y, std::to_string(entry.level), colour);
    DrawAligned(nameColumn, y, NameAsShown(entry.name), colour);
    DrawAligned(dateColumn, y, entry.date, colour);
  }
  const char* hint = screen().attract
                         ? "Press any key or click for the menu"
                         : "Left and Right choose the difficulty, Escape, Enter or a click return";
  DrawCentred(screenWidth / 2, hintY, hint, cyan);
}

void DrawScreen() {
  ClearScreen(0);
  ScrollMenuBackground();
  DisplayTransparentSprite(obj::menuFrame, 0, 0);
  DisplayTransparentSprite(obj::menuItemHighScores, 0, headingY);
  if (Start3D()) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawHighlight();
    Stop3D();
  }
  if (StartDrawing()) {
    DrawingMode(1);
    DrawTable();
    StopDrawing();
  }
  // The attract cycle's table is looked at, not worked: no pointer.
  if (!screen().attract && Start3D()) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawMenuPointer();
    Stop3D();
  }
}

void ShowAnother(int direction) {
  screen().shown = static_cast<int16_t>((screen().shown + direction + difficultyCount) % difficultyCount);
}

// Shown by the untouched menu: a person's key, click, pad button or movement goes back to it;
// left alone, the demo game follows.
void AttractInput(bool moved) {
  const bool touched = moved || MouseButton(1) || MouseButton(2) || MouseButton(3) ||
                       KeyboardPushed(-1) || GamepadTouched();
  if (touched) {
    CloseHighScoreScreen();
    return;
  }
  if (ElapsedMilliseconds() - screen().openedAt >= highScoreAttractMs) {
    CloseHighScoreScreen();
    game.menu.result = menuDemo;
  }
}

void PlayerInput() {
  const bool down = MouseButton(1);
  const bool click = down && !screen().buttonHeld;
  screen().buttonHeld = down;
  if (MenuLeft()) ShowAnother(-1);
  if (MenuRight()) ShowAnother(1);
  if (click || MenuChoose() || MenuBack()) CloseHighScoreScreen();
}

void Open(Difficulty shown, bool attract) {
  HighScoreScreenState& s = screen();
  s = HighScoreScreenState{};
  s.open = true;
  s.scores = LoadHighScores();
  s.shown = static_cast<int16_t>(shown);
  s.attract = attract;
  s.openedAt = ElapsedMilliseconds();
  // The click that opened the screen is not a click that closes it.
  s.buttonHeld = true;
  LoadFont(obj::fontScores, fontFace, rowFontSize);
  LoadFont(obj::fontScoresLarge, fontFace, largeFontSize);
}

}  // namespace

void OpenHighScoreScreen(Difficulty shown, bool attract) { Open(shown, attract); }

void OpenHighScoreScreenAt(Difficulty shown, int newRow) {
  Open(shown, false);
  screen().newRow = static_cast<int16_t>(newRow);
  screen().newDifficulty = static_cast<int16_t>(shown);
}

void HighScoreFrame() {
  if (!FocusCheck()) ReloadMenuPictures();
  const bool moved = MoveMenuPointer();
  DrawScreen();
  PresentFrame();
  ExamineKeyboard();
  if (screen().attract) {
    AttractInput(moved);
  } else {
    PlayerInput();
  }
}

void CloseHighScoreScreen() {
  FreeFont(obj::fontScores);
  FreeFont(obj::fontScoresLarge);
  screen().open = false;
  game.menu.waitForRelease = true;
  // The time spent here was not idle: the menu waits its full time again.
  game.menu.idleSince = -1;
}

std::string NameAsShown(const std::string& name) {
  std::string shown;
  for (const uint32_t codePoint : CodePoints(name)) {
    shown += FontHasCharacter(codePoint) ? Utf8Of(codePoint) : "?";
  }
  return shown;
}
