// SPDX-License-Identifier: GPL-3.0-or-later
// The console driven through the real frame loop: keys and typed text pushed as events.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "console/console.h"
#include "core/game_state.h"
#include "gameplay/balls.h"
#include "gameplay/capsules.h"
#include "gameplay/sprite_effects.h"
#include "media/maths.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"
#include "support/sdl_events.h"

namespace {

namespace fs = std::filesystem;

constexpr int openingFrames = 43;  // 192 pixels at 4.5 a frame

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
  }
  void TearDown() override {
    SetManualClock(false);
    ShutdownMedia();
  }

  static void Frames(int count) {
    for (int i = 0; i < count; ++i) RunFrame();
  }
  // Down and up before one frame: a quick tap.
  static void Tap(SDL_Scancode key) {
    ASSERT_TRUE(PushKey(key, true));
    ASSERT_TRUE(PushKey(key, false));
    Frames(1);
  }
  static void OpenConsole() {
    Tap(SDL_SCANCODE_GRAVE);
    Frames(openingFrames - 1);
    ASSERT_EQ(game.console.motion, consoleOpen);
  }
  // One character a frame.
  static void Type(const char* text) {
    ASSERT_TRUE(PushText(text));
    Frames(static_cast<int>(std::strlen(text)));
  }
  static void Enter(const char* text) {
    Type(text);
    Tap(SDL_SCANCODE_RETURN);
  }
  static std::vector<std::string> LastLines(std::size_t count) {
    const std::vector<std::string>& h = game.console.history;
    if (h.size() < count) return h;
    return {h.end() - static_cast<std::ptrdiff_t>(count), h.end()};
  }
  using Lines = std::vector<std::string>;
};

TEST_F(Console, TheKeySlidesItDownIn43FramesAndPageUpSlidesItAway) {
  ASSERT_FALSE(game.console.shown);
  Tap(SDL_SCANCODE_GRAVE);
  EXPECT_TRUE(game.console.shown);
  Frames(openingFrames - 2);
  EXPECT_EQ(game.console.motion, consoleSlidingIn);
  EXPECT_EQ(game.paused, 0);
  Frames(1);
  EXPECT_EQ(game.console.motion, consoleOpen);
  EXPECT_EQ(game.console.position, 0.0f);
  EXPECT_EQ(game.paused, 1);
  // The four newest lines above the prompt: the two title lines start two rows down.
  EXPECT_EQ(game.console.textScroll, -40.0f);

  ASSERT_TRUE(PushKey(SDL_SCANCODE_PAGEUP, true));
  Frames(1);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_PAGEUP, false));
  Frames(openingFrames - 2);
  EXPECT_TRUE(game.console.shown);
  Frames(1);
  EXPECT_FALSE(game.console.shown);
  EXPECT_EQ(game.paused, 0);
  EXPECT_EQ(game.console.position, -192.0f);
}

// The screen rebuilt after a focus-loss pause, and a new game, find the console put away: the
// keys play the game again and the console key brings it down on the screen.
TEST_F(Console, ARebuiltScreenOrANewGameFindsItClosedAndHidden) {
  auto expectPutAway = [] {
    EXPECT_FALSE(game.console.shown);
    EXPECT_EQ(game.console.motion, consoleSlidingIn);
    EXPECT_EQ(game.console.position, -192.0f);
  };
  OpenConsole();
  Type("fi");
  RebuildGameScreen();
  expectPutAway();
  EXPECT_EQ(game.paused, 0);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_P, true));
  ASSERT_TRUE(PushText("p"));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_P, false));
  Frames(1);
  EXPECT_EQ(game.paused, 1);  // the pause key, not a letter
  EXPECT_EQ(game.console.inputLine, "fi");
  Tap(SDL_SCANCODE_P);
  ASSERT_EQ(game.paused, 0);
  OpenConsole();
  EXPECT_EQ(game.console.position, 0.0f);

  // The game ends with the console open; the next one starts without it.
  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  StartLevel();
  expectPutAway();
  Frames(1);
  EXPECT_EQ(game.paused, 0);
  EXPECT_FALSE(game.console.shown);
}

