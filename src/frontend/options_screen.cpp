// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/options_screen.h"

#include <cstdlib>
#include <iterator>
#include <string>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/run_options.h"
#include "core/screen.h"
#include "core/sound_effects.h"
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
constexpr int dimViolet = RGB(0x50, 0x30, 0x80);  // an arrow that can go no further

constexpr const char* fontFace = "Designer Block";  // the face of the menu's pictures
constexpr int rowFontSize = 22;
constexpr int smallFontSize = 14;

constexpr int headingY = 56;          // the OPTIONS item picture, at x 0
constexpr int labelX = 160;           // where the OPTIONS word of that picture starts
constexpr int firstRowY = 130;
constexpr int rowStep = 42;
constexpr int valueCentreX = (optionsLowerX + optionsRaiseX) / 2;
constexpr int bandHalf = 53;          // the highlight band picture is 106 high
constexpr int bandTile = 128;
constexpr int bandTiles = 9;
constexpr int bandAlpha = 120;

constexpr int controlsTitleY = 530;
constexpr int controlsDeviceY = 566;
constexpr int controlsFirstLineY = 590;
constexpr int controlsLineStep = 22;
constexpr int controlsColumnX[] = {80, 390, 700};  // mouse, keyboard, gamepad
constexpr int hintY = 712;

constexpr int volumeStep = 10;        // % a change
constexpr int speedStep = 10;         // % a change
constexpr int sampleSound = obj::soundSelect;  // heard when the effects volume changes

// Row by row as OptionsRow lists them: its label and the values it runs through.
struct RowRange {
  const char* label;
  int least;
  int most;
  int step;
};
constexpr RowRange rowRanges[optionsRowCount] = {
    {"MUSIC VOLUME", volumeLeast, volumeMost, volumeStep},
    {"EFFECTS VOLUME", volumeLeast, volumeMost, volumeStep},
    {"DISPLAY", 0, 1, 1},  // 0 full screen, 1 a window
    {"PICTURE", 0, 1, 1},  // 0 sharp, 1 classic
    {"DIFFICULTY", 0, difficultyCount - 1, 1},
    {"MOUSE SPEED", steeringSpeedLeast, steeringSpeedMost, speedStep},
    {"KEYBOARD SPEED", steeringSpeedLeast, steeringSpeedMost, speedStep},
    {"GAMEPAD SPEED", steeringSpeedLeast, steeringSpeedMost, speedStep},
    {"BACK", 0, 0, 0},
};
constexpr const char* displayNames[2] = {"FULL SCREEN", "WINDOW"};
constexpr const char* pictureNames[2] = {"SHARP", "CLASSIC"};
constexpr const char* difficultyNames[difficultyCount] = {"EASY", "NORMAL", "HARD"};

// The controls of the three devices, as play answers them.
constexpr int controlsLinesMost = 5;
struct ControlsColumn {
  const char* device;
  const char* lines[controlsLinesMost];  // nullptr after the last
};
constexpr ControlsColumn controls[std::size(controlsColumnX)] = {
    {"MOUSE",
     {"Move: steer the ship", "Left button: launch the ball,", "fire, release glued balls,",
      "go on after a level", nullptr}},
    {"KEYBOARD",
     {"Left, Right or A, D: steer", "Space or Ctrl: as the left button", "P: pause   M: music",
      "Escape: back to the menu", "Alt+Enter: window or full screen"}},
    {"GAMEPAD",
     {"Left stick or d-pad: steer", "A: as the left button", "Start: pause",
      "Back: back to the menu", nullptr}},
};

OptionsScreenState& screen() { return game.menu.options; }
OptionsRow SelectedRow() { return static_cast<OptionsRow>(screen().selected); }
const RowRange& RangeOf(OptionsRow row) { return rowRanges[static_cast<int>(row)]; }

int ValueOf(OptionsRow row) {
  const PlayerSettings& s = playerSettings;
  switch (row) {
    case OptionsRow::musicVolume: return s.musicVolume;
    case OptionsRow::effectsVolume: return s.effectsVolume;
    case OptionsRow::display: return s.fullScreen ? 0 : 1;
    case OptionsRow::picture: return s.sharpDisplay ? 0 : 1;
    case OptionsRow::difficulty: return static_cast<int>(s.difficulty);
    case OptionsRow::mouseSpeed: return s.mouseSpeed;
    case OptionsRow::keyboardSpeed: return s.keyboardSpeed;
    case OptionsRow::gamepadSpeed: return s.gamepadSpeed;
    case OptionsRow::back: break;
  }
  return 0;
}

