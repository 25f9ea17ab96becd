// SPDX-License-Identifier: GPL-3.0-or-later
// The high scores in the real game: the end of a game that enters the table asks for the name
// and writes the file, games that may not enter leave it alone, the name reaches the next game's
// HUD, the table screen from the menu, and the untouched menu's attract cycle. The player's
// folders are scratch folders of each test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/high_score_table.h"
#include "core/player_options.h"
#include "core/player_text.h"
#include "core/run_options.h"
#include "frontend/high_score_screen.h"
#include "frontend/main_menu.h"
#include "media/media.h"
#include "shell/attract_mode.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/hud.h"
#include "support/sdl_events.h"
#include "support/virtual_pad.h"
#include "unit/player_files_support.h"

namespace {

// What the person at the keyboard does after each presented frame: Escape once, at a chosen
// frame, and Enter whenever a name entry's table is shown, so it closes. Past
// giveUpAfter frames Enter ends any screen that still waits, so a fault fails instead of hanging.
struct Person {
  int frames = 0;
  int escapeAtFrame = -1;
  // Buttons pressed on a pad, one a frame, each let go the frame after.
  VirtualPad* pad = nullptr;
  std::vector<SDL_GameControllerButton> buttons;
  std::size_t nextButton = 0;
  bool buttonDown = false;
};
Person person;
constexpr int giveUpAfter = 400;

void Tap(SDL_Scancode key) {
  PushKey(key, true);
  PushKey(key, false);
}

void PersonActs() {
  ++person.frames;
  if (person.frames == person.escapeAtFrame) Tap(SDL_SCANCODE_ESCAPE);
  if (person.pad && person.nextButton < person.buttons.size()) {
    person.pad->Button(person.buttons[person.nextButton], !person.buttonDown);
    if (person.buttonDown) ++person.nextButton;
    person.buttonDown = !person.buttonDown;
  }
  const bool tableAfterEntry = game.menu.highScores.open && !game.menu.highScores.attract;
  if (tableAfterEntry || person.frames > giveUpAfter) Tap(SDL_SCANCODE_RETURN);
}

class HighScores : public PlayerFilesTest {
 protected:
  void SetUp() override {
    PlayerFilesTest::SetUp();
    setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    playerSettings = PlayerSettings{};
    runOptions = RunOptions{};
    person = Person{};
    StartHeadlessGame();
    SetFrameHook(PersonActs);
  }
  void TearDown() override {
    SetFrameHook(nullptr);
    SetRealMouseIgnored(false);
    SetManualClockStepPerRead(0);
    SetManualClock(false);
    ShutdownMedia();
    playerSettings = PlayerSettings{};
    runOptions = RunOptions{};
    PlayerFilesTest::TearDown();
  }

  // The game ends with that score on its third level; the frames the end showed.
  static int64_t EndTheGame(int score) {
    game.score = score;
    game.levelNumber = 2;
    const int64_t before = FramesPresented();
    EndGame(AfterLevel::newGame);
    return FramesPresented() - before;
  }
  static const HighScoreTable& NormalTable(const ::HighScores& scores) {
    return scores.Table(Difficulty::normal);
  }
  static bool FileWritten() { return std::filesystem::exists(HighScoreFilePath()); }
  // A new game started from the menu, as a player starts it.
  static void NextGame() {
    ASSERT_TRUE(PushMenuStartKeys());
    ASSERT_TRUE(NewGame());
  }
};

TEST_F(HighScores, AQualifyingGameAsksTheNameEntersItAndTheNextGamesHudShowsIt) {
  ASSERT_EQ(game.teamName, "TEAM");  // no name was ever entered
  ASSERT_TRUE(PushText("Zoé"));
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_GT(EndTheGame(5000), 0);

  const ::HighScores scores = LoadHighScores();
  const HighScoreTable& table = NormalTable(scores);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0], (HighScoreEntry{5000, 3, "Zoé", LocalDate()}));
  EXPECT_EQ(game.menu.highScores.newRow, 0);  // the table showed the new entry
  EXPECT_EQ(LoadSettings().playerName, "Zoé");

  NextGame();
  EXPECT_EQ(game.teamName, "Zoé");
  EXPECT_EQ(SilverName(game.teamName), "ZO?");  // the silver glyphs have no É

  // The name is offered again: Enter alone keeps it, and the better game goes above.
  Tap(SDL_SCANCODE_RETURN);
  EndTheGame(7000);
  const ::HighScores later = LoadHighScores();
  const HighScoreTable& after = NormalTable(later);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0].name, "Zoé");
  EXPECT_EQ(after[0].score, 7000);
  EXPECT_EQ(game.menu.highScores.newRow, 0);
}

