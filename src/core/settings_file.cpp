// SPDX-License-Identifier: GPL-3.0-or-later
// settings.ini: the options a player keeps, read at start-up and written atomically.
#include "core/settings_file.h"

#include <cctype>
#include <cstdio>

#include "core/player_text.h"
#include "media/media.h"

namespace {

// The settings that are whole numbers, one row each.
struct NumberSetting {
  const char* key;
  int PlayerSettings::*field;
  int least;
  int most;
};
constexpr NumberSetting numberSettings[] = {
    // key                field                           least               most
    {settingMusicVolume, &PlayerSettings::musicVolume, volumeLeast, volumeMost},
    {settingEffectsVolume, &PlayerSettings::effectsVolume, volumeLeast, volumeMost},
    {settingMouseSpeed, &PlayerSettings::mouseSpeed, steeringSpeedLeast, steeringSpeedMost},
    {settingKeyboardSpeed, &PlayerSettings::keyboardSpeed, steeringSpeedLeast, steeringSpeedMost},
    {settingGamepadSpeed, &PlayerSettings::gamepadSpeed, steeringSpeedLeast, steeringSpeedMost},
};

constexpr std::size_t shownValueBytes = 40;  // a value quoted in a warning is cut after this

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The value as a warning quotes it: cut short, never inside a UTF-8 character.
std::string Shown(const std::string& value) {
  if (value.size() <= shownValueBytes) return "\"" + value + "\"";
  std::size_t end = shownValueBytes;
  while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) --end;
  return "\"" + value.substr(0, end) + "...\"";
}

bool ReadSwitch(const std::string& value, bool& on) {
  const std::string word = Lower(value);
  if (word == "yes" || word == "true" || word == "on" || word == "1") {
    on = true;
  } else if (word == "no" || word == "false" || word == "off" || word == "0") {
    on = false;
  } else {
    return false;
  }
  return true;
}

// Sets one key from its value. A key of no use is ignored; a bad value puts the key's default
// back and says so.
void ApplySetting(PlayerSettings& settings, const std::string& key, const std::string& value,
                  const std::string& where, std::vector<std::string>& warnings) {
  const PlayerSettings defaults;
  std::string expected;
  for (const NumberSetting& row : numberSettings) {
    if (key != row.key) continue;
    if (ReadWholeNumber(value, row.least, row.most, settings.*row.field)) return;
    settings.*row.field = defaults.*row.field;
    expected = "a whole number from " + std::to_string(row.least) + " to " +
               std::to_string(row.most) + "; " + std::to_string(defaults.*row.field) + " is used";
  }
  if (key == settingFullScreen) {
    if (ReadSwitch(value, settings.fullScreen)) return;
    settings.fullScreen = defaults.fullScreen;
    expected = std::string("yes or no; ") + (defaults.fullScreen ? "yes" : "no") + " is used";
  } else if (key == settingDifficulty) {
    if (DifficultyFromWord(value, settings.difficulty)) return;
    settings.difficulty = defaults.difficulty;
    expected = std::string("easy, normal or hard; ") + DifficultyWord(defaults.difficulty) +
               " is used";
  } else if (key == settingDisplay) {
    const std::string word = Lower(value);
    if (word == displaySharpWord || word == displayClassicWord) {
      settings.sharpDisplay = word == displaySharpWord;
      return;
    }
    settings.sharpDisplay = defaults.sharpDisplay;
    expected = std::string(displaySharpWord) + " or " + displayClassicWord + "; " +
               (defaults.sharpDisplay ? displaySharpWord : displayClassicWord) + " is used";
  } else if (key == settingPlayerName) {
    if (ValidPlayerName(value)) {
      settings.playerName = CleanPlayerName(value);
      return;
    }
    settings.playerName = defaults.playerName;
    expected = "a name without control characters; no name is used";
  }
  if (expected.empty()) return;  // not one of ours
  warnings.push_back(where + ": " + key + " = " + Shown(value) + " is not " + expected);
}

}  // namespace