// Sets the value and lets the player hear or see it at once.
void SetValue(OptionsRow row, int value) {
  PlayerSettings& s = playerSettings;
  switch (row) {
    case OptionsRow::musicVolume:
      s.musicVolume = value;
      SoundVolume(obj::music, value);
      break;
    case OptionsRow::effectsVolume:
      s.effectsVolume = value;
      PlayEffect(sampleSound, 0, 100, -1);
      break;
    case OptionsRow::display:
      s.fullScreen = value == 0;
      SetFullScreen(s.fullScreen);
      break;
    case OptionsRow::picture:
      // The player's choice now wins over --sharp or --classic; the screen is opened again in
      // the new way at once (pictures and quads live on, their textures are made anew).
      s.sharpDisplay = value == 0;
      runOptions.sharp = runOptions.classic = false;
      OpenGameScreen();
      AddDetailToLoadedPictures();
      break;
    case OptionsRow::difficulty: s.difficulty = static_cast<Difficulty>(value); break;
    case OptionsRow::mouseSpeed: s.mouseSpeed = value; break;
    case OptionsRow::keyboardSpeed: s.keyboardSpeed = value; break;
    case OptionsRow::gamepadSpeed: s.gamepadSpeed = value; break;
    case OptionsRow::back: break;
  }
}

// One step up (direction 1) or down (-1). Past its last value a row stays there, or, with
// roundAbout, starts again from the other end (Enter alone can reach every value).
void ChangeValue(OptionsRow row, int direction, bool roundAbout) {
  const RowRange& range = RangeOf(row);
  if (row == OptionsRow::back) return;
  // A value written by hand may sit between the steps: the first step lands on the next one.
  const int old = ValueOf(row);
  const int offset = old - range.least;
  int index = offset / range.step;
  if (direction > 0) {
    ++index;
  } else if (offset % range.step == 0) {
    --index;
  }
  int value = range.least + index * range.step;
  if (value > range.most) value = roundAbout ? range.least : range.most;
  if (value < range.least) value = roundAbout ? range.most : range.least;
  if (value != old) SetValue(row, value);
}

void Choose(OptionsRow row) {
  if (row == OptionsRow::back) {
    CloseOptionsScreen();
    return;
  }
  ChangeValue(row, 1, true);
}

std::string ValueText(OptionsRow row) {
  const int value = ValueOf(row);
  switch (row) {
    case OptionsRow::display: return displayNames[value];
    case OptionsRow::picture: return pictureNames[value];
    case OptionsRow::difficulty: return difficultyNames[value];
    case OptionsRow::back: return "";
    default: return std::to_string(value) + " %";
  }
}

// The row under the pointer's tip, or -1.
int RowUnderPointer() {
  const int x = game.menu.pointerX;
  const int y = game.menu.pointerY;
  if (x < optionsRowLeft || x > optionsRowRight || y < firstRowY) return -1;
  const int row = (y - firstRowY) / rowStep;
  return row < optionsRowCount ? row : -1;
}

// A movement onto a row selects it; a new press of the left button works the row it is on.
void HandlePointer(bool moved) {
  OptionsScreenState& o = screen();
  const int row = RowUnderPointer();
  if (moved && row >= 0) o.selected = static_cast<int16_t>(row);
  const bool down = MouseButton(1);
  const bool click = down && !o.buttonHeld;
  o.buttonHeld = down;
  if (!click || row < 0) return;
  o.selected = static_cast<int16_t>(row);
  const int x = game.menu.pointerX;
  const auto onRow = static_cast<OptionsRow>(row);
  if (onRow != OptionsRow::back && std::abs(x - optionsLowerX) <= optionsArrowReach) {
    ChangeValue(onRow, -1, false);
  } else if (onRow != OptionsRow::back && std::abs(x - optionsRaiseX) <= optionsArrowReach) {
    ChangeValue(onRow, 1, false);
  } else {
    Choose(onRow);
  }
}

void HandleKeys() {
  ExamineKeyboard();
  OptionsScreenState& o = screen();
  if (MenuDown()) o.selected = static_cast<int16_t>((o.selected + 1) % optionsRowCount);
  if (MenuUp()) o.selected = static_cast<int16_t>((o.selected + optionsRowCount - 1) % optionsRowCount);
  if (MenuLeft()) ChangeValue(SelectedRow(), -1, false);
  if (MenuRight()) ChangeValue(SelectedRow(), 1, false);
  if (MenuChoose()) Choose(SelectedRow());
  if (o.open && MenuBack()) CloseOptionsScreen();
}