TEST_F(HighScores, AScoreThatDoesNotEnterAsksNothingAndLeavesTheFileAsItWas) {
  ::HighScores full;
  for (int i = 0; i < highScoreRows; ++i) {
    full.Table(Difficulty::normal).push_back({9000 - i, 4, "Ana", "2026-01-0" + std::to_string(i % 9 + 1)});
  }
  ASSERT_TRUE(SaveHighScores(full));
  const std::string before = Contents(HighScoreFilePath());
  EXPECT_EQ(EndTheGame(8991), 0);  // the last row's score: the earlier game keeps its place
  EXPECT_EQ(EndTheGame(0), 0);
  EXPECT_EQ(Contents(HighScoreFilePath()), before);

  // The same score on another difficulty's empty table enters.
  game.difficulty = Difficulty::hard;
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_GT(EndTheGame(100), 0);
  EXPECT_EQ(LoadHighScores().Table(Difficulty::hard).size(), 1u);
  EXPECT_EQ(NormalTable(LoadHighScores()), full.Table(Difficulty::normal));
}

TEST_F(HighScores, DemoAutopilotReplayAndLaterStartLevelGamesNeverEnter) {
  // A game from --level 5.
  SetStartLevel(5);
  ASSERT_TRUE(NewGame());
  EXPECT_EQ(EndTheGame(5000), 0);
  // The autopilot's game and a replayed one, both started from the menu.
  runOptions.autopilot = true;
  NextGame();
  EXPECT_EQ(EndTheGame(5000), 0);
  runOptions = RunOptions{};
  runOptions.replayFile = "game.rec";
  NextGame();
  EXPECT_EQ(EndTheGame(5000), 0);
  runOptions = RunOptions{};
  // The demo the untouched menu plays; it has ended (and let go of its flag) by the game's end.
  SetManualClock(true);
  SetManualClockStepPerRead(250);
  ASSERT_TRUE(NewGame());
  ASSERT_TRUE(game.attractDemo);
  EndAttractDemo();
  EXPECT_EQ(EndTheGame(5000), 0);
  EXPECT_FALSE(FileWritten());

  // A game from --level 0 is a game from the start.
  SetManualClockStepPerRead(0);
  SetStartLevel(0);
  ASSERT_TRUE(NewGame());
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_GT(EndTheGame(5000), 0);
  EXPECT_TRUE(FileWritten());
}

TEST_F(HighScores, TheNameTakesTwelveCharactersBackspaceDeletesAWholeOneAndEscapeKeepsTheOffered) {
  // Twelve characters, eleven of them two bytes long, then a thirteenth that is refused: the
  // Backspace after it takes the twelfth.
  const std::string twelve = "ÉéàçñÖüßøåæ1";
  ASSERT_EQ(CodePoints(twelve).size(), 12u);
  ASSERT_TRUE(PushText(twelve.c_str()));
  ASSERT_TRUE(PushText("X"));
  Tap(SDL_SCANCODE_BACKSPACE);
  Tap(SDL_SCANCODE_RETURN);
  EndTheGame(1000);
  const std::string eleven = "ÉéàçñÖüßøåæ";
  EXPECT_EQ(playerSettings.playerName, eleven);
  EXPECT_EQ(NormalTable(LoadHighScores())[0].name, eleven);
  // Twelve are kept whole.
  playerSettings.playerName = "";
  NextGame();
  ASSERT_TRUE(PushText(twelve.c_str()));
  Tap(SDL_SCANCODE_RETURN);
  EndTheGame(1500);
  EXPECT_EQ(playerSettings.playerName, twelve);

  // The offered name with "ré" typed after it; Backspace takes the 'é' away whole.
  playerSettings.playerName = "Ana";
  NextGame();
  ASSERT_TRUE(PushText("ré"));
  Tap(SDL_SCANCODE_BACKSPACE);
  Tap(SDL_SCANCODE_RETURN);
  EndTheGame(2000);
  EXPECT_EQ(playerSettings.playerName, "Anar");

  // Escape gives back the name offered, whatever was typed; the Escape that ended the game,
  // still to be read when the screen opens, does not count.
  NextGame();
  Tap(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(PushText("Bob"));
  person.frames = 0;
  person.escapeAtFrame = 10;
  EndTheGame(3000);
  EXPECT_EQ(playerSettings.playerName, "Anar");
  EXPECT_LT(person.frames, giveUpAfter);
  const ::HighScores scores = LoadHighScores();
  const HighScoreTable& table = NormalTable(scores);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0].name, "Anar");
}

