// SPDX-License-Identifier: GPL-3.0-or-later
// The game-wide record: every program-wide field and list lives here for the whole run. Parts
// read and write it directly. A group's values last a level (ResetLevelState, or the level's own
// set-up where the group names it) unless the group says a game (ResetGameForNewGame, at every
// new game) or the run (kept from game to game). A field's initialiser is its one default.
#pragma once

#include <cstdint>
#include <array>
#include <string>

#include "assets/objects.h"
#include "core/ball_record.h"
#include "core/brick_record.h"
#include "core/capsule_record.h"
#include "core/console_record.h"
#include "core/credits_record.h"
#include "core/difficulty.h"
#include "core/duck_record.h"
#include "core/effect_records.h"
#include "core/menu_record.h"
#include "core/missile_records.h"
#include "core/monster_record.h"
#include "core/picture_balls.h"
#include "core/scenery_record.h"
#include "core/settings.h"
#include "core/sweets_record.h"
#include "core/teleport_record.h"
#include "core/tetris_record.h"
#include "core/weapon_records.h"
#include "media/list.h"

struct GameState {
  // Level progression and the end-of-level conditions, per game; the conditions also per level.
  int levelNumber = 0;
  int savedLevel = 0;
  int enteringBonus = 0;
  // The game's difficulty, chosen in the options and kept in recordings; its row of the
  // difficulty table sets the lives, the ball's speeds and the ship's width.
  Difficulty difficulty = Difficulty::normal;
  int lives = RowOf(Difficulty::normal).startLives;
  int score = 0;
  std::string teamName = "TEAM";
  int letterMask = 0;
  int levelComplete = 0;
  int lifeLost = 0;
  int gameOver = 0;
  int quitToMenu = 0;

  // Attract mode: the untouched menu plays a demo game with the autopilot until a key or a click.
  // Per game: the menu sets it as it hands over.
  bool attractDemo = false;
  // Per game: a game started past the first level (--level N) never enters the high scores, so
  // the table compares games played from the start.
  bool highScoreBarred = false;
  // The autopilot's hand, per game: the button it pressed, to let go on its next step.
  bool autopilotButtonDown = false;
  // The autopilot's watch on the bricks, per game: the hits the breakable bricks had left at its
  // last look, the frames since one gave way, and how often it has moved its aim since.
  int autopilotHitsLeft = -1;
  int autopilotQuietFrames = 0;
  int autopilotAimShift = 0;

  // Loop flags: per level, except musicOn and effectsOn (per game), mouseReleased and
  // focusPauseWaiting (the run's).
  int paused = 0;
  int frameCounter = 0;
  int showFps = 0;
  int fpsStartTime = 0;      // ms, the frame's start while the rate is shown
  int fpsAverage = 0;        // ms, running average of frame times
  int musicOn = 1;
  int effectsOn = 1;
  int mouseReleased = 0;
  int launchPending = 0;
  int launchLocked = 0;      // the ball-launch lock of one level's scenery
  int levelReloaded = 0;     // set when the screen was rebuilt and the level file read again
  bool focusPauseWaiting = false;  // the focus-loss pause waits for the player's click

  // Ship (steering keeps these; drawing reads them).
  float shipX = playCentreX;
  float shipY = playBottom - 40;
  float shipDX = 0;
  float shipDY = 0;
  int shipLeanFrame = obj::shipUpright;
  int leanTimer = 0;
  int shipBodySprite = obj::shipBody;
  int shipHalfWidth = 40;
  int shipHalfHeight = 40;
  int sizeCounter = 0;
  int sizeHold = 0;
  int shipLeaving = 0;
  int doorOpen = 0;
  int malus = 0;             // the active malus, 0..3 (1 mirrors the steering)
  int malusTimer = 0;        // frames the malus has left
  float keyboardShipSpeed = 0;  // px a frame: the arrow keys' steering, gathering speed
  float gamepadShipSpeed = 0;   // px a frame: the pad's steering, likewise

  // Weapon and bonus states the main loop tests.
  int gunState = 0;          // chaingun: 0 off, 1 just switched on, 2 active
  int ammo = 0;              // chaingun shots left
  int ammoMax = 0;           // chaingun shots at switch-on
  int ammoStep = 0;          // chaingun shots per gauge state
  int laserOn = 0;
  int laserCooldown = 0;
  int glueMode = 0;
  int glueTimer = 0;
  int missileArmed = 0;      // a missile is loaded and not yet fired
  int missileCountdown = 0;  // frames of the launcher's loading animation left

