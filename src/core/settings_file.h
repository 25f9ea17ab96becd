// SPDX-License-Identifier: GPL-3.0-or-later
// The options a player keeps between runs, and their file settings.ini in the player's
// configuration folder: read at start-up, written when the options screen closes.
#pragma once

#include <string>
#include <vector>

#include "core/difficulty.h"
#include "core/settings.h"

constexpr int volumeLeast = 0, volumeMost = 100;                // music and effects, in %
constexpr int steeringSpeedLeast = 50, steeringSpeedMost = 200;  // % of the normal speed
constexpr std::size_t settingsFileMostBytes = 64 * 1024;  // a longer file is not a settings file
constexpr const char* settingsFileName = "settings.ini";
constexpr const char* settingsSection = "kaldovirent";

// The keys of the file, each named once here.
constexpr const char* settingMusicVolume = "music_volume";
constexpr const char* settingEffectsVolume = "effects_volume";
constexpr const char* settingFullScreen = "full_screen";
constexpr const char* settingDifficulty = "difficulty";
constexpr const char* settingMouseSpeed = "mouse_speed";
constexpr const char* settingKeyboardSpeed = "keyboard_speed";
constexpr const char* settingGamepadSpeed = "gamepad_speed";
constexpr const char* settingPlayerName = "name";
constexpr const char* settingDisplay = "display";
constexpr const char* displaySharpWord = "sharp";
constexpr const char* displayClassicWord = "classic";

struct PlayerSettings {
  int musicVolume = ::musicVolume;  // 0..100, the game's music as it always played
  int effectsVolume = 100;          // 0..100
  bool fullScreen = true;
  Difficulty difficulty = Difficulty::normal;
  int mouseSpeed = 100;     // steering speed in % of the normal, 50..200
  int keyboardSpeed = 100;
  int gamepadSpeed = 100;
  std::string playerName;   // the last name entered for a high score; empty: none yet
  // Sharp: drawn at the display's own resolution where the renderer keeps up; classic: the
  // 1024 x 768 picture stretched to the display.
  bool sharpDisplay = true;

  bool operator==(const PlayerSettings&) const = default;
};

// The settings a text gives, starting from the defaults. The text is an INI file: an optional
// [kaldovirent] section of key = value lines (plain key = value lines before any section count
// too), comments starting with '#' or ';'. Unknown keys and other sections are ignored. A bad
// value keeps its default and adds one warning naming the file, key and value; a text that is
// not plain UTF-8 text gives the defaults and one warning.
PlayerSettings ParseSettings(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings);
// The text of a settings file that ParseSettings reads back to the same settings.
std::string SettingsText(const PlayerSettings& settings);

// The file's full name; empty (with the reason in failure) when the player has no configuration
// folder. The folder is made on first use.
std::string SettingsFilePath(std::string* failure = nullptr);
// The settings from the file. A missing file gives the defaults quietly; a damaged one (junk,
// binary, too long, a folder in its place) and a missing folder give the defaults and warnings,
// each also written on stderr. The damaged file is left as it is: it is only replaced when the
// player saves new options, so nothing the player wrote by hand disappears at a start.
PlayerSettings LoadSettings(std::vector<std::string>& warnings);
PlayerSettings LoadSettings();
// Writes the file atomically; false (the reason on stderr) when it could not be written, and the
// game goes on with the settings it has.
bool SaveSettings(const PlayerSettings& settings);
