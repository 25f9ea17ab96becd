// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/name_entry.h"

#include "assets/objects.h"
#include "core/player_text.h"
#include "core/screen.h"
#include "core/settings.h"
#include "frontend/high_score_screen.h"
#include "frontend/main_menu.h"
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
constexpr int titleY = 190;
constexpr int scoreY = 262;
constexpr int promptY = 350;
constexpr int fieldWidth = 560, fieldHeight = 64;
constexpr int fieldX = (screenWidth - fieldWidth) / 2;
constexpr int fieldY = 396;
constexpr int countY = fieldY + fieldHeight + 14;
constexpr int hintY = 712;
constexpr int padHintY = 680;
constexpr int cursorBlinkFrames = 20;  // shown, then hidden, as long each

struct NameEntry {
  std::string name;
  bool done = false;
  // Escape acts only once it has been seen up: the press that gave up the game is still held,
  // or its release not yet read, when the screen opens.
  bool escapeArmed = false;
  int frame = 0;
};

void DrawCentred(int y, const std::string& text, int colour) {
  DrawText((screenWidth - TextWidth(text)) / 2, y, text, colour, 0);
}

void DrawField(const NameEntry& entry) {
  DrawingMode(4);
  Box(fieldX, fieldY, fieldWidth, fieldHeight, violet);
  Box(fieldX + 2, fieldY + 2, fieldWidth - 4, fieldHeight - 4, cyan);
  DrawingMode(1);
  DrawingFont(obj::fontScoresLarge);
  const std::string shown = NameAsShown(entry.name);
  const bool cursorOn = (entry.frame / cursorBlinkFrames) % 2 == 0;
  const int width = TextWidth(shown);
  const int x = (screenWidth - width) / 2;
  const int y = fieldY + (fieldHeight - TextHeight("A")) / 2;
  DrawText(x, y, shown, gold, 0);
  if (cursorOn) DrawText(x + width + 2, y, "_", ice, 0);
}

void DrawScreen(int score, const NameEntry& entry) {
  ClearScreen(0);
  ScrollMenuBackground();
  DisplayTransparentSprite(obj::menuFrame, 0, 0);
  DisplayTransparentSprite(obj::menuItemHighScores, 0, headingY);
  if (!StartDrawing()) return;
  DrawingMode(1);
  DrawingFont(obj::fontScoresLarge);
  DrawCentred(titleY, "NEW HIGH SCORE", gold);
  DrawCentred(scoreY, std::to_string(score), ice);
  DrawingFont(obj::fontScores);
  DrawCentred(promptY, "YOUR NAME", cyan);
  const int left = playerNameCharacters - static_cast<int>(CodePoints(entry.name).size());
  DrawCentred(countY, std::to_string(left) + " characters left", violet);
  DrawCentred(hintY, "Backspace deletes, Enter confirms, Escape keeps the last name", cyan);
  if (GamepadConnected()) {
    DrawCentred(padHintY, "Pad: Up and Down pick, A adds, Left deletes, Start confirms", cyan);
  }
  DrawField(entry);
  StopDrawing();
}

// Typed characters come one a snapshot, and a key let go after them is read with the last of
// them: the character goes in before the keys are looked at, as it was typed.
void HandleKeys(NameEntry& entry, const std::string& offered) {
  ExamineKeyboard();
  const uint32_t typed = static_cast<uint32_t>(KeyboardTypedCharacter());
  const bool room = static_cast<int>(CodePoints(entry.name).size()) < playerNameCharacters;
  const std::string character = typed > 0 ? Utf8Of(typed) : "";
  if (room && !character.empty() && ValidPlayerName(character)) entry.name += character;
  if (KeyboardReleased(keyBackspace)) entry.name = WithoutLastCharacter(entry.name);
  if (KeyboardReleased(keyReturn) || KeyboardReleased(keyPadEnter)) entry.done = true;
  if (entry.escapeArmed && KeyboardReleased(keyEscape)) {
    entry.name = offered;
    entry.done = true;
  }
  if (!KeyboardPushed(keyEscape) && !KeyboardReleased(keyEscape)) entry.escapeArmed = true;
}

// A pad picks the name as an arcade machine does: Up and Down step the last letter through the
// letters, A or Right takes the next one, Left deletes, Start confirms and Back keeps the
// offered name.
void HandlePad(NameEntry& entry, const std::string& offered) {
  const bool room = static_cast<int>(CodePoints(entry.name).size()) < playerNameCharacters;
  if (GamepadPushed(padUp)) entry.name = WithLastLetterPicked(entry.name, 1);
  if (GamepadPushed(padDown)) entry.name = WithLastLetterPicked(entry.name, -1);
  if ((GamepadPushed(padA) || GamepadPushed(padRight)) && room) entry.name += pickedLetters[0];
  if (GamepadPushed(padLeft)) entry.name = WithoutLastCharacter(entry.name);
  if (GamepadPushed(padStart)) entry.done = true;
  if (GamepadPushed(padBack)) {
    entry.name = offered;
    entry.done = true;
  }
}

}  // namespace

std::string RunNameEntry(int score, const std::string& offered) {
  LoadFont(obj::fontScores, fontFace, rowFontSize);
  LoadFont(obj::fontScoresLarge, fontFace, largeFontSize);
  NameEntry entry;
  entry.name = CleanPlayerName(offered);
  while (!entry.done) {
    if (!FocusCheck()) ReloadMenuPictures();
    ExamineMouse();
    DrawScreen(score, entry);
    PresentFrame();
    HandleKeys(entry, offered);
    if (!entry.done) HandlePad(entry, offered);
    ++entry.frame;
  }
  FreeFont(obj::fontScores);
  FreeFont(obj::fontScoresLarge);
  return CleanPlayerName(entry.name);
}