PlayerSettings ParseSettings(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings) {
  PlayerSettings settings;
  if (!IsPlainText(text)) {
    warnings.push_back(fileName + ": not a text file; the default options are used");
    return settings;
  }
  const std::vector<std::string> lines = TextLines(text);
  bool inOurSection = true;  // lines before any section header are ours
  int strayLines = 0, firstStrayLine = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trimmed(lines[i]);
    const int number = static_cast<int>(i) + 1;
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const std::size_t equals = line.find('=');
    if (line.front() == '[' && line.back() == ']') {
      inOurSection = Lower(Trimmed(line.substr(1, line.size() - 2))) == settingsSection;
    } else if (equals == std::string::npos) {
      if (strayLines++ == 0) firstStrayLine = number;
    } else if (inOurSection) {
      ApplySetting(settings, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)),
                   fileName + ": line " + std::to_string(number), warnings);
    }
  }
  // Lines that are no settings at all are counted in one warning: a file of junk gives one line
  // on stderr, not one per line of junk.
  if (strayLines > 0) {
    warnings.push_back(fileName + ": " + std::to_string(strayLines) +
                       " line(s) that are not key = value settings, from line " +
                       std::to_string(firstStrayLine) + ", are ignored");
  }
  return settings;
}

std::string SettingsText(const PlayerSettings& settings) {
  std::string text =
      "# Kaldovirent's options, written by the game when its options screen closes.\n"
      "# Volumes 0 to 100; full_screen yes or no; difficulty easy, normal or hard; steering\n"
      "# speeds 50 to 200 (% of the normal speed); name: the last name entered for a high score;\n"
      "# display sharp (the display's own resolution) or classic (1024 x 768 stretched).\n"
      "[" + std::string(settingsSection) + "]\n";
  for (const NumberSetting& row : numberSettings) {
    text += std::string(row.key) + " = " + std::to_string(settings.*row.field) + "\n";
  }
  text += std::string(settingFullScreen) + " = " + (settings.fullScreen ? "yes" : "no") + "\n";
  text += std::string(settingDifficulty) + " = " + DifficultyWord(settings.difficulty) + "\n";
  text += std::string(settingPlayerName) + " = " + CleanPlayerName(settings.playerName) + "\n";
  text += std::string(settingDisplay) + " = " + (settings.sharpDisplay ? displaySharpWord : displayClassicWord) + "\n";
  return text;
}

std::string SettingsFilePath(std::string* failure) {
  const std::string folder = PlayerConfigDirectory(failure);
  return folder.empty() ? folder : folder + settingsFileName;
}

namespace {

PlayerSettings ReadSettingsFile(std::vector<std::string>& warnings) {
  std::string failure;
  const std::string path = SettingsFilePath(&failure);
  if (path.empty()) {
    warnings.push_back(std::string(settingsFileName) + " cannot be read: " + failure +
                       "; the default options are used");
    return {};
  }
  std::string text;
  const ReadResult result = ReadSmallFile(path, text, settingsFileMostBytes);
  if (result == ReadResult::missing) return {};
  if (result != ReadResult::ok) {
    warnings.push_back(path + ": " + ReadResultText(result) + "; the default options are used");
    return {};
  }
  return ParseSettings(text, path, warnings);
}

}  // namespace

PlayerSettings LoadSettings(std::vector<std::string>& warnings) {
  const std::size_t earlier = warnings.size();
  const PlayerSettings settings = ReadSettingsFile(warnings);
  for (std::size_t i = earlier; i < warnings.size(); ++i) {
    std::fprintf(stderr, "%s\n", warnings[i].c_str());
  }
  return settings;
}

PlayerSettings LoadSettings() {
  std::vector<std::string> warnings;
  return LoadSettings(warnings);
}

bool SaveSettings(const PlayerSettings& settings) {
  std::string failure;
  const std::string path = SettingsFilePath(&failure);
  if (path.empty()) {
    std::fprintf(stderr, "%s could not be written: %s\n", settingsFileName, failure.c_str());
    return false;
  }
  return WriteFileAtomically(path, SettingsText(settings));
}
