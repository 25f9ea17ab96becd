// SPDX-License-Identifier: GPL-3.0-or-later
// settings.ini: the options come back as they were saved; every kind of bad file or value gives
// the defaults with one warning each and never stops the game; a damaged file is left for the
// player until new options are saved over it.
#include "unit/player_files_support.h"

#include <vector>

#include "core/settings_file.h"
#include "media/media.h"

namespace {

using SettingsFile = PlayerFilesTest;

PlayerSettings Changed() {
  PlayerSettings settings;
  settings.musicVolume = 0;
  settings.effectsVolume = 73;
  settings.fullScreen = false;
  settings.difficulty = Difficulty::hard;
  settings.mouseSpeed = 50;
  settings.keyboardSpeed = 200;
  settings.gamepadSpeed = 125;
  settings.playerName = "Zoë Ångström";  // twelve characters, fifteen bytes
  settings.sharpDisplay = false;
  return settings;
}

TEST(SettingsText, ReadsBackWhatItWroteWithoutAWarning) {
  for (const PlayerSettings& settings : {PlayerSettings(), Changed()}) {
    std::vector<std::string> warnings;
    EXPECT_EQ(ParseSettings(SettingsText(settings), "settings.ini", warnings), settings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
  }
}

TEST(SettingsText, ReadsHandWrittenFilesWithCommentsSectionsAndSpaces) {
  std::vector<std::string> warnings;
  const PlayerSettings settings = ParseSettings(
      "; written by hand\r\n"
      "difficulty=Easy\r\n"  // before any section: ours too
      "[other program]\n"
      "music_volume = 5\n"  // another section's key is not ours
      "[KaldoVirent]\n"
      "  # indented comment\n"
      "\teffects_volume\t=  20  \n"
      "full_screen = off\n"
      "display = Classic\n"
      "unknown_key = 12\n"
      "name =   Ada  \n",
      "settings.ini", warnings);
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  EXPECT_EQ(settings.difficulty, Difficulty::easy);
  EXPECT_EQ(settings.musicVolume, 50);
  EXPECT_EQ(settings.effectsVolume, 20);
  EXPECT_FALSE(settings.fullScreen);
  EXPECT_FALSE(settings.sharpDisplay);
  EXPECT_EQ(settings.playerName, "Ada");
}

TEST(SettingsText, EachBadValueGivesItsDefaultWithOneWarningNamingFileKeyAndValue) {
  // Each bad value alone in a file: the defaults and one warning naming file, key and value.
  struct BadValue {
    const char* key;
    const char* value;
  };
  const BadValue bad[] = {
      {"music_volume", "101"},           {"music_volume", "-1"},
      {"effects_volume", "loud"},        {"effects_volume", "99999999999999999999"},
      {"mouse_speed", "49"},             {"keyboard_speed", "201"},
      {"gamepad_speed", "1 00"},         {"full_screen", "maybe"},
      {"difficulty", "nightmare"},       {"name", "tab\there"},
      {"music_volume", ""},              {"gamepad_speed", "+100"},
      {"display", "blurry"},             {"display", "yes"},
  };
  for (const BadValue& row : bad) {
    std::vector<std::string> warnings;
    const std::string text = std::string(row.key) + " = " + row.value + "\n";
    EXPECT_EQ(ParseSettings(text, "/home/p/settings.ini", warnings), PlayerSettings());
    ASSERT_EQ(warnings.size(), 1u) << text;
    for (const std::string& part : {std::string("/home/p/settings.ini"), std::string(row.key),
                                    "\"" + std::string(row.value) + "\""}) {
      EXPECT_NE(warnings[0].find(part), std::string::npos) << warnings[0];
    }
  }
  // A bad value after a good one undoes it: the default, not the earlier value, is used.
  std::vector<std::string> warnings;
  EXPECT_EQ(ParseSettings("music_volume = 7\nmusic_volume = 300\n", "s", warnings).musicVolume,
            PlayerSettings().musicVolume);
}

TEST(SettingsText, JunkAndBinaryGiveTheDefaultsWithOneWarning) {
  std::string junk;
  for (int i = 0; i < 200; ++i) junk += "this is not a settings file at all\n";
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 37 % 256);
  for (const std::string& text : {junk, binary, std::string("name = A\0B\n", 11),
                                  std::string("name = \xC3\x28\n")}) {
    std::vector<std::string> warnings;
    EXPECT_EQ(ParseSettings(text, "settings.ini", warnings), PlayerSettings());
    EXPECT_EQ(warnings.size(), 1u);
  }
}

TEST(SettingsText, ALongNameIsCutAtTwelveCharactersNotBytes) {
  std::vector<std::string> warnings;
  const PlayerSettings settings =
      ParseSettings("name = ÉÉÉÉÉÉÉÉÉÉÉÉÉ\n", "settings.ini", warnings);  // 13 É, 26 bytes
  EXPECT_EQ(settings.playerName, "ÉÉÉÉÉÉÉÉÉÉÉÉ");
}

TEST_F(SettingsFile, SavedOptionsComeBackAtTheNextStart) {
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadSettings(warnings), PlayerSettings());  // no file yet: defaults, quietly
  EXPECT_TRUE(warnings.empty());
  ASSERT_TRUE(SaveSettings(Changed()));
  EXPECT_TRUE(FileExists(Path("home/.config/kaldovirent/settings.ini")));
  EXPECT_EQ(LoadSettings(warnings), Changed());
  EXPECT_TRUE(warnings.empty());

  setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
  ASSERT_TRUE(SaveSettings(PlayerSettings()));
  EXPECT_TRUE(FileExists(Path("config/kaldovirent/settings.ini")));
  EXPECT_EQ(EntriesIn(Path("config/kaldovirent")), 1);  // no temporary left
}

TEST_F(SettingsFile, BadFilesGiveTheDefaultsAndOneWarningOnStderrAndStayUntilASave) {
  const std::string path = Path("home/.config/kaldovirent/settings.ini");
  std::string binary(1000, '\0');
  for (const std::string& bytes : {TenMegabytes(), binary, std::string("junk\njunk\njunk\n")}) {
    Put(path, bytes);
    std::vector<std::string> warnings;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadSettings(warnings), PlayerSettings());
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(stderrText, warnings[0] + "\n");
    EXPECT_NE(warnings[0].find(path), std::string::npos) << warnings[0];
    EXPECT_EQ(Contents(path).size(), bytes.size());  // not thrown away
  }
  ASSERT_TRUE(SaveSettings(Changed()));
  EXPECT_EQ(Contents(path), SettingsText(Changed()));
}

TEST_F(SettingsFile, AFolderInThePlaceOfTheFileIsWarnedAboutAndNotWrittenOver) {
  const std::string path = Path("home/.config/kaldovirent/settings.ini");
  std::filesystem::create_directories(path);
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadSettings(warnings), PlayerSettings());
  EXPECT_EQ(warnings.size(), 1u);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveSettings(Changed()));
  ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(IsDirectory(path));
  EXPECT_EQ(EntriesIn(Path("home/.config/kaldovirent")), 1);
}

TEST_F(SettingsFile, NoHomeAndNoXdgGiveTheDefaultsAndOneWarning) {
  unsetenv("HOME");
  std::vector<std::string> warnings;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(LoadSettings(warnings), PlayerSettings());
  EXPECT_FALSE(SaveSettings(Changed()));
  ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("settings.ini"), std::string::npos) << warnings[0];
}

}  // namespace
