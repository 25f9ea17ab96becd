// SPDX-License-Identifier: GPL-3.0-or-later
// The ball pass: every step walks the whole ball list before the next one begins.
#include <cmath>
#include <iterator>
#include <numbers>

#include "actors/monsters.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "gameplay/balls.h"
#include "gameplay/brick_contact.h"
#include "gameplay/teleports.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int glueCatchFrames = 10 * frameRate;
constexpr float filHeight = 70;         // the fil wire stands this far above the bottom
constexpr float minimumSeparation = 0.00001f;
constexpr float uprightLimit = 0.1f;    // a |vx| below this runs straight up and down
constexpr int monsterReverser = obj::monster04;  // the ship hunter sends a ball straight back
constexpr int monsterScore = 5;
constexpr int maxShipPushes = 1000;     // a ball that cannot leave the ship in time stays

// --------------------------------------------------------------- monsters (step 2)

// A whole-pixel point of the ball's rim against the monster's picture box with its edges
// rounded to whole pixels (half sizes rounded down). Weapons test their point against the exact
// box (KillMonsterAtPoint); the two differ by a pixel at odd sizes and fractional centres.
bool InsidePixelMonsterBox(const Monster& m, int px, int py) {
  const int picture = m.kind + m.frameOffset;
  const int w = Sprite3DWidth(picture) / 2;
  const int h = Sprite3DHeight(picture) / 2;
  return px >= Nearest(m.x - w) && px < Nearest(m.x + w) && py >= Nearest(m.y - h) &&
         py < Nearest(m.y + h);
}

void HitMonster(Ball& ball, const Monster& m) {
  if (m.kind == monsterReverser) {
    ball.vx = -ball.vx;
    ball.vy = -ball.vy;
  } else {
    float s = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
    if (s == 0) s = 0.0001f;
    // A whole number of radians from 0 to 6: 2 pi rounded is the bound.
    const float theta = static_cast<float>(Random(6));
    ball.vx = s * std::sin(theta);
    ball.vy = s * std::cos(theta);
  }
  KillMonster(m.x, m.y);
  game.score += monsterScore;
}

void CollideWithMonsters(Ball& ball) {
  if (game.monsters.Empty()) return;
  const float step = std::numbers::pi_v<float> / ball.radius * 4;
  const float end = 2 * std::numbers::pi_v<float> + step;
  for (float a = 0; a < end; a += step) {
    const int px = static_cast<int>(ball.x - ball.radius * std::sin(a));
    const int py = static_cast<int>(ball.y - ball.radius * std::cos(a));
    List<Monster>& monsters = game.monsters;
    monsters.Reset();
    while (monsters.Next()) {
      if (InsidePixelMonsterBox(monsters.Current(), px, py)) {
        HitMonster(ball, monsters.Current());
        monsters.Delete();
      }
    }
  }
}

// --------------------------------------------------------------- movement (step 3)

void CollideBalls(Ball& b, Ball& c) {
  const float dx = c.x - b.x;
  const float dy = c.y - b.y;
  const float dd = dx * dx + dy * dy;
  float d = std::sqrt(dd);
  const float overlap = b.radius + c.radius - d;
  if (!(overlap > 0)) return;
  PlayEffect(obj::soundBounceBall, PanFromX(Nearest(c.x)), 80, 50000);

  // Two balls at one point have no line of centres: nothing is exchanged, they only separate.
  if (dd > 0) {
    const float kb = (dx * b.vx + dy * b.vy) / dd;
    const float kc = (-dx * c.vx - dy * c.vy) / dd;
    const float nbx = kb * dx, nby = kb * dy;
    const float ncx = kc * -dx, ncy = kc * -dy;
    const float mb = b.mass, mc = c.mass, total = b.mass + c.mass;
    const float nbx2 = (2 * mc * ncx + (mb - mc) * nbx) / total;
    const float nby2 = (2 * mc * ncy + (mb - mc) * nby) / total;
    const float ncx2 = (2 * mb * nbx + (mc - mb) * ncx) / total;
    const float ncy2 = (2 * mb * nby + (mc - mb) * ncy) / total;
    b.vx += nbx2 - nbx;
    b.vy += nby2 - nby;
    c.vx += ncx2 - ncx;
    c.vy += ncy2 - ncy;
  }

  if (d == 0) d = minimumSeparation;
  const float s = overlap / 2 / d;
  c.x += dx * s;
  c.y += dy * s;
  b.x -= dx * s;
  b.y -= dy * s;
}

void MoveBalls() {
  List<Ball>& balls = game.balls;
  for (auto b = balls.begin(); b != balls.end(); ++b) {
    if (!b->glued) {
      b->x += b->vx;
      b->y += b->vy;
      for (auto c = std::next(b); c != balls.end(); ++c) CollideBalls(*b, *c);
    } else {
      b->x = game.shipX + b->glueOffset;
      game.glueTimer -= 1;
      if (game.glueTimer <= 0) {
        b->glued = 0;
        if (game.launchPending) EndGlue();
      }
    }
  }
}

