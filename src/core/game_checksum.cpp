// SPDX-License-Identifier: GPL-3.0-or-later
// GameChecksum: one number that fingerprints the game record.
#include "core/game_checksum.h"

#include <cstring>

#include "core/game_state.h"

namespace {

// FNV-1a over the values as they are stored: floats by their bits, so the smallest drift shows.
struct Fingerprint {
  uint32_t hash = 2166136261u;
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  }
  void Add(int v) { Add(&v, sizeof v); }
  void Add(float v) { Add(&v, sizeof v); }
};

}  // namespace

uint32_t GameChecksum() {
  Fingerprint f;
  for (int v : {game.levelNumber, game.score, game.lives, game.letterMask, game.frameCounter,
                game.fireMode, game.glueMode, game.laserOn, game.missileArmed, game.gunState}) {
    f.Add(v);
  }
  f.Add(game.shipX);
  f.Add(game.shipHalfWidth);
  // Range loops leave the lists' cursors where they were.
  f.Add(game.balls.Count());
  for (const Ball& b : game.balls) {
    f.Add(b.x);
    f.Add(b.y);
    f.Add(b.vx);
    f.Add(b.vy);
  }
  f.Add(game.bricks.Count());
  for (const Brick& b : game.bricks) {
    f.Add(b.alive);
    f.Add(b.kind);
    f.Add(b.x);
    f.Add(b.y);
  }
  f.Add(game.capsules.Count());
  for (const Capsule& c : game.capsules) {
    f.Add(c.kind);
    f.Add(c.y);
  }
  f.Add(game.monsters.Count());
  for (const Monster& m : game.monsters) {
    f.Add(m.x);
    f.Add(m.y);
  }
  return f.hash;
}