TEST_F(Console, NothingInTheGameMovesWhileItIsOpen) {
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  Frames(1);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  Frames(1);
  ASSERT_EQ(game.launchPending, 0);
  AddCapsule(300, 300, obj::capsuleLaser);
  OpenConsole();

  game.balls.Select(0);
  const float ballX = game.balls.Current().x, ballY = game.balls.Current().y;
  const float shipX = game.shipX;
  game.capsules.Select(0);
  const float capsuleY = game.capsules.Current().y;
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(PushMouseMotion(9, 0, 500, 500));
    Frames(1);
  }
  game.balls.Select(0);
  EXPECT_EQ(game.balls.Current().x, ballX);
  EXPECT_EQ(game.balls.Current().y, ballY);
  EXPECT_EQ(game.shipX, shipX);
  game.capsules.Select(0);
  EXPECT_EQ(game.capsules.Current().y, capsuleY);
}

// Open and still, a frame draws again only the console's quarter (when its picture changed) and
// the scrolling panel: 32 frames later, the grid's period, the screen is the whole frame's but
// for the panel.
TEST_F(Console, AtRestItsQuarterAndThePanelAreAllThatIsDrawnAgain) {
  constexpr int panelX = 864, panelY = 630, panelWidth = 124, panelHeight = 98;
  SetManualClock(true);  // the cursor keeps its glyph
  OpenConsole();
  Frames(1);  // the first frame at rest is drawn whole
  std::vector<uint32_t> whole;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(FullScreenPicture(whole, width, height));
  ResetRendererCalls();
  Frames(32);
  // The quarter every other frame and the panel's pieces: a whole frame copies more than the screen.
  EXPECT_LT(RendererCalls().copyPixels, 32.0 * screenWidth * screenHeight / 4);
  std::vector<uint32_t> later;
  ASSERT_TRUE(FullScreenPicture(later, width, height));
  ASSERT_EQ(later.size(), whole.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool panel = x >= panelX && x < panelX + panelWidth && y >= panelY && y < panelY + panelHeight;
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      if (!panel) {
        ASSERT_EQ(later[i], whole[i]) << x << ", " << y;
      }
    }
  }
  // A command may change the whole screen: the frame after it is drawn whole.
  Enter("glue");
  ResetRendererCalls();
  Frames(1);
  EXPECT_GT(RendererCalls().copyPixels, 1.0 * screenWidth * screenHeight);
}

// The console's picture is the text layer at alpha 200 over the grid, green square outlines every
// 16 pixels on black: within a step of each channel of the two layers blended by the renderer.
TEST_F(Console, ItsPictureIsTheTextLayerBlendedOverTheGrid) {
  constexpr int gridLayer = 9000, textLayer = 9001;
  SetManualClock(true);
  OpenConsole();
  Type("abc");
  Frames(2);  // the grid moves every other frame: the picture has the text
  const int shift = RoundHalfAway(game.console.gridOffsetX) % 16;
  ASSERT_EQ(game.console.gridOffsetX, game.console.gridOffsetY);
  std::vector<uint32_t> picture;
  ASSERT_TRUE(StartDrawing(drawImage, obj::consolePicture));
  for (int y = 0; y < consoleHeight; ++y) {
    for (int x = 0; x < screenWidth; ++x) picture.push_back(static_cast<uint32_t>(Point(x, y)));
  }
  StopDrawing();

  ASSERT_TRUE(CreateSprite(gridLayer, screenWidth, consoleHeight, spriteTexture | spriteAlpha));
  ASSERT_TRUE(StartDrawing(drawSprite, gridLayer));
  Box(0, 0, screenWidth, consoleHeight, RGB(0, 0, 0));
  DrawingMode(4);
  for (int y = shift - 16; y < consoleHeight; y += 16) {
    for (int x = shift - 16; x < screenWidth; x += 16) Box(x, y, 16, 16, RGB(0, 255, 0));
  }
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(gridLayer, gridLayer));
  ASSERT_TRUE(CreateSprite(textLayer, screenWidth, consoleHeight, spriteTexture | spriteAlpha));
  ASSERT_TRUE(StartDrawing(drawImage, obj::consoleText));
  std::vector<uint32_t> text(DrawingPixels(), DrawingPixels() + screenWidth * consoleHeight);
  StopDrawing();
  ASSERT_TRUE(StartDrawing(drawSprite, textLayer));
  uint32_t* pixels = DrawingBuffer();
  // The layer is opaque: an image keeps no alpha.
  for (int i = 0; i < screenWidth * consoleHeight; ++i) pixels[i] = text[i] | 0xFF000000u;
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(textLayer, textLayer));
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(blendTransparent);
  DisplaySprite3D(gridLayer, 0, 0);
  DisplaySprite3D(textLayer, 0, 0, 200);
  Stop3D();

  ASSERT_TRUE(StartDrawing());
  int worst = 0;
  int greenPixels = 0;
  for (int y = 0; y < consoleHeight; ++y) {
    for (int x = 0; x < screenWidth; ++x) {
      const int blended = Point(x, y);
      const int made = static_cast<int>(picture[static_cast<std::size_t>(y) * screenWidth + x]);
      greenPixels += Green(made) > 40;
      worst = std::max({worst, std::abs(Red(blended) - Red(made)), std::abs(Green(blended) - Green(made)),
                        std::abs(Blue(blended) - Blue(made))});
    }
  }
  StopDrawing();
  EXPECT_LE(worst, 1);
  EXPECT_GT(greenPixels, screenWidth * consoleHeight / 5);  // the grid's lines and the text
}