TEST_F(HighScores, APadPicksTheNameLetterByLetterAndBackKeepsTheOffered) {
  VirtualPad pad;
  ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
  person.pad = &pad;
  // Up twice: "A" then "B"; A adds "A"; Down steps it back round to the last letter; Left
  // deletes it; Right adds "A" and Up makes it "B"; Start confirms.
  person.buttons = {SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_UP,
                    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                    SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                    SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_START};
  EndTheGame(1000);
  EXPECT_EQ(playerSettings.playerName, "BB");
  EXPECT_LT(person.frames, giveUpAfter);
  EXPECT_EQ(NormalTable(LoadHighScores())[0].name, "BB");

  // Back gives back the name offered, whatever was picked.
  NextGame();
  person = Person{};
  person.pad = &pad;
  person.buttons = {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_UP,
                    SDL_CONTROLLER_BUTTON_BACK};
  EndTheGame(2000);
  EXPECT_EQ(playerSettings.playerName, "BB");
  EXPECT_LT(person.frames, giveUpAfter);
  pad.PullOut();
}

TEST_F(HighScores, TheMenusItemShowsTheTablesOneDifficultyAtATimeUntilEscape) {
  SetFrameHook(nullptr);
  ::HighScores saved;
  saved.Table(Difficulty::easy).push_back({300, 2, "Ana", "2026-03-01"});
  saved.Table(Difficulty::hard).push_back({900, 5, "Zoé", "2026-03-02"});
  ASSERT_TRUE(SaveHighScores(saved));
  playerSettings.difficulty = Difficulty::easy;
  SetUpMenu();
  for (int i = 0; i < 3; ++i) {
    Tap(SDL_SCANCODE_DOWN);
    MenuFrame();
  }
  ASSERT_EQ(game.menu.selected, 3);
  Tap(SDL_SCANCODE_RETURN);
  EXPECT_EQ(MenuFrame(), menuStay);
  HighScoreScreenState& screen = game.menu.highScores;
  ASSERT_TRUE(screen.open);
  EXPECT_FALSE(screen.attract);
  EXPECT_EQ(screen.scores, saved);
  EXPECT_EQ(screen.shown, static_cast<int>(Difficulty::easy));  // the options' difficulty first
  EXPECT_EQ(screen.newRow, -1);
  // Right goes on, round about; Left goes back.
  const Difficulty order[] = {Difficulty::normal, Difficulty::hard, Difficulty::easy};
  for (Difficulty next : order) {
    Tap(SDL_SCANCODE_RIGHT);
    MenuFrame();
    EXPECT_EQ(screen.shown, static_cast<int>(next));
  }
  Tap(SDL_SCANCODE_LEFT);
  MenuFrame();
  EXPECT_EQ(screen.shown, static_cast<int>(Difficulty::hard));
  // Frames alone leave it open: only the attract cycle's table closes by itself.
  SetManualClock(true);
  AdvanceManualClock(60000);
  MenuFrame();
  EXPECT_TRUE(screen.open);
  Tap(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_FALSE(screen.open);
  EXPECT_EQ(MenuFrame(), menuStay);
  TearDownMenu();
}

}  // namespace
