// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "actors/ball_drawing.h"
#include "actors/chaingun.h"
#include "actors/missiles.h"
#include "actors/monsters.h"
#include "actors/ship_drawing.h"
#include "actors/weapons.h"
#include "assets/asset_loader.h"
#include "console/console.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/high_score_table.h"
#include "core/play_buttons.h"
#include "core/player_options.h"
#include "core/player_text.h"
#include "core/sound_effects.h"
#include "frontend/ending_screen.h"
#include "frontend/high_score_screen.h"
#include "frontend/main_menu.h"
#include "frontend/name_entry.h"
#include "frontend/pause_screen.h"
#include "gameplay/balls.h"
#include "gameplay/capsules.h"
#include "gameplay/guardian_scene.h"
#include "gameplay/level_won.h"
#include "gameplay/picture_effect.h"
#include "gameplay/ship_steering.h"
#include "gameplay/sprite_effects.h"
#include "levels/backgrounds.h"
#include "levels/level_file.h"
#include "media/fatal_error.h"
#include "media/maths.h"
#include "media/media.h"
#include "shell/attract_mode.h"
#include "shell/autopilot.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/hud.h"
#include "shell/run_control.h"

namespace {

constexpr int launchFrequency = 70000;
constexpr int serveCountdown = 10 * frameRate;

void StartMusic() {
  SoundVolume(obj::music, playerSettings.musicVolume);
  PlaySound(obj::music, soundLoop);
}

// Start pauses and goes on as P does, Back gives the game up as Escape does, and a pad pulled
// out pauses the game so that its player is not left without a hand on the ship.
void HandleGamepadButtons() {
  if (GamepadRemoved()) game.paused = 1;
  if (GamepadPushed(padStart)) game.paused = !game.paused;
  if (GamepadPushed(padBack)) game.quitToMenu = 1;
}

void HandleGlobalKeys() {
  HandleGamepadButtons();
  // While the console is shown the keys type its command line; the frame is still timed.
  if (game.console.shown) {
    if (game.showFps) game.fpsStartTime = static_cast<int>(ElapsedMilliseconds());
    return;
  }
  HandleFrameRateKey();
  if (KeyboardReleased(keyP)) game.paused = !game.paused;
  if (KeyboardReleased(keyM)) {
    game.musicOn = !game.musicOn;
    if (game.musicOn) {
      StartMusic();
    } else {
      StopSound(obj::music);
    }
  }
  if (KeyboardReleased(keyS)) SaveScreenshot();
}

void PlayLaunchSound() {
  PlayEffect(obj::soundBallLaunch, PanFromX(static_cast<int>(game.shipX)), 100, launchFrequency);
}

void HandlePlayButton() {
  if (PlayButtonDown() && !game.paused) {
    if (game.launchPending && !game.launchLocked) {
      PlayLaunchSound();
      game.launchPending = 0;
      EndGlue();
    }
    if (game.laserOn) FireLaser();
    if (game.glueMode && !game.launchPending && !game.launchLocked) {
      PlayLaunchSound();
      ReleaseGluedBalls();
    }
    if (game.missileArmed) LaunchMissile();
  }
  if (game.laserCooldown > 0) --game.laserCooldown;
}

// Play inside the playfield's clip: the arena moves and is drawn, the balls and their collisions,
// the level-cleared test, then the play button.
void PlayArena() {
  StepBricks();
  StepFilAndLaser();
  StepMissiles();
  StepChaingun();
  DrawShip();
  CapsuleStep();
  StepMonsters();
  StepBullets();
  StepMuzzleFlashes();
  StepExplosions();
  StepSpriteEffects();

  if (game.doorOpen) {
    Sprite3DBlendingMode(blendTransparent);
    const double x = playRight - 8 * std::sin(game.frameCounter / 5.0) - 64;
    DisplaySprite3D(obj::nextLevelDoor, RoundHalfAway(x), 700);
  }

  if (!game.paused && game.gunState == 0) BallPass();
  if (!game.levelComplete) CheckLevelCleared();
  DrawBalls();
  if (game.missileArmed) MissileTargetStep();
  if (game.lifeLost && game.frameCounter % 4 == 1) {
    const float x = game.shipX + RandomDifference(64);
    const float y = game.shipY + RandomDifference(64);
    AddExplosion(x, y, obj::fireball, 128);
  }

  HandlePlayButton();
}

// Whether the screen holds a whole frame drawn while the game stood still (StandsStill).
bool stillPictureShown = false;
// This frame draws only what moves while the game stands still.
bool screenLimited = false;

// Over the heads-up display: the end-of-level picture effect and the console, while they run.
void PlayOverHud() {
  if (game.pictureEffectOn) StepPictureEffect();
  if (!game.console.shown) return;
  // On a still screen the console's quarter is drawn again only when its picture changed.
  if (!screenLimited || ConsolePictureNew()) {
    if (screenLimited) LimitScreenToConsole();
    ShowConsole();
  }
  // A command may start a side game, which has the whole screen.
  EndScreenChangeLimit();
  StepConsole();
}

// The game stands paused by P (or a pad's Start), or under the console at rest: nothing on the
// screen moves but the lower panel's picture and the console. Not while a life is lost or a
// level won, nor while the console slides, nor under the frame rate's figure or the demo's
// caption, which change.
bool StandsStill() {
  return game.paused && !game.levelComplete && !game.lifeLost && (!game.console.shown || ConsoleAtRest()) &&
         !game.pictureEffectOn && !game.showFps && !game.attractDemo && game.gunState == 0;
}

void RunGameFrame() {
  // Any key or click of a person ends a demo game and goes back to the menu.
  if (game.attractDemo && RealInputSeen()) game.quitToMenu = 1;
  ExamineKeyboard();
  ExamineMouse();
  if (!game.paused && game.gunState == 0) StepShip();
  HandleGlobalKeys();
  HandleConsoleKey();
  // Once a whole frame of the pause is on the screen, the frames after it show the lower panel's
  // picture and the console at rest alone: nothing else on the screen may change, and the rest
  // of the screen keeps the paused picture. Everything else runs as in any frame, so that a
  // recorded game plays the same. (Without a graphics card, a whole frame is the CPU's work at
  // every pixel; the two pictures go to the window without a drawing.)
  const bool still = StandsStill();
  const uint32_t commandsRun = game.console.commandsRun;
  screenLimited = still && stillPictureShown;
  if (screenLimited) LimitScreenChanges(0, 0, 0, 0);
  RunInPlayfield(PlayArena, PlayOverHud);
  EndScreenChangeLimit();
  if (screenLimited) {
    LimitScreenToLowerPanel();
    ShowLowerPanelAgain();
    EndScreenChangeLimit();
  }
  // A console command may change the heads-up display or play a side game on the whole screen.
  stillPictureShown = still && game.console.commandsRun == commandsRun;
  ++game.frameCounter;
  DrawFrameRate();
  if (game.attractDemo) DrawDemoCaption();
}

// A game that lost the focus pauses on the pause screen; a screen lost meanwhile is rebuilt.
void PauseWhileAway() {
  if (!FocusCheck()) RebuildGameScreen();
}

// A game is played with the options as they stand when it starts (they change only in the
// menu): the difficulty gives its lives now, its ball speeds and ship width at every level; the
// steering speeds scale the ship's movement. A recording keeps them all; one made before they
// existed replays at Normal and at 100 %.
void StartGameOptions() {
  constexpr uint32_t optionsSinceVersion = 3;
  int difficulty = static_cast<int>(playerSettings.difficulty);
  int speeds[] = {playerSettings.mouseSpeed, playerSettings.keyboardSpeed,
                  playerSettings.gamepadSpeed};
  JournalStartChoiceSince(optionsSinceVersion, difficulty);
  for (int& speed : speeds) JournalStartChoiceSince(optionsSinceVersion, speed);
  // A recording is outside data: a difficulty or speed out of range plays as the default.
  const bool known = difficulty >= 0 && difficulty < difficultyCount;
  game.difficulty = known ? static_cast<Difficulty>(difficulty) : Difficulty::normal;
  for (int& speed : speeds) {
    if (speed < steeringSpeedLeast || speed > steeringSpeedMost) speed = 100;
  }
  runOptions.mouseSpeed = speeds[0];
  runOptions.keyboardSpeed = speeds[1];
  runOptions.gamepadSpeed = speeds[2];
  game.lives = RowOf(game.difficulty).startLives;
}

// A game enters the high scores only when a person played it from the first level. The demo,
// the autopilot, a replay and a game started further on never do; nor does a recorded game, so
// that its replay, which may not enter, reads the same input as it did.
bool HighScoreBarred(int startLevel) {
  return startLevel > 0 || game.attractDemo || runOptions.autopilot || Recording() || Replaying() ||
         !runOptions.replayFile.empty();
}

// The team is called by the name last entered for the high scores; "TEAM" until there is one.
void NameTheTeam() {
  const std::string name = CleanPlayerName(playerSettings.playerName);
  if (!name.empty()) game.teamName = name;
}

// The level the game reached, as the player counts levels from 1: won, play has moved on past
// the last level played; on the bonus level it counts as the level that led there.
int LevelReached(AfterLevel how) {
  if (how == AfterLevel::gameFinished) return game.levelNumber;
  if (game.levelNumber == bonusLevel) return game.savedLevel + 1;
  return game.levelNumber + 1;
}

// A game whose score enters its difficulty's table asks for the name, enters it, saves the
// table (a failed save is reported on stderr and the game goes on) and shows the table with the
// new entry; the name is kept as the one offered next time. All in the menu's look.
void EnterHighScore(AfterLevel how) {
  if (game.highScoreBarred) return;
  HighScores scores = LoadHighScores();
  HighScoreTable& table = scores.Table(game.difficulty);
  if (!Qualifies(table, game.score)) return;
  SetUpMenu();
  const std::string name = RunNameEntry(game.score, playerSettings.playerName);
  playerSettings.playerName = name;
  SaveSettings(playerSettings);
  const int row = Insert(table, {game.score, LevelReached(how), name, LocalDate()});
  SaveHighScores(scores);
  OpenHighScoreScreenAt(game.difficulty, row);
  while (game.menu.highScores.open) HighScoreFrame();
  TearDownMenu();
}

bool EndTestHolds() {
  if (KeyboardPushed(keyEscape) || game.quitToMenu) return true;
  const bool anyButton = PlayButtonDown() || MouseButton(2) || MouseButton(3);
  return (game.levelComplete || game.lifeLost || game.gameOver) && anyButton;
}

}  // namespace