  // Chaingun, laser and fil: the gun's aim and timing, the projectiles and the fil's glow.
  float gunX = 0, gunY = 0;  // top-left corner of the gun picture
  float gunAngle = 90;       // degrees from the +x axis with y up: 90 aims straight up
  int pointerX = 0, pointerY = 0;
  float leftMuzzleX = 0, leftMuzzleY = 0;
  float rightMuzzleX = 0, rightMuzzleY = 0;
  int64_t nextShot = 0;      // media clock (ms) before which the gun cannot fire
  bool rightBarrel = false;  // the last shot left from the right barrel
  int gaugeIndex = 0;        // ammunition gauge picture, 0 full .. 5 empty
  List<Bullet> bullets;
  List<MuzzleFlash> muzzleFlashes;
  List<LaserShot> laserShots;
  int filAlpha = 0;
  float filPhase = 0;        // spark animation counter, half a frame per frame
  // Missiles: the launcher, the target marker, the missiles in flight, their smoke and fragments.
  int launcherFrame = 0;     // animation frame 0..31 of the missile on the launcher
  float gaugeAngle = 0;      // degrees, -90..0; the aim leans (gaugeAngle + 45) / 4 degrees
  int targetBrick = 0;       // index in the brick list
  bool targetValid = false;
  float targetX = 0, targetY = 0;   // the target brick's centre, followed as it moves
  int targetHalfWidth = 0, targetHalfHeight = 0;
  float targetScroll = 0;    // the caption's texture offset, 0.004 a frame
  List<Missile> missiles;
  std::array<SmokePuff, smokeSlots> smokePuffs{};
  std::array<MissileFragment, fragmentSlots> fragments{};
  int fragmentsInFlight = 0;

  // Falling capsules, in drawing order.
  List<Capsule> capsules;

  // Balls in play, in processing and drawing order, and the balls in transit between teleports.
  List<Ball> balls;
  List<Teleport> teleports;
  float maxBallSpeed = RowOf(Difficulty::normal).maxBallSpeed;  // the difficulty's, each level
  int fireMode = 0;          // balls pass through bricks
  int fireTimer = 0;         // frames of fire mode left
  int filBarrierOn = 0;      // the wire above the bottom bounces balls
  int filTimer = 0;          // the wire's fade: negative while it fades in

  // Monsters: what the balls and weapons hit.
  List<Monster> monsters;

  // Monster spawning: the per-level reset restores these defaults; some sceneries change them.
  int maxMonsters = 4;   // no spawn while this many monsters live
  int kindMask = 31;     // kinds allowed: 1 568, 2 584, 4 616, 8 648, 16 600
  int spawnPeriod = 20;  // frames between spawn chances

  // Explosions, each list in drawing order: bursts of bricks, bursts of monsters, fireballs.
  List<Explosion> brickExplosions;
  List<Explosion> monsterExplosions;
  List<Fireball> fireballs;

  // Sprite effects and the glyphs of floating texts, in drawing order.
  List<SpriteEffect> spriteEffects;

  // End-of-level picture effect.
  int pictureEffectOn = 0;
  int pictureEffectStarting = 0;
  int effectPicture = 0;
  int scanX = 0, scanY = 0, scanStep = 1;  // the pixel scan, bottom row first
  int emitX = 0, emitY = 0;                // where the balls leave from this frame
  List<FlyingBall> flyingBalls;
  List<SettledBall> settledBalls;

  // Main menu: pointer, selection, intro animation, sweep and sparks; the run's, set up afresh
  // by the menu each time it opens.
  MenuState menu;

  // The level's bricks in file order, and the indices of its teleporters: the level file's.
  List<Brick> bricks;
  List<int> teleportBricks;
  int secondTick = 0;    // 0..74; its wrap to 0 is the one-second tick of level time
  int slideOffset = 0;   // added to every brick's drawn y; negative during the slide-in

  // The hidden console and Pong: kept for the whole run, never by the per-level reset.
  ConsoleState console;
  PongState pong;

  // Level scenery: the background style, the effect particles (one array for the whole run,
  // every effect uses a prefix of it) and the guardian scene of level 50. Set up by each level;
  // a new game also clears them, so a game lost to the guardian leaves nothing behind.
  std::string backgroundStyle = "black";
  std::array<BackgroundParticle, backgroundParticleCount> backgroundParticles{};
  GuardianScene guardian;
  // Quads the scenery asked for in this frame (past maxSceneryQuads none are drawn); counted
  // from 0 at every frame's background.
  int sceneryQuadsThisFrame = 0;
  // The screens below set themselves up: the run's, kept from game to game.
  // ---------------------------------------------------------------- credits screen
  // Its text, scroll, fade and landscape while it is open (emptied when it closes).
  CreditsState credits;
  // The falling-blocks game: level, score and board kept for the whole run.
  TetrisState tetris;
  // The duck shoot and the sweets game: set afresh when each starts.
  DuckState duck;
  SweetsState sweets;
};

extern GameState game;

// A new-process state, the record and the asset loader's and pack reader's own state: start-up
// and tests call it so every run starts clean.
void ResetGameState();

// The per-game reset of every new game: everything a game may leave behind (its level and the
// bonus level's return, letters, score, the guardian, weapons, the autopilot's hand) back to
// its initialiser; the run's groups stay.
void ResetGameForNewGame();

// The per-level reset of every level start.
void ResetLevelState();

// Monster spawning back to its defaults: at every level start and every set-up of a level's
// scenery (a rebuilt screen too), before the scenery may change it.
void ResetMonsterSpawning();
