// SPDX-License-Identifier: GPL-3.0-or-later
// The game record `game` and its resets: for a run, a new game, a level, the monster spawning.
#include "core/game_state.h"

#include <utility>

#include "assets/asset_loader.h"
#include "assets/pack_file.h"

GameState game;

void ResetGameState() {
  game = GameState{};
  // The layers below the record keep their own state; a fresh run finds them fresh too.
  ResetAssetLoader();
  ResetPackReader();
}

void ResetGameForNewGame() {
  GameState next;
  // What outlives a game: the screens that set themselves up (the menu, the credits, the console
  // and its side games) and whether the mouse is given back to the system. Everything else is
  // the last game's and starts again from its initialiser.
  next.menu = std::move(game.menu);
  next.credits = std::move(game.credits);
  next.console = std::move(game.console);
  next.pong = game.pong;
  next.tetris = std::move(game.tetris);
  next.duck = std::move(game.duck);
  next.sweets = std::move(game.sweets);
  next.mouseReleased = game.mouseReleased;
  next.focusPauseWaiting = game.focusPauseWaiting;
  game = std::move(next);
}

void ResetMonsterSpawning() {
  const GameState defaults;
  game.maxMonsters = defaults.maxMonsters;
  game.kindMask = defaults.kindMask;
  game.spawnPeriod = defaults.spawnPeriod;
}

void ResetLevelState() {
  // Every value comes from the record's initialisers, so each default is written once.
  const GameState defaults;

  // The per-level lists; the bricks stay when the level restarts after a lost life.
  game.balls.Clear();
  if (!game.lifeLost) game.bricks.Clear();
  game.brickExplosions.Clear();
  game.monsterExplosions.Clear();
  game.fireballs.Clear();
  game.spriteEffects.Clear();
  game.monsters.Clear();
  game.teleportBricks.Clear();
  game.teleports.Clear();
  game.capsules.Clear();
  game.flyingBalls.Clear();
  game.settledBalls.Clear();

  ResetMonsterSpawning();

  game.showFps = defaults.showFps;
  game.fpsAverage = defaults.fpsAverage;

  // The ship in the middle at its normal size.
  game.shipX = defaults.shipX;
  game.shipY = defaults.shipY;
  game.shipHalfWidth = defaults.shipHalfWidth * RowOf(game.difficulty).shipWidthPercent / 100;
  game.sizeHold = defaults.sizeHold;
  game.sizeCounter = defaults.sizeCounter;
  game.leanTimer = defaults.leanTimer;
  game.keyboardShipSpeed = defaults.keyboardShipSpeed;
  game.gamepadShipSpeed = defaults.gamepadShipSpeed;

  game.levelComplete = defaults.levelComplete;
  game.quitToMenu = defaults.quitToMenu;
  game.gameOver = defaults.gameOver;
  game.paused = defaults.paused;
  game.doorOpen = defaults.doorOpen;
  game.malus = defaults.malus;
  game.malusTimer = defaults.malusTimer;
  game.shipLeaving = defaults.shipLeaving;
  game.pictureEffectOn = defaults.pictureEffectOn;
  game.pictureEffectStarting = defaults.pictureEffectStarting;
  game.launchLocked = defaults.launchLocked;
  game.levelReloaded = defaults.levelReloaded;
  game.frameCounter = defaults.frameCounter;

  // Balls, bonuses and weapons.
  game.maxBallSpeed = RowOf(game.difficulty).maxBallSpeed;
  game.glueMode = defaults.glueMode;
  game.glueTimer = defaults.glueTimer;
  game.fireMode = defaults.fireMode;
  game.fireTimer = defaults.fireTimer;
  game.filBarrierOn = defaults.filBarrierOn;
  game.filTimer = defaults.filTimer;
  game.laserOn = defaults.laserOn;
  game.laserCooldown = defaults.laserCooldown;
  game.missileArmed = defaults.missileArmed;
  game.missileCountdown = defaults.missileCountdown;
  game.launcherFrame = defaults.launcherFrame;
  game.gaugeAngle = defaults.gaugeAngle;
  game.targetValid = defaults.targetValid;
  game.targetScroll = defaults.targetScroll;
  game.missiles.Clear();
  game.smokePuffs = defaults.smokePuffs;
  game.fragments = defaults.fragments;
  game.fragmentsInFlight = defaults.fragmentsInFlight;
  game.gunState = defaults.gunState;

  // Chaingun, laser and fil.
  game.bullets.Clear();
  game.muzzleFlashes.Clear();
  game.laserShots.Clear();
  game.nextShot = defaults.nextShot;
  game.rightBarrel = defaults.rightBarrel;
  game.gaugeIndex = defaults.gaugeIndex;
  game.filAlpha = defaults.filAlpha;
  game.filPhase = defaults.filPhase;
}
