// SPDX-License-Identifier: GPL-3.0-or-later
// The guardian of the temple. The player cannot launch the balls; the guardian lets them go once
// it has risen and spoken. Balls that strike the guardian hurt it (twelve hits beat it); it
// answers with bolts of lightning aimed where the ship is, and three bolts that hit destroy the
// ship and end the game.
//
// States: 0 clouds gather, 1 the guardian rises, 2 and 3 it speaks (the two lines of the
// floating text), 4 the fight begins; 9 it hovers, 10 it aims, 11 it strikes; 19 it breaks
// apart, 20 the won picture, 21 the level is won; 22 the ship is destroyed, 23 the lost picture
// and "YOU LOOSE!".
// A hurt guardian has no state 12 of its own: its hurt flash (hurtFrames, when no ball can hurt
// it again) runs beside hovering, aiming and striking, so a hit never spoils a bolt under way.
#include "gameplay/guardian_scene.h"

#include <cmath>

#include "actors/explosions.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "gameplay/sprite_effects.h"
#include "levels/backgrounds.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float homeX = playCentreX;   // screen coordinates
constexpr float homeY = 190;
constexpr float riseFromY = 280;
constexpr int guardianSize = 220;
constexpr int pictureSize = 260;       // the won and lost pictures
constexpr int guardianHealth = 12;
constexpr int shipShield = 3;
constexpr int cloudCount = 8;
constexpr int cloudAlpha = 200;

constexpr int gatherFrames = 60, riseFrames = 90, speakFrames = 110;
constexpr int aimFrames = 60, lockFrames = 40, strikeFrames = 16, hurtFrames = 24;
constexpr int breakFrames = 120, wonFrames = 120, blastFrames = 100;

constexpr int zapFrequency = 30000;
constexpr int strikeFrequency = 2500;

GuardianScene& Scene() { return game.guardian; }

void Enter(int state) {
  Scene().state = state;
  Scene().timer = 0;
}

// Playfield coordinates of a screen point, as DrawCentredQuad takes them.
void DrawAt(int quad, float screenX, float screenY, int size, int alpha = 255) {
  DrawCentredQuad(quad, screenX - playLeft, screenY - playTop, size, alpha);
}

// The frames between bolts shrink as the guardian weakens.
int HoverFrames() { return 150 + Scene().health * 15; }

// ---------------------------------------------------------------- the scene's step

void Hover() {
  GuardianScene& s = Scene();
  const float t = static_cast<float>(s.clock);
  s.x = homeX + 110 * std::sin(t / 170);
  s.y = homeY + 10 * std::sin(t / 40);
}

void Hurt() {
  GuardianScene& s = Scene();
  --s.health;
  s.hurtFlash = hurtFrames;
  PlayEffect(obj::soundZap, PanFromX(Nearest(s.x)), 100, zapFrequency);
  if (s.health <= 0) {
    PlayEffect(obj::soundExplosion, 0, 100, strikeFrequency);
    game.balls.Clear();  // the fight is over: no ball can be lost any more
    Enter(19);
  }
}

// The bolt lands on its first frame: the sound, the sparks down its column, and the ship hit
// when it is still under the aim.
void Strike() {
  GuardianScene& s = Scene();
  if (s.timer == 1) {
    PlayEffect(obj::soundExplosion, PanFromX(s.strikeX), 100, strikeFrequency);
    ++s.strikeCount;
    for (int i = 0; i < 4; ++i) {
      AddExplosion(static_cast<float>(s.strikeX + Random(40) - 20), s.y + 150 + i * 130.0f);
    }
    if (std::fabs(game.shipX - s.strikeX) < game.shipHalfWidth + 24) {
      --s.shield;
      AddFireball(game.shipX, game.shipY, 160);
      if (s.shield <= 0) {
        game.balls.Clear();
        Enter(22);
        return;
      }
    }
  }
  if (s.timer >= strikeFrames) Enter(9);
}

// ---------------------------------------------------------------- the scene's drawing