TEST_F(Console, ItsKeyIsNeverTypedAndTheShellsKeysTypeInsteadOfActing) {
  OpenConsole();
  // M and P would switch the music off and the pause on; here they are letters.
  for (SDL_Scancode key : {SDL_SCANCODE_M, SDL_SCANCODE_P}) {
    ASSERT_TRUE(PushKey(key, true));
    ASSERT_TRUE(PushText(key == SDL_SCANCODE_M ? "m" : "p"));
    ASSERT_TRUE(PushKey(key, false));
  }
  Frames(2);
  EXPECT_EQ(game.musicOn, 1);
  EXPECT_EQ(game.paused, 1);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_GRAVE, true));
  ASSERT_TRUE(PushText("`"));
  Frames(1);
  EXPECT_EQ(game.console.inputLine, "mp");
  // Let go, the key closes the open console.
  ASSERT_TRUE(PushKey(SDL_SCANCODE_GRAVE, false));
  Frames(1);
  EXPECT_EQ(game.console.motion, consoleClosing);
}

TEST_F(Console, CommandsAreUpperCasedAndTheFirstWordDecides) {
  OpenConsole();
  Enter("missile");
  EXPECT_EQ(LastLines(2), (Lines{"MISSILE", "One missile added"}));
  EXPECT_EQ(game.missileArmed, 1);

  Enter("laser at once");
  EXPECT_EQ(LastLines(2), (Lines{"LASER AT ONCE", "Laser bonus on"}));
  EXPECT_EQ(game.laserOn, 1);

  // A leading space leaves an empty command word.
  Enter(" fil");
  EXPECT_EQ(LastLines(2), (Lines{" FIL", "Command not found !"}));
  EXPECT_EQ(game.filBarrierOn, 0);

  Tap(SDL_SCANCODE_RETURN);
  EXPECT_EQ(LastLines(2), (Lines{"", "Command not found !"}));

  // The Latin-1 small letters have capitals 32 below.
  Enter("caf\xC3\xA9");
  EXPECT_EQ(LastLines(2), (Lines{"CAF\xC9", "Command not found !"}));
  EXPECT_EQ(game.console.inputLine, "");
  EXPECT_EQ(game.console.lastCommand, "CAF\xC9");
}