// --------------------------------------------------------------- the ship (step 4)

bool TouchesShip(const Ball& ball) {
  const float left = game.shipX - game.shipHalfWidth, right = game.shipX + game.shipHalfWidth;
  const float top = game.shipY - game.shipHalfHeight, bottom = game.shipY + game.shipHalfHeight;
  const float r = ball.radius;
  if (ball.x > left && ball.x < right && ball.y + r > top && ball.y - r < bottom) return true;
  if (ball.y > top && ball.y < bottom && ball.x + r > left && ball.x - r < right) return true;
  const float cornerX[] = {left, right, left, right};
  const float cornerY[] = {top, top, bottom, bottom};
  for (int i = 0; i < 4; ++i) {
    if (std::hypot(ball.x - cornerX[i], ball.y - cornerY[i]) < r) return true;
  }
  return false;
}

void CatchOnShip(Ball& caught) {
  game.glueTimer = glueCatchFrames;
  // Only one ball is held at a time: a new catch lets the previous one go.
  for (Ball& other : game.balls) other.glued = 0;
  caught.glued = 1;
  caught.glueOffset = caught.x - game.shipX;
}

void BounceOffShip(Ball& ball) {
  if (ball.glued || !TouchesShip(ball)) return;
  PlayEffect(obj::soundBounce, 0, 50, 10000);
  // The ball leaves along the line from the ship's centre through its own centre, so where it
  // meets the ship sets the angle; a quarter of the ship's movement is added.
  float ux = ball.x - game.shipX, uy = ball.y - game.shipY;
  float length = std::sqrt(ux * ux + uy * uy);
  if (length == 0) length = 0.0001f;
  ux /= length;
  uy /= length;
  const float s = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
  ball.vx = s * ux + game.shipDX / 4;
  ball.vy = s * uy + (std::fabs(game.shipDY) / 4) * uy;
  if (ball.vy == 0) ball.vy = 1.0f;
  LimitBallSpeed(ball);
  int pushes = 0;
  do {
    ball.x += ball.vx;
    ball.y += ball.vy;
  } while (TouchesShip(ball) && ++pushes < maxShipPushes);
  if (game.glueMode) CatchOnShip(ball);
}

// --------------------------------------------------------------- walls, fil, bottom (step 5)

// False when the ball fell out of play and was deleted.
bool KeepInPlayfield(Ball& ball) {
  const float r = ball.radius;
  if (game.filBarrierOn && ball.y + r >= playBottom - filHeight) {
    ball.y = playBottom - r - filHeight;
    ball.vy = -std::fabs(ball.vy);
    PlayEffect(obj::soundBounceFire, -1, -1, -1);
  }
  // Lost only once the whole ball is below the playfield.
  if (ball.y - r >= playBottom) {
    LoseBall();
    PlayEffect(obj::soundDoor, -1, -1, 5000);
    return false;
  }
  if (ball.x - r <= playLeft) {
    ball.x = playLeft + r;
    ball.vx = std::fabs(ball.vx);
    PlayEffect(obj::soundBounce, -100, 100, 20000);
  }
  if (ball.y - r <= playTop) {
    ball.y = playTop + r;
    ball.vy = std::fabs(ball.vy);
    PlayEffect(obj::soundBounce, 0, 100, 20000);
  }
  if (ball.x + r >= playRight) {
    ball.x = playRight - r;
    ball.vx = -std::fabs(ball.vx);
    PlayEffect(obj::soundBounce, 100, 100, 20000);
  }
  return true;
}

}  // namespace

void BallPass() {
  List<Ball>& balls = game.balls;
  for (Ball& ball : balls) ball.removeAtFrameEnd = 0;
  for (Ball& ball : balls) CollideWithMonsters(ball);
  MoveBalls();
  for (Ball& ball : balls) {
    LimitBallSpeed(ball);
    BounceOffShip(ball);
  }

  balls.Reset();
  while (balls.Next()) KeepInPlayfield(balls.Current());

  balls.Reset();
  while (balls.Next()) CollideWithBricks();

  for (Ball& ball : balls) {
    // Keeps a ball from running straight up and down for ever.
    if (ball.vx > -uprightLimit && ball.vx < uprightLimit) {
      ball.vx = static_cast<float>(RandomDifference(100)) / 100;
    }
  }
  for (Ball& ball : balls) ball.vy += ball.gravity;

  balls.Reset();
  while (balls.Next()) {
    if (balls.Current().removeAtFrameEnd) balls.Delete();
  }
  AdvanceTeleports();
}