void DrawClouds(int alpha) {
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  const float t = static_cast<float>(Scene().clock);
  for (int i = 0; i < cloudCount; ++i) {
    const float a = t / 200 + i * 6.2832f / cloudCount;
    RotateSprite3D(obj::cloudQuad, Nearest(t / 3 + i * 45), 0);
    DrawAt(obj::cloudQuad, homeX + 190 * std::cos(a), homeY + 60 * std::sin(a) - 20,
           180 + 40 * (i % 3), alpha);
  }
  Sprite3DBlendingMode(blendTransparent);
}

void DrawGuardian(int alpha) {
  const GuardianScene& s = Scene();
  if (s.hurtFlash > 0) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawAt(obj::guardianMask, s.x, s.y, guardianSize + 30, s.hurtFlash * 10);
    Sprite3DBlendingMode(blendTransparent);
  }
  const int frame = obj::guardianFrame + (s.clock / 6) % guardianFrames;
  DrawAt(frame, s.x, s.y, guardianSize, alpha);
}

void DrawTargetMarker(bool locked) {
  const GuardianScene& s = Scene();
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  const int pulse = Nearest(60 + 20 * std::sin(s.timer / 3.0f));
  RotateSprite3D(obj::layerQuad, s.timer * (locked ? 12 : 4), 0);
  DrawAt(obj::layerQuad, static_cast<float>(s.strikeX), game.shipY, pulse + (locked ? 40 : 0),
         locked ? 255 : 150);
  Sprite3DBlendingMode(blendTransparent);
}

void DrawBolt() {
  const GuardianScene& s = Scene();
  const float top = s.y + 60;
  const int length = Nearest(game.shipY - top);
  // Added by brightness: the picture's pale sky flash lights the bolt's column.
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  ZoomSprite3D(obj::strike, 120 + Random(60), length);
  DrawSceneryQuad(obj::strike, Nearest(s.strikeX - 75.0f), Nearest(top));
  Sprite3DBlendingMode(blendTransparent);
}

}  // namespace

void SetUpGuardianScene() {
  game.launchLocked = 1;
  game.maxMonsters = 10;
  game.kindMask = 12;
  game.spawnPeriod = 5;
  // The screen rebuilt after a focus-loss pause sets the scenery up again: the fight goes on.
  if (game.levelReloaded) return;
  // The level is won by beating the guardian, not by clearing bricks.
  game.enteringBonus = 1;
  GuardianScene& s = Scene();
  s = GuardianScene{};
  s.health = guardianHealth;
  s.shield = shipShield;
  s.x = homeX;
  s.y = riseFromY;
}

bool GuardianTakesBall(Ball& ball) {
  GuardianScene& s = Scene();
  if (s.state < 9 || s.state > 11 || s.hurtFlash > 0) return false;
  const float dx = ball.x - s.x, dy = ball.y - s.y;
  const float reach = guardianHitRadius + ball.radius;
  const float d = std::sqrt(dx * dx + dy * dy);
  if (d >= reach || d == 0) return false;
  // Out of the guardian along the line from its centre, then reflected about that line.
  const float nx = dx / d, ny = dy / d;
  ball.x = s.x + nx * reach;
  ball.y = s.y + ny * reach;
  const float along = ball.vx * nx + ball.vy * ny;
  if (along < 0) {
    ball.vx -= 2 * along * nx;
    ball.vy -= 2 * along * ny;
  }
  Hurt();
  return true;
}