void StartUp() {
  RegisterFontFile(designerBlockFile);
  // The lists live in the game state and the glyph tables are built at compile time.
  ResetGameState();
  RaiseProcessPriority();
  // The picture and sound decoders are part of the media layer and need no registration.
  if (!InitSprites()) FatalError("Graphic (2D) initialisation problem");
  if (!InitSprite3D()) FatalError("Graphic (3D) initialisation problem");
  if (!InitKeyboard()) FatalError("Keyboard initialisation problem");
  if (!InitMouse()) FatalError("Mouse initialisation problem");
  InitGamepad();  // a game without pads plays on with the mouse and the keys
  if (!InitSound()) FatalError("Sound initialisation problem");
  OpenGameScreen();
  SetFocusCheck(PauseWhileAway);
  KeyboardMode(1);
}

bool NewGame() {
  const int startLevel = TakeStartLevel();  // --level N: straight to that level, no menu
  // The plain reading resets only level, score, name, lives, lost life, music and effects; a
  // game lost on the guardian's or the bonus level then left the bonus flag set, and the next
  // game's first level could never be cleared. Everything the last game left goes instead.
  ReleaseAutopilotButton();
  ResetGameForNewGame();
  game.levelNumber = startLevel < 0 ? 0 : startLevel;
  if (startLevel < 0 && !RunMainMenu()) return false;
  game.highScoreBarred = HighScoreBarred(startLevel);
  NameTheTeam();
  StartGameOptions();
  if (game.attractDemo) StartAttractDemo();
  LoadFont(obj::fontText, "Arial black", 25);
  SetUpConsole();
  LoadAssets();
  if (game.musicOn) StartMusic();
  return true;
}

