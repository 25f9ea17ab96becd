// SPDX-License-Identifier: GPL-3.0-or-later
// The options screen driven through the main menu frame by frame with pushed input, on the real
// menu and sound packs, with the player's configuration folder in a scratch folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/settings_file.h"
#include "frontend/main_menu.h"
#include "frontend/options_screen.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

// Pointer heights that rest on each of the menu's five items (44 high, 70 apart from y 380).
constexpr int onStart = 390, onOptions = 460, onHighScores = 530, onCredits = 600, onQuit = 670;

// XDG_CONFIG_HOME pointed at a folder of the test's own, and given back afterwards.
class ScratchConfig {
 public:
  ScratchConfig() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("kaldo_options_" + std::to_string(getpid()) + "_" + test->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    if (const char* value = std::getenv("XDG_CONFIG_HOME")) saved_ = value;
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  ~ScratchConfig() {
    if (saved_) {
      setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::remove_all(root_);
  }
  std::filesystem::path SettingsFile() const { return root_ / "kaldovirent" / settingsFileName; }
  std::filesystem::path Root() const { return root_; }

 private:
  std::filesystem::path root_;
  std::optional<std::string> saved_;
};

class OptionsScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    playerSettings = PlayerSettings{};
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
    RegisterFontFile(designerBlockFile);
    RandomSeed(3);
    SetUpMenu();
  }
  void TearDown() override {
    if (menu().options.open) CloseOptionsScreen();
    TearDownMenu();
    ShutdownMedia();
    playerSettings = PlayerSettings{};
  }

  static MenuState& menu() { return game.menu; }
  static OptionsScreenState& options() { return game.menu.options; }

  static void MoveTo(int x, int y) {
    ASSERT_TRUE(PushMouseMotion(x - menu().pointerX, y - menu().pointerY, 0, 0));
    MenuFrame();
  }
  static void Tap(SDL_Scancode key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      ASSERT_TRUE(PushKey(key, true));
      ASSERT_TRUE(PushKey(key, false));
      MenuFrame();
    }
  }
  // A press on one frame and the release on the next, where the pointer is.
  static void Click() {
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
    MenuFrame();
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
    MenuFrame();
  }
  static void ClickOn(int x, OptionsRow row) {
    MoveTo(x, OptionsRowY(row) + 10);
    Click();
  }
  static void OpenByKeys() {
    Tap(SDL_SCANCODE_DOWN, 2);
    ASSERT_EQ(menu().selected, 2);
    Tap(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(options().open);
  }
  static int Selected() { return options().selected; }

  ScratchConfig config_;
};

// Runs one row of steps from one end to the other with Left and Right, checking that every
// value stays on its steps and within the bounds, and that Enter starts again from the bottom.
void CheckRowByKeys(int& value, int least, int most, int step) {
  for (int i = 0; i < (most - least) / step + 2; ++i) {
    const int before = value;
    PushKey(SDL_SCANCODE_RIGHT, true);
    PushKey(SDL_SCANCODE_RIGHT, false);
    MenuFrame();
    EXPECT_EQ(value, std::min(most, before + step));
  }
  EXPECT_EQ(value, most);
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_RETURN, false);
  MenuFrame();
  EXPECT_EQ(value, least);
  PushKey(SDL_SCANCODE_RIGHT, true);
  PushKey(SDL_SCANCODE_RIGHT, false);
  MenuFrame();
  EXPECT_EQ(value, least + step);
  for (int i = 0; i < (most - least) / step + 2; ++i) {
    PushKey(SDL_SCANCODE_LEFT, true);
    PushKey(SDL_SCANCODE_LEFT, false);
    MenuFrame();
    EXPECT_GE(value, least);
  }
  EXPECT_EQ(value, least);
}

TEST_F(OptionsScreen, TheMenuHasFiveItemsAndOptionsOpensByMouseAndByKeyboard) {
  // Each item is where the pointer finds it, and Up and Down run round all five.
  const int on[] = {onStart, onOptions, onHighScores, onCredits, onQuit};
  for (int i = 0; i < 5; ++i) {
    MoveTo(200, on[i]);
    EXPECT_EQ(menu().selected, i + 1);
    EXPECT_EQ(menu().sweepY, 380 + 70 * i + 1);
  }
  Tap(SDL_SCANCODE_DOWN);
  EXPECT_EQ(menu().selected, 1);
  Tap(SDL_SCANCODE_UP);
  EXPECT_EQ(menu().selected, 5);
  EXPECT_FALSE(options().open);

  // A click on OPTIONS opens the screen with the game's music at the music volume.
  MoveTo(200, onOptions);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_TRUE(options().open);
  EXPECT_TRUE(SoundPlaying(obj::music));
  EXPECT_EQ(GetSoundVolume(obj::music), 50);
  // The click that opened it, still held, does not work the row under the pointer.
  const PlayerSettings before = playerSettings;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_EQ(playerSettings, before);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  Tap(SDL_SCANCODE_ESCAPE);
  EXPECT_FALSE(options().open);
  EXPECT_FALSE(SoundPlaying(obj::music));
  EXPECT_EQ(menu().selected, 2);

  // Enter on OPTIONS, chosen with the keys, opens it too, its first row selected.
  Tap(SDL_SCANCODE_UP);
  Tap(SDL_SCANCODE_DOWN);
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(options().open);
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(menu().result, menuStay);
}