TEST_F(Console, WeaponCommandsSetTheirSwitchAloneWithNoScoreOrWord) {
  struct Case {
    const char* line;
    int GameState::*field;
    const char* answer;
  };
  const Case cases[] = {{"MISSILE", &GameState::missileArmed, "One missile added"},
                        {"CHAINGUN", &GameState::gunState, "Chaingun bonus on"},
                        {"FIL", &GameState::filBarrierOn, "Fil bonus on"},
                        {"LASER", &GameState::laserOn, "Laser bonus on"},
                        {"GLUE", &GameState::glueMode, "Ball glue to ship"}};
  auto armed = [] {
    return game.missileArmed + game.gunState + game.filBarrierOn + game.laserOn + game.glueMode;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    game.missileArmed = game.gunState = game.filBarrierOn = game.laserOn = game.glueMode = 0;
    game.spriteEffects.Clear();
    ExecuteConsoleLine(c.line);
    EXPECT_EQ(game.*c.field, 1);
    EXPECT_EQ(armed(), 1);
    EXPECT_EQ(game.console.history.back(), c.answer);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.missileCountdown, 0);
    EXPECT_EQ(game.filTimer, 0);
    EXPECT_EQ(game.spriteEffects.Count(), 0);
  }
  ExecuteConsoleLine("MEGACOMBO");
  EXPECT_EQ(armed(), 5);
  EXPECT_EQ(game.console.history.back(), "COMBO BONUS !");

  // Later side games answer as unknown words until they come.
  for (const char* line : {"PONG", "MISSILES"}) {
    ExecuteConsoleLine(line);
    EXPECT_EQ(game.console.history.back(), "Command not found !") << line;
  }
}

TEST_F(Console, ClearLeavesTwoLinesAndThePromptOnTheThirdRow) {
  OpenConsole();
  Enter("fil");
  Enter("clear");
  EXPECT_EQ(game.console.history,
            (Lines{"KALDOVIRENT 3 EVOLUTION (2006) CONSOLE MODE", consoleRule}));
  EXPECT_EQ(game.console.textScroll, 0.0f);
  Frames(2);  // the text layer is redrawn with the grid's next step

  // Rows that carry some of the prompt's green and rows of plain blue, left of x 200.
  auto rowHasText = [](int y) {
    for (int x = 0; x < 200; ++x) {
      const int c = Point(x, y);
      if (Green(c) > 128) return true;
    }
    return false;
  };
  ASSERT_TRUE(StartDrawing(drawImage, obj::consoleText));
  bool promptRows = false;
  for (int y = 40; y < 60; ++y) promptRows |= rowHasText(y);
  bool belowPrompt = false;
  for (int y = 62; y < 192; ++y) belowPrompt |= rowHasText(y);
  StopDrawing();
  EXPECT_TRUE(promptRows);
  EXPECT_FALSE(belowPrompt);
}

TEST_F(Console, HoldingUpRecallsTheLastCommandOverAnyTyping) {
  OpenConsole();
  Enter("glue");
  ASSERT_TRUE(PushKey(SDL_SCANCODE_UP, true));
  Type("xyz");
  EXPECT_EQ(game.console.inputLine, "GLUE");
  ASSERT_TRUE(PushKey(SDL_SCANCODE_UP, false));
  Frames(1);
  Type("!");
  EXPECT_EQ(game.console.inputLine, "GLUE!");
}

TEST_F(Console, BackspaceCutsOneCharacterPerRelease) {
  OpenConsole();
  Type("abc");
  ASSERT_TRUE(PushKey(SDL_SCANCODE_BACKSPACE, true));
  Frames(5);
  EXPECT_EQ(game.console.inputLine, "abc");
  ASSERT_TRUE(PushKey(SDL_SCANCODE_BACKSPACE, false));
  Frames(3);
  EXPECT_EQ(game.console.inputLine, "ab");
  for (int i = 0; i < 3; ++i) Tap(SDL_SCANCODE_BACKSPACE);
  EXPECT_EQ(game.console.inputLine, "");

  // Typed faster than the frames: the characters still queued come before the Enter.
  ASSERT_TRUE(PushText("fil"));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, false));
  Frames(3);
  EXPECT_EQ(LastLines(2), (Lines{"FIL", "Fil bonus on"}));
}