namespace {

// A level starts from its file, or from the bricks the editor hands over for a test play.
void StartLevelWith(const std::vector<BrickRecord>* bricks) {
  ResetLevelState();
  if (!game.lifeLost) {
    if (bricks) {
      LoadLevelBricks(*bricks);
    } else {
      LoadLevel();
    }
    PlaceLetters();
  } else {
    game.lifeLost = 0;
  }
  SetUpScenery();
  BuildTeleportList();
  const DifficultyRow& difficulty = RowOf(game.difficulty);
  AddBall(game.shipX, game.shipY - 50, 2 * difficulty.serveSpeed, -3 * difficulty.serveSpeed, 8,
          obj::ball16);
  if (!game.enteringBonus) {
    ShowMessage("LEVEL " + std::to_string(game.levelNumber + 1) + difficulty.banner, 2 * frameRate);
  }
  SlideInBricks();
  GlueAllBalls(serveCountdown);
  game.launchPending = 1;
  PrepareSpriteTextures();
}

}  // namespace

void StartLevel() { StartLevelWith(nullptr); }

void RebuildGameScreen() {
  stillPictureShown = false;  // the screen held the pause picture
  ClearLevelResources();
  OpenGameScreen();
  SetUpConsole();
  LoadAssets();
  // The bricks stay as the pause found them: reading the level file again would bring back every
  // brick already broken and put the moving ones back at their start.
  game.levelReloaded = 1;
  SetUpScenery();
  // As at a level's start: textures made now, and the pixels of pictures only drawn let go.
  PrepareSpriteTextures();
}