TEST_F(OptionsScreen, TheKeysChangeEveryValueWithinItsBoundsAndAtOnce) {
  OpenByKeys();
  PlayerSettings& s = playerSettings;
  // Up from the top row goes round to BACK, Down from BACK to the top.
  Tap(SDL_SCANCODE_UP);
  EXPECT_EQ(Selected(), static_cast<int>(OptionsRow::back));
  Tap(SDL_SCANCODE_DOWN);
  ASSERT_EQ(Selected(), static_cast<int>(OptionsRow::musicVolume));

  CheckRowByKeys(s.musicVolume, 0, 100, 10);
  Tap(SDL_SCANCODE_RIGHT, 3);
  EXPECT_EQ(GetSoundVolume(obj::music), 30);  // heard at once

  Tap(SDL_SCANCODE_DOWN);
  CheckRowByKeys(s.effectsVolume, 0, 100, 10);
  // Each change plays a sound at the new effects volume.
  Tap(SDL_SCANCODE_RIGHT, 7);
  EXPECT_EQ(s.effectsVolume, 70);
  EXPECT_TRUE(SoundPlaying(obj::soundSelect));
  EXPECT_EQ(GetSoundVolume(obj::soundSelect), 70);

  Tap(SDL_SCANCODE_DOWN);
  ASSERT_TRUE(s.fullScreen);
  ASSERT_TRUE(FullScreen());
  Tap(SDL_SCANCODE_RIGHT, 2);
  EXPECT_FALSE(s.fullScreen);
  EXPECT_FALSE(FullScreen());  // applied at once
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(s.fullScreen);
  EXPECT_TRUE(FullScreen());
  Tap(SDL_SCANCODE_LEFT);
  EXPECT_TRUE(s.fullScreen);

  // The picture: the screen is opened again at once, sharp or classic (here the window is the
  // screen's size, so both draw at scale 1).
  Tap(SDL_SCANCODE_DOWN);
  ASSERT_TRUE(s.sharpDisplay);
  Tap(SDL_SCANCODE_RIGHT, 2);
  EXPECT_FALSE(s.sharpDisplay);
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(s.sharpDisplay);
  EXPECT_TRUE(options().open);

  Tap(SDL_SCANCODE_DOWN);
  Tap(SDL_SCANCODE_LEFT, 2);
  EXPECT_EQ(s.difficulty, Difficulty::easy);
  Tap(SDL_SCANCODE_RIGHT);
  EXPECT_EQ(s.difficulty, Difficulty::normal);
  Tap(SDL_SCANCODE_RIGHT, 2);
  EXPECT_EQ(s.difficulty, Difficulty::hard);
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_EQ(s.difficulty, Difficulty::easy);

  for (int* speed : {&s.mouseSpeed, &s.keyboardSpeed, &s.gamepadSpeed}) {
    Tap(SDL_SCANCODE_DOWN);
    CheckRowByKeys(*speed, 50, 200, 10);
  }
  // BACK holds no value: Left and Right there change nothing.
  Tap(SDL_SCANCODE_DOWN);
  ASSERT_EQ(Selected(), static_cast<int>(OptionsRow::back));
  const PlayerSettings before = s;
  Tap(SDL_SCANCODE_LEFT);
  Tap(SDL_SCANCODE_RIGHT);
  EXPECT_EQ(s, before);
  EXPECT_TRUE(options().open);
}

