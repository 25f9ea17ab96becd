// SPDX-License-Identifier: GPL-3.0-or-later
// A ball against the bricks. Bricks are found by points sampled on the ball's circle; the ball
// backs out of the bricks along its own path before it bounces.
#include "gameplay/brick_contact.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "actors/weapon_hits.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "gameplay/balls.h"
#include "gameplay/capsules.h"
#include "gameplay/teleports.h"
#include "levels/bricks.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float grazingLimit = 0.1f;  // |cos| below this: the ball only grazes the bricks
constexpr int maxBackOutSteps = 2000;  // more than the playfield's diagonal
constexpr int ballBrickScore = 10;    // a brick a ball breaks
enum SoundChoice { soundPlain = 1, soundMultiHit = 2, soundTeleport = 3, soundUnbreakable = 4 };

// The sample angles for one radius: pi / r apart (pi / 8 for small balls), from 0 through a
// full turn, so the point straight below the centre is sampled twice.
struct CircleSamples {
  float radius = -1;
  std::vector<float> sinA, cosA;
};

const CircleSamples& SamplesFor(float radius) {
  static CircleSamples samples;
  if (samples.radius == radius) return samples;
  samples.radius = radius;
  samples.sinA.clear();
  samples.cosA.clear();
  const double step = radius > 8 ? std::numbers::pi / radius : std::numbers::pi / 8;
  // Angles k * step while below a full turn plus one step; the turn itself is one of them.
  double turns = 2 * std::numbers::pi / step;
  if (std::fabs(turns - std::round(turns)) < 1e-6) turns = std::round(turns);
  const int last = static_cast<int>(std::ceil(turns + 1)) - 1;
  for (int k = 0; k <= last; ++k) {
    samples.sinA.push_back(static_cast<float>(std::sin(k * step)));
    samples.cosA.push_back(static_cast<float>(std::cos(k * step)));
  }
  return samples;
}

struct NearBrick {
  int index;
  Brick* brick;
  int left, top, right, bottom;  // the 64 x 20 hit box, edges rounded
};

// Only bricks whose box reaches the ball's square can hold a sample point; keeping their list
// order keeps "the first brick containing the point" the same as a search of the whole list.
std::vector<NearBrick>& BricksNear(float x, float y, float r) {
  static std::vector<NearBrick> nearby;
  nearby.clear();
  const float minX = x - r - 1, maxX = x + r + 1, minY = y - r - 1, maxY = y + r + 1;
  int index = 0;
  for (Brick& b : game.bricks) {
    if (b.alive && b.x - cellWidth / 2 - 1 < maxX && b.x + cellWidth / 2 + 1 > minX &&
        b.y - cellHeight / 2 - 1 < maxY && b.y + cellHeight / 2 + 1 > minY) {
      nearby.push_back({index, &b, Nearest(b.x - cellWidth / 2),
                        Nearest(b.y - cellHeight / 2),
                        Nearest(b.x + cellWidth / 2),
                        Nearest(b.y + cellHeight / 2)});
    }
    ++index;
  }
  return nearby;
}

const NearBrick* BrickAtSample(const std::vector<NearBrick>& nearby, float x, float y, float r,
                               float sinA, float cosA) {
  const int px = Nearest(x + r * sinA);
  const int py = Nearest(y + r * cosA);
  for (const NearBrick& n : nearby) {
    if (px > n.left && px < n.right && py > n.top && py < n.bottom) return &n;
  }
  return nullptr;
}

// Whether a sample point of the ball lies in one of these bricks (all those near it among them).
bool TouchesBricksAmong(const std::vector<NearBrick>& nearby, float x, float y, float r) {
  if (nearby.empty()) return false;
  const CircleSamples& samples = SamplesFor(r);
  for (std::size_t k = 0; k < samples.sinA.size(); ++k) {
    if (BrickAtSample(nearby, x, y, r, samples.sinA[k], samples.cosA[k])) return true;
  }
  return false;
}

void Normalise(float& x, float& y) {
  float length = std::sqrt(x * x + y * y);
  if (length == 0) length = 0.001f;
  x /= length;
  y /= length;
}

struct Contact {
  int index;
  Brick* brick;
};

// What the contacts of one step decided about the bounce.
struct Bounce {
  float nx, ny;     // contact normal (only its axis matters)
  float ux, uy, s;  // incoming direction and speed
  int sound = soundPlain;
  bool enteredTeleport = false;
};

void LoseOneHit(Brick& b, int nextKind, Bounce& bounce) {
  if (!b.hit) {
    b.kind = nextKind;
    b.hit = 1;
    game.score += 10;
  }
  bounce.sound = soundMultiHit;
}

void ApplyKind(Ball& ball, const Contact& contact, Bounce& bounce) {
  Brick& b = *contact.brick;
  if (IsColourKind(b.kind) || b.kind == obj::brick1Hit) {
    if (!b.hit) DestroyBrick(b, b.x, ballBrickScore);
  } else if (b.kind == obj::brick3Hits) {
    LoseOneHit(b, obj::brick2Hits, bounce);
  } else if (b.kind == obj::brick2Hits) {
    LoseOneHit(b, obj::brick1Hit, bounce);
  } else if (b.kind == obj::brickUnbreakable) {
    bounce.sound = soundUnbreakable;
  } else if (b.kind == obj::brickTeleport) {
    // A ball already on its way through one teleport cannot take a second. A teleport with no
    // free target is bounced off like a busy one: drawing a target that cannot turn up would
    // never end.
    if (!b.hit && !b.teleportBusy && Random(3) <= 1 && !bounce.enteredTeleport &&
        EnterTeleport(ball, contact.index)) {
      bounce.enteredTeleport = true;
      b.hit = 1;
      bounce.sound = soundTeleport;
    }
  }
}

