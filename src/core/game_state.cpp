#include "core/game_state.h"

GameState game;

void ResetGameState() { game = GameState{}; }

void ResetLevelState() {
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

  // Monster spawning back to its defaults, before the level's scenery may change it.
  const GameState defaults;
  game.maxMonsters = defaults.maxMonsters;
  game.kindMask = defaults.kindMask;
  game.spawnPeriod = defaults.spawnPeriod;

  game.showFps = 0;
  game.fpsAverage = 0;

  game.shipX = playLeft + playWidth / 2;
  game.shipY = playBottom - 40;
  game.shipHalfWidth = 40;
  game.sizeHold = 0;
  game.sizeCounter = 0;
  game.leanTimer = 0;

  game.levelComplete = 0;
  game.quitToMenu = 0;
  game.gameOver = 0;
  game.paused = 0;
  game.doorOpen = 0;
  game.malus = 0;
  game.malusTimer = 0;
  game.shipLeaving = 0;
  game.pictureEffectOn = 0;
  game.pictureEffectStarting = 0;
  game.launchLocked = 0;
  game.frameCounter = 0;

  // Balls, bonuses and weapons.
  game.maxBallSpeed = 10;
  game.glueMode = 0;
  game.glueTimer = 0;
  game.fireMode = 0;
  game.fireTimer = 0;
  game.filBarrierOn = 0;
  game.filTimer = 0;
  game.laserOn = 0;
  game.laserCooldown = 0;
  game.missileArmed = 0;
  game.missileCountdown = 0;
  game.launcherFrame = 0;
  game.gaugeAngle = 0;
  game.targetValid = false;
  game.targetScroll = 0;
  game.missiles.Clear();
  game.smokePuffs.fill(SmokePuff{});
  game.fragments.fill(MissileFragment{});
  game.fragmentsInFlight = 0;
  game.gunState = 0;

  // Chaingun, laser and fil.
  game.bullets.Clear();
  game.muzzleFlashes.Clear();
  game.laserShots.Clear();
  game.nextShot = 0;
  game.rightBarrel = false;
  game.gaugeIndex = 0;
  game.filAlpha = 0;
  game.filPhase = 0;
}
