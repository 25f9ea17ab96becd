// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <iterator>

#include "core/game_state.h"
#include "levels/level_file.h"
#include "media/maths.h"

namespace {

// Every brick is hit-tested as the fixed 64 x 20 cell about its centre, whatever its picture.
struct Box {
  int left, top, right, bottom;
};

Box BrickBox(const Brick& b) {
  return {Nearest(b.x - cellWidth / 2),
          Nearest(b.y - cellHeight / 2),
          Nearest(b.x + cellWidth / 2),
          Nearest(b.y + cellHeight / 2)};
}

bool StrictlyInside(const Box& box, int px, int py) {
  return px > box.left && px < box.right && py > box.top && py < box.bottom;
}

}  // namespace

Brick& BrickAt(int index) { return *std::next(game.bricks.begin(), index); }

int FindBrickAtPoint(int px, int py) {
  int index = 0;
  for (const Brick& b : game.bricks) {
    if (b.alive && StrictlyInside(BrickBox(b), px, py)) return index;
    ++index;
  }
  return -1;
}

int FindBrickInBox(int left, int top, int right, int bottom) {
  int index = 0;
  for (const Brick& b : game.bricks) {
    if (b.alive) {
      const Box box = BrickBox(b);
      if (box.left <= right && box.right >= left && box.top <= bottom && box.bottom >= top) {
        return index;
      }
    }
    ++index;
  }
  return -1;
}

int EraseBrickAtPoint(int px, int py) {
  for (Brick& b : game.bricks) {
    if (b.alive && b.kind < obj::brickUnbreakable && StrictlyInside(BrickBox(b), px, py)) {
      b.alive = 0;
      return 0;
    }
  }
  return -1;
}

void BuildTeleportList() {
  game.teleportBricks.Clear();
  int index = 0;
  for (Brick& b : game.bricks) {
    if (b.kind == obj::brickTeleport) {
      game.teleportBricks.Add() = index;
      b.teleportBusy = 0;
    }
    ++index;
  }
}

int BreakableBricksLeft() {
  int breakable = 0;
  for (const Brick& b : game.bricks) {
    if (b.alive && IsBreakableKind(b.kind)) ++breakable;
  }
  return breakable;
}

void AddCapsule(float x, float y, int kind) {
  List<Capsule>& capsules = game.capsules;
  Capsule& c = capsules.Append();
  c.x = x;
  c.y = y;
  c.kind = kind;
  c.frame = 0;
}

void DropCapsule(const Brick& brick) {
  if (brick.capsule != 0) AddCapsule(brick.x, brick.y, brick.capsule);
}