TEST_F(OptionsScreen, ClicksOnTheArrowsChangeAValueAndOnTheRowGoRound) {
  OpenByKeys();
  PlayerSettings& s = playerSettings;
  // A movement onto a row selects it.
  MoveTo(300, OptionsRowY(OptionsRow::keyboardSpeed) + 5);
  EXPECT_EQ(Selected(), static_cast<int>(OptionsRow::keyboardSpeed));

  ClickOn(optionsRaiseX, OptionsRow::musicVolume);
  EXPECT_EQ(Selected(), static_cast<int>(OptionsRow::musicVolume));
  EXPECT_EQ(s.musicVolume, 60);
  EXPECT_EQ(GetSoundVolume(obj::music), 60);
  ClickOn(optionsLowerX, OptionsRow::musicVolume);
  Click();
  EXPECT_EQ(s.musicVolume, 40);
  // A button held down acts once.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  for (int i = 0; i < 5; ++i) MenuFrame();
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  MenuFrame();
  EXPECT_EQ(s.musicVolume, 30);

  ClickOn(optionsLowerX + optionsArrowReach, OptionsRow::effectsVolume);
  EXPECT_EQ(s.effectsVolume, 90);
  EXPECT_EQ(GetSoundVolume(obj::soundSelect), 90);
  ClickOn(optionsRaiseX, OptionsRow::effectsVolume);
  ClickOn(optionsRaiseX, OptionsRow::effectsVolume);
  EXPECT_EQ(s.effectsVolume, 100);

  ClickOn(optionsRaiseX - optionsArrowReach, OptionsRow::gamepadSpeed);
  EXPECT_EQ(s.gamepadSpeed, 110);
  // On the label a click goes round, as Enter does.
  ClickOn(200, OptionsRow::display);
  EXPECT_FALSE(s.fullScreen);
  EXPECT_FALSE(FullScreen());
  ClickOn(200, OptionsRow::difficulty);
  ClickOn(200, OptionsRow::difficulty);
  EXPECT_EQ(s.difficulty, Difficulty::easy);
  // Off the rows a click changes nothing.
  const PlayerSettings before = s;
  MoveTo(optionsRaiseX, OptionsRowY(OptionsRow::back) + 60);
  Click();
  MoveTo(optionsRowRight + 20, OptionsRowY(OptionsRow::mouseSpeed) + 5);
  Click();
  EXPECT_EQ(s, before);
  EXPECT_TRUE(options().open);
}

TEST_F(OptionsScreen, EscapeAndBackReturnToTheMenuAndSaveTheSettings) {
  OpenByKeys();
  Tap(SDL_SCANCODE_RIGHT, 2);
  Tap(SDL_SCANCODE_DOWN, 4);
  Tap(SDL_SCANCODE_RIGHT);
  ASSERT_FALSE(std::filesystem::exists(config_.SettingsFile()));
  Tap(SDL_SCANCODE_ESCAPE);
  EXPECT_FALSE(options().open);
  PlayerSettings expected;
  expected.musicVolume = 70;
  expected.difficulty = Difficulty::hard;
  ASSERT_EQ(playerSettings, expected);
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadSettings(warnings), expected);
  EXPECT_TRUE(warnings.empty());

  // Back at the menu, with the idle time counted from now: no demo at once.
  EXPECT_EQ(MenuFrame(), menuStay);

  // BACK by click: the screen closes and the click, still held on OPTIONS, opens nothing.
  Tap(SDL_SCANCODE_RETURN);
  ASSERT_TRUE(options().open);
  ClickOn(optionsRaiseX, OptionsRow::mouseSpeed);
  MoveTo(300, OptionsRowY(OptionsRow::back) + 10);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  MenuFrame();
  EXPECT_FALSE(options().open);
  MoveTo(200, onOptions);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_FALSE(options().open);
  EXPECT_EQ(menu().selected, 2);
  expected.mouseSpeed = 110;
  EXPECT_EQ(LoadSettings(), expected);
  // Let go and clicked again, the button opens it.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  MenuFrame();
  Click();
  EXPECT_TRUE(options().open);

  // Enter on BACK closes too; a save that fails is one line on stderr and the menu goes on.
  std::filesystem::remove_all(config_.Root());
  std::ofstream(config_.Root()) << "a file where the folder should be";
  Tap(SDL_SCANCODE_UP);
  ASSERT_EQ(Selected(), static_cast<int>(OptionsRow::back));
  testing::internal::CaptureStderr();
  Tap(SDL_SCANCODE_RETURN);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(options().open);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find(settingsFileName), std::string::npos) << said;
  EXPECT_EQ(MenuFrame(), menuStay);
  std::filesystem::remove(config_.Root());
}

// The music volume chosen is the volume of the music in play.
TEST(MusicVolume, TheGamesMusicPlaysAtTheChosenVolume) {
  ScratchConfig config;
  PlayerSettings chosen;
  chosen.musicVolume = 80;
  ASSERT_TRUE(SaveSettings(chosen));
  playerSettings = chosen;
  SetStartLevel(0);  // straight into play, as --level 0 does
  SetMessageBoxesSilent(true);
  StartUp();
  SetFrameLimiterEnabled(false);
  ASSERT_TRUE(NewGame());
  EXPECT_TRUE(SoundPlaying(obj::music));
  EXPECT_EQ(GetSoundVolume(obj::music), 80);
  ShutdownMedia();
  playerSettings = PlayerSettings{};
}

}  // namespace