void RunInPlayfield(void (*inside)(), void (*over)()) {
  if (!Start3D()) return;
  Set3DViewport(playLeft, playClipTop, playWidth, playClipHeight);
  DrawScenery();
  DrawSidePanels();
  Sprite3DQuality(1);
  inside();
  Set3DViewport(0, 0, screenWidth, screenHeight);
  DrawHud(game.teamName, game.score, game.letterMask);
  if (over) over();
  Stop3D();
}

bool RunFrame() {
  StartFrame();
  const bool active = ScreenActive();
  if (active && !game.mouseReleased) {
    RunGameFrame();
  } else if (active) {
    stillPictureShown = false;
    ReleaseMouse(false);
    game.mouseReleased = 0;
  } else {
    stillPictureShown = false;
    ReleaseMouse(true);
    Delay(10);
    game.mouseReleased = 1;
  }
  return EndTestHolds();
}

namespace {

// Where play goes on to a level without a file. Past the last level the game is won; a missing
// file with later levels after it (a gap in the numbering), or a missing bonus level, is a broken
// set of levels: the fatal "No level file", never a quiet end. True when the game is won.
bool PastTheLastLevel(int level) {
  if (FileExists(LevelFileName(level))) return false;
  if (level == bonusLevel) FatalError("No level file");
  for (int later = level + 1; later < firstSpecialLevel; ++later) {
    if (FileExists(LevelFileName(later))) FatalError("No level file");
  }
  return true;
}

}  // namespace

AfterLevel EndLevel() {
  if (game.gameOver || game.lives == 0) game.quitToMenu = 1;
  bool won = false;
  if (game.levelComplete) {
    game.bricks.Clear();
    if (game.letterMask == allLetters) {
      if (game.levelNumber == bonusLevel) {
        game.levelNumber = game.savedLevel + 1;
        game.letterMask = 0;
        game.enteringBonus = 0;
      } else {
        game.savedLevel = game.levelNumber;
        game.levelNumber = bonusLevel;
        game.enteringBonus = 1;
      }
    } else {
      // Play goes on through every level with a file, past the demo's three.
      ++game.levelNumber;
    }
    if (!game.quitToMenu) won = PastTheLastLevel(game.levelNumber);
  }
  // Escape in play gives the game up: the plain reading ends the program here, but a player who
  // gives up a game wants the menu and another go; the menu's QUIT leaves the program.
  // Escape while the picture effect runs only ended the frame loop: the level ends as completed.
  if (won || (KeyboardPushed(keyEscape) && !game.pictureEffectOn)) game.quitToMenu = 1;
  if (game.attractDemo) {
    won = false;  // a demo that plays to the end goes back to the menu like any other
    if (game.quitToMenu) EndAttractDemo();
  }
  if (!game.quitToMenu) return AfterLevel::nextLevel;
  return won ? AfterLevel::gameFinished : AfterLevel::newGame;
}

void EndGame(AfterLevel how) {
  // The plain reading ends the program past the last level, with a message box and the maker's
  // web page; a game that is won deserves a screen of its own, and then another game.
  if (how == AfterLevel::gameFinished) RunEnding();
  if (game.musicOn) StopSound(obj::music);
  EnterHighScore(how);
}

void PlayGame() {
  for (;;) {
    StartLevel();
    while (!RunFrame()) {
    }
    const AfterLevel next = EndLevel();
    if (next != AfterLevel::nextLevel) {
      EndGame(next);
      return;
    }
  }
}

void PlayEditedLevel(int levelNumber, const std::vector<BrickRecord>& bricks) {
  ResetGameForNewGame();
  game.levelNumber = levelNumber;
  game.highScoreBarred = 1;  // a level of one's own making is no game for the table
  NameTheTeam();
  StartGameOptions();
  for (;;) {
    StartLevelWith(&bricks);
    while (!RunFrame()) {
    }
    // A lost life plays the level on as it stands; anything else ends the test play.
    const bool over = KeyboardPushed(keyEscape) || game.quitToMenu || game.levelComplete ||
                      game.gameOver || game.lives <= 0;
    if (over) break;
  }
  if (game.musicOn) StopSound(obj::music);
}

int RunGame() {
  StartUp();
  // The menu's QUIT ends the run; every game played ends back at the menu.
  while (NewGame()) PlayGame();
  FinishRun();
  return 0;
}