// Counts contacts with one brick; a ball caught on the same brick for stuckContactLimit
// contacts is sent back the way it came when it first touched the brick: its snapshot velocity
// is reflected about the line from the brick's centre to where it was then.
void KeepTrackOfContacts(Ball& ball, const Contact& contact, Bounce& bounce) {
  if (ball.lastBrickFrame == game.frameCounter) return;
  if (contact.index != ball.lastBrick) {
    ball.lastBrick = contact.index;
    ball.lastBrickFrame = game.frameCounter;
    ball.repeatHits = 0;
    ball.snapshotX = ball.x;
    ball.snapshotY = ball.y;
    ball.snapshotVx = ball.vx;
    ball.snapshotVy = ball.vy;
    // The stuck direction and speed come from the snapshot; left at zero they would stop the
    // ball dead.
    ball.stuckSpeed = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
    ball.stuckUx = ball.vx;
    ball.stuckUy = ball.vy;
    Normalise(ball.stuckUx, ball.stuckUy);
    return;
  }
  ball.repeatHits += 1;
  if (ball.repeatHits >= stuckContactLimit) {
    bounce.nx = ball.snapshotX - contact.brick->x;
    bounce.ny = ball.snapshotY - contact.brick->y;
    Normalise(bounce.nx, bounce.ny);
    bounce.ux = ball.stuckUx;
    bounce.uy = ball.stuckUy;
    bounce.s = ball.stuckSpeed;
  }
}

}  // namespace

void CollideWithBricks() {
  Ball& ball = game.balls.Current();
  const float r = ball.radius;
  Bounce bounce;
  bounce.s = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
  if (bounce.s == 0) bounce.s = 0.001f;
  bounce.ux = ball.vx / bounce.s;
  bounce.uy = ball.vy / bounce.s;

  // Backing out moves the ball a pixel a step: one search for the bricks near a wider square
  // serves every step within it (a brick outside it cannot hold a sample point).
  constexpr float searchReach = 16;
  float searchX = ball.x, searchY = ball.y;
  const std::vector<NearBrick>* searched = &BricksNear(searchX, searchY, r + searchReach);
  if (!TouchesBricksAmong(*searched, ball.x, ball.y, r)) return;
  // Back out along the ball's own path until it touches nothing.
  float freeX = ball.x, freeY = ball.y;
  float touchX = freeX, touchY = freeY;
  int steps = 0;
  do {
    touchX = freeX;
    touchY = freeY;
    freeX -= bounce.ux;
    freeY -= bounce.uy;
    if (std::fabs(freeX - searchX) > searchReach || std::fabs(freeY - searchY) > searchReach) {
      searchX = freeX;
      searchY = freeY;
      searched = &BricksNear(searchX, searchY, r + searchReach);
    }
  } while (TouchesBricksAmong(*searched, freeX, freeY, r) && ++steps < maxBackOutSteps);
  ball.x = touchX;
  ball.y = touchY;

  // The contacts where the ball last touched: one entry per sample point inside a brick. The
  // normal is the mean of their directions as unit vectors; a mean of the raw angles would
  // tilt the axis for contacts on both sides of the angle 0.
  static std::vector<Contact> contacts;
  contacts.clear();
  const std::vector<NearBrick>& nearby = BricksNear(touchX, touchY, r);
  const CircleSamples& samples = SamplesFor(r);
  float sumX = 0, sumY = 0;
  for (std::size_t k = 0; k < samples.sinA.size(); ++k) {
    const NearBrick* n = BrickAtSample(nearby, touchX, touchY, r, samples.sinA[k], samples.cosA[k]);
    if (!n) continue;
    contacts.push_back({n->index, n->brick});
    sumX += samples.sinA[k];
    sumY += samples.cosA[k];
  }
  bounce.nx = sumX;
  bounce.ny = sumY;
  Normalise(bounce.nx, bounce.ny);

  for (const Contact& contact : contacts) {
    if (!contact.brick->alive) continue;
    ApplyKind(ball, contact, bounce);
    if (!bounce.enteredTeleport) KeepTrackOfContacts(ball, contact, bounce);
  }

  // In fire mode, or into a teleport, the ball goes on where it touched.
  if (!bounce.enteredTeleport && !game.fireMode) {
    float d = bounce.ux * bounce.nx + bounce.uy * bounce.ny;
    // A grazing ball is pushed straight away from the bricks instead of skimming along them.
    if (d > -grazingLimit && d < grazingLimit) d = 1;
    float dirX = bounce.ux - 2 * bounce.nx * d;
    float dirY = bounce.uy - 2 * bounce.ny * d;
    Normalise(dirX, dirY);
    ball.vx = bounce.s * dirX;
    ball.vy = bounce.s * dirY;
    ball.x = freeX;
    ball.y = freeY;
  }

  switch (bounce.sound) {
    case soundMultiHit:
      PlayEffect(obj::soundBounce, 0, 100, 35000);
      break;
    case soundTeleport:
      PlayEffect(obj::soundSelect, 0, 100, 40000);
      break;
    case soundUnbreakable:
      PlayEffect(obj::soundBounce, 0, 100, 50000);
      break;
    default:
      PlayEffect(obj::soundBounce, 0, 100, 40000);
      break;
  }
}