void StepGuardianScene() {
  // Paused by the P key, the console, or a lost ball: no count, no aim, no bolt.
  if (game.paused) return;
  GuardianScene& s = Scene();
  ++s.clock;
  ++s.timer;
  if (s.hurtFlash > 0) --s.hurtFlash;
  for (Ball& ball : game.balls) {
    if (GuardianTakesBall(ball)) break;
  }
  switch (s.state) {
    case 0:
      if (s.timer == 1) PlayEffect(obj::soundZap, 0, 100, zapFrequency / 2);
      if (s.timer >= gatherFrames) Enter(1);
      break;
    case 1: {
      const float k = static_cast<float>(s.timer) / riseFrames;
      s.y = riseFromY + (homeY - riseFromY) * k;
      s.hurtFlash = Nearest(20 * (1 - k));
      if (s.timer >= riseFrames) Enter(2);
      break;
    }
    case 2:
    case 3:
      if (s.timer == 1) {
        if (s.state == 2) PlayEffect(obj::soundExplosion, 0, 100, strikeFrequency);
        ShowMessage(s.state == 2 ? "HIT THE GUARDIAN" : "DODGE ITS BOLTS", frameRate);
      }
      if (s.timer >= speakFrames) Enter(s.state + 1);
      break;
    case 4:
      // The guardian lets the balls go: they leave the ship on the next ball pass.
      game.glueTimer = 1;
      Enter(9);
      break;
    case 9:
      Hover();
      if (s.timer >= HoverFrames()) Enter(10);
      break;
    case 10:
      Hover();
      // It follows the ship, then holds still: the moment to get out from under it.
      if (s.timer <= aimFrames) s.strikeX = Nearest(game.shipX);
      if (s.timer >= aimFrames + lockFrames) Enter(11);
      break;
    case 11:
      Strike();
      break;
    case 19:
      s.x += static_cast<float>(Random(6) - 3);
      if (s.timer % 4 == 1) {
        const float x = s.x + Random(160) - 80;
        const float y = s.y + Random(160) - 80;
        AddExplosion(x, y);
      }
      if (s.timer >= breakFrames) Enter(20);
      break;
    case 20:
      if (s.timer >= wonFrames) {
        Enter(21);
        game.enteringBonus = 0;
        game.levelComplete = 1;
        game.paused = 1;
      }
      break;
    case 22:
      if (s.timer % 4 == 1) {
        const float x = game.shipX + RandomDifference(64);
        const float y = game.shipY + RandomDifference(64);
        AddFireball(x, y, 128);
      }
      if (s.timer >= blastFrames) {
        Enter(23);
        ShowMessage("YOU LOOSE!", 2 * frameRate);
        game.gameOver = 1;
      }
      break;
    default:
      break;
  }
}

void DrawGuardianScene() {
  const GuardianScene& s = Scene();
  switch (s.state) {
    case 0:
      DrawClouds(s.timer * cloudAlpha / gatherFrames);
      break;
    case 1:
      DrawClouds(cloudAlpha);
      DrawGuardian(Nearest(255.0f * s.timer / riseFrames));
      break;
    case 2:
    case 3:
    case 4:
    case 9:
    case 22:
      DrawClouds(cloudAlpha);
      DrawGuardian(255);
      break;
    case 10:
      DrawClouds(cloudAlpha);
      DrawGuardian(255);
      DrawTargetMarker(s.timer > aimFrames);
      break;
    case 11:
      DrawClouds(cloudAlpha);
      DrawGuardian(255);
      DrawBolt();
      break;
    case 19:
      DrawClouds(Nearest(static_cast<float>(cloudAlpha) * (breakFrames - s.timer) / breakFrames));
      DrawGuardian(255);
      break;
    case 20:
    case 21:
      Sprite3DBlendingMode(blendTransparent);
      DrawAt(obj::guardianWon, homeX, homeY, pictureSize,
             s.state == 21 ? 255 : s.timer * 255 / wonFrames);
      break;
    case 23:
      DrawClouds(cloudAlpha);
      DrawAt(obj::guardianLost, s.x, s.y, pictureSize, 255);
      break;
    default:
      break;
  }
}

void SetUpScenery() {
  SetUpBackground();
  if (game.levelNumber == guardianLevel) SetUpGuardianScene();
}

void DrawScenery() {
  DrawBackground();
  if (game.levelNumber == guardianLevel) {
    StepGuardianScene();
    DrawGuardianScene();
  }
}