void DrawHighlight() {
  const int centre = OptionsRowY(SelectedRow()) + rowStep / 2;
  for (int i = 0; i < bandTiles; ++i) {
    DisplaySprite3D(obj::menuBand, i * bandTile, centre - bandHalf, bandAlpha);
  }
}

void DrawCentred(int centreX, int y, const std::string& text, int colour) {
  DrawText(centreX - TextWidth(text) / 2, y, text, colour, 0);
}

void DrawRows() {
  DrawingFont(obj::fontOptions);
  const int lift = TextHeight("A") / 2;
  for (int i = 0; i < optionsRowCount; ++i) {
    const auto row = static_cast<OptionsRow>(i);
    const bool selected = i == screen().selected;
    const int y = OptionsRowY(row) + rowStep / 2 - lift;
    DrawText(labelX, y, RangeOf(row).label, selected ? gold : ice, 0);
    if (row == OptionsRow::back) continue;
    const int value = ValueOf(row);
    const RowRange& range = RangeOf(row);
    DrawCentred(optionsLowerX, y, "<", value > range.least ? (selected ? gold : violet) : dimViolet);
    DrawCentred(valueCentreX, y, ValueText(row), selected ? gold : cyan);
    DrawCentred(optionsRaiseX, y, ">", value < range.most ? (selected ? gold : violet) : dimViolet);
  }
}

void DrawControls() {
  DrawingFont(obj::fontOptions);
  DrawText(labelX, controlsTitleY, "CONTROLS", cyan, 0);
  DrawingFont(obj::fontOptionsSmall);
  for (std::size_t c = 0; c < std::size(controls); ++c) {
    const ControlsColumn& column = controls[c];
    DrawText(controlsColumnX[c], controlsDeviceY, column.device, gold, 0);
    for (int i = 0; i < controlsLinesMost && column.lines[i]; ++i) {
      DrawText(controlsColumnX[c], controlsFirstLineY + i * controlsLineStep, column.lines[i], ice, 0);
    }
  }
  DrawCentred(screenWidth / 2, hintY,
              "Up and Down choose, Left and Right change, Escape or BACK returns to the menu", cyan);
}

void DrawScreen() {
  ClearScreen(0);
  ScrollMenuBackground();
  DisplayTransparentSprite(obj::menuFrame, 0, 0);
  DisplayTransparentSprite(obj::menuItemOptions, 0, headingY);
  if (Start3D()) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawHighlight();
    Stop3D();
  }
  if (StartDrawing()) {
    DrawingMode(1);
    DrawRows();
    DrawControls();
    StopDrawing();
  }
  if (Start3D()) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawMenuPointer();
    Stop3D();
  }
}

// The game's sounds come with its catalogue, loaded after the menu; the first visit before a
// game loads the sound pack here (the catalogue later loads it over again).
void StartMusic() {
  if (!IsSound(obj::music) || !IsSound(sampleSound)) {
    for (const CataloguePack& pack : MainCatalogue()) {
      if (pack.packName == soundPackName) LoadCataloguePack(pack);
    }
  }
  SoundVolume(obj::music, playerSettings.musicVolume);
  PlaySound(obj::music, soundLoop);
}

}  // namespace

int OptionsRowY(OptionsRow row) { return firstRowY + static_cast<int>(row) * rowStep; }

void OpenOptionsScreen() {
  OptionsScreenState& o = screen();
  o = OptionsScreenState{};
  o.open = true;
  // The click that opened the screen is not a click on the row under the pointer.
  o.buttonHeld = true;
  LoadFont(obj::fontOptions, fontFace, rowFontSize);
  LoadFont(obj::fontOptionsSmall, fontFace, smallFontSize);
  StartMusic();
}

void OptionsFrame() {
  if (!FocusCheck()) ReloadMenuPictures();
  HandlePointer(MoveMenuPointer());
  if (!screen().open) return;
  DrawScreen();
  PresentFrame();
  HandleKeys();
}

void CloseOptionsScreen() {
  StopSound(obj::music);
  FreeFont(obj::fontOptions);
  FreeFont(obj::fontOptionsSmall);
  SaveSettings(playerSettings);
  screen().open = false;
  game.menu.waitForRelease = true;
  // The time spent here was not idle: the demo waits its full time again.
  game.menu.idleSince = -1;
}