class ChangeLevel : public Console {
 protected:
  void SetUp() override {
    Console::SetUp();
    // A directory with one extra level file and nothing else.
    before_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("kaldo_console_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    std::ofstream(dir_ / "level5.dat") << "bricks";
    std::ofstream(dir_ / "level0.dat") << "bricks";
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(before_);
    fs::remove_all(dir_);
    Console::TearDown();
  }
  fs::path before_, dir_;
};

TEST_F(ChangeLevel, ALevelWithAFileEndsThisOneAndTheNextStartsThere) {
  ExecuteConsoleLine("CHANGELEVEL 5");
  EXPECT_EQ(LastLines(2), (Lines{"CHANGELEVEL 5", "Change level to 5"}));
  EXPECT_EQ(game.levelNumber, 4);
  EXPECT_EQ(game.levelComplete, 1);
  // Only the "WINNER!" message is left of the sprite effects.
  const int winnerEffects = game.spriteEffects.Count();
  game.spriteEffects.Clear();
  ShowMessage("WINNER!", 2 * frameRate);
  EXPECT_EQ(winnerEffects, game.spriteEffects.Count());
  EXPECT_GT(winnerEffects, 0);

  EXPECT_EQ(EndLevel(), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 5);
}

TEST_F(ChangeLevel, ALevelWithNoFileIsRefusedAndNothingChanges) {
  const int effects = game.spriteEffects.Count();
  ExecuteConsoleLine("CHANGELEVEL 999");
  EXPECT_EQ(LastLines(2), (Lines{"CHANGELEVEL 999", "No level file"}));
  EXPECT_EQ(game.levelNumber, 0);
  EXPECT_EQ(game.levelComplete, 0);
  EXPECT_EQ(game.spriteEffects.Count(), effects);
  ExecuteConsoleLine("CHANGELEVEL 99999999999999999999");
  EXPECT_EQ(game.console.history.back(), "No level file");

  // No number reads as 0: the game goes on from the first level.
  ExecuteConsoleLine("CHANGELEVEL SOON");
  EXPECT_EQ(game.console.history.back(), "Change level to SOON");
  EXPECT_EQ(game.levelNumber, -1);
}

TEST_F(ChangeLevel, TheFinishedLevelStaysFrozenAfterTheConsoleCloses) {
  OpenConsole();
  Enter("changelevel 5");
  ASSERT_EQ(game.levelComplete, 1);
  Tap(SDL_SCANCODE_GRAVE);
  Frames(openingFrames);
  ASSERT_FALSE(game.console.shown);
  EXPECT_EQ(game.paused, 1);
}

// Typed while the last ball's loss is still exploding: the next level is read from its file,
// not restarted with the bricks of the lost one; the life stays lost.
TEST_F(Console, ChangingLevelWhileALifeIsLostStartsTheNewLevelWithItsBricks) {
  game.balls.Select(0);
  LoseBall();
  ASSERT_EQ(game.lifeLost, 1);
  ASSERT_EQ(game.lives, 2);
  Frames(5);
  OpenConsole();
  Enter("changelevel 2");
  ASSERT_EQ(game.levelComplete, 1);
  ASSERT_EQ(EndLevel(), AfterLevel::nextLevel);
  StartLevel();
  EXPECT_EQ(game.levelNumber, 2);
  EXPECT_EQ(game.lifeLost, 0);
  EXPECT_EQ(game.lives, 2);
  EXPECT_GT(game.bricks.Count(), 0);
}

TEST_F(Console, EscapeLeavesPongForTheConsoleWithTheMusicBack) {
  OpenConsole();
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  SoundVolume(obj::music, 20);
  ExecuteConsoleLine("1972");
  EXPECT_EQ(LastLines(3), (Lines{"1972", "Pong finished.", ""}));
  EXPECT_EQ(GetSoundVolume(obj::music), 50);
  EXPECT_FALSE(RunFrame());  // the frame loop goes on
  EXPECT_TRUE(game.console.shown);
}

TEST_F(Console, EndEndsTheProgramWithSuccess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ExecuteConsoleLine("END"), ::testing::ExitedWithCode(0), "");
}

}  // namespace
