// SPDX-License-Identifier: GPL-3.0-or-later
// The options screen, opened by the main menu's OPTIONS and shown in the menu's place and look:
// the music's and the effects' volume, full screen or a window, the difficulty, the steering
// speed of the mouse, the keyboard and a gamepad, a list of the controls, and BACK. It works on
// the run's playerSettings (core/player_options.h) and saves them when it closes.
#pragma once

// The rows, top to bottom; every row but BACK holds a value.
enum class OptionsRow {
  musicVolume,
  effectsVolume,
  display,
  picture,
  difficulty,
  mouseSpeed,
  keyboardSpeed,
  gamepadSpeed,
  back
};
constexpr int optionsRowCount = 9;

// Where the pointer works a row: the row is the band from OptionsRowY(row) down to the next
// row, from optionsRowLeft to optionsRowRight. A click on the value's left arrow lowers it, on
// its right arrow raises it, anywhere else on the row acts as Enter.
int OptionsRowY(OptionsRow row);
constexpr int optionsRowLeft = 120, optionsRowRight = 904;
constexpr int optionsLowerX = 620;   // the centre of the left arrow
constexpr int optionsRaiseX = 860;   // the centre of the right arrow
constexpr int optionsArrowReach = 40;  // a click this near an arrow's centre counts as on it

// Opens the screen over the menu, whose pictures stay loaded: the top row selected, the screen's
// fonts, and the game's music (its sounds loaded first when no game has loaded them yet)
// playing at the music volume, so a change is heard at once.
void OpenOptionsScreen();

// One frame of the screen: focus check, pointer (a movement onto a row selects it), clicks,
// drawing, the flip, then the keys: Up and Down select, Left and Right change the value within
// its bounds, Enter changes it round (and on BACK closes), Escape closes. A value changed acts at
// once: the music's volume, a sound at the new effects volume, the window's mode.
void OptionsFrame();

// Stops the music, frees the fonts, saves the settings (atomically; a failed save is reported
// on stderr and the game goes on) and gives the menu back its place.
void CloseOptionsScreen();
