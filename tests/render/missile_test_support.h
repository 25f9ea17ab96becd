// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the missile tests: the headless screen with solid pictures of the real sizes (the
// missile's size decides when it has left the screen), bricks, missiles and monsters placed by
// hand, and frames as the main loop runs the missile step.
#pragma once

#include <gtest/gtest.h>


#include "actors/missiles.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "levels/bricks.h"
#include "media/media.h"
#include "support/headless.h"

class MissileTest : public ::testing::Test {
 protected:
  static constexpr int missileWidth = 32, missileHeight = 96;
  static constexpr int missileColour = RGB(255, 0, 0);

  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
    RandomSeed(11);
    SetManualClock(true);
    AdvanceManualClock(1000);
    for (int i = 0; i < 32; ++i) SolidQuad(obj::missile + i, missileWidth, missileHeight, missileColour);
    SolidQuad(obj::monster02, 64, 64, RGB(0, 0, 255));
  }
  void TearDown() override {
    SetManualClock(false);
    ShutdownMedia();
  }

  // A live brick of the given kind centred on (x, y); its index in the brick list.
  static int AddBrick(float x, float y, int kind, int capsule = 0) {
    game.bricks.Select(game.bricks.Count() - 1);
    Brick& b = game.bricks.Add();
    b.x = x;
    b.y = y;
    b.kind = kind;
    b.width = cellWidth;
    b.height = cellHeight;
    b.capsule = capsule;
    b.alive = 1;
    return game.bricks.Count() - 1;
  }

  // A missile in flight at (x, y).
  static Missile& AddMissile(float x, float y, float heading, float aim, float speed) {
    Missile& m = game.missiles.Append();
    m.x = x;
    m.y = y;
    m.heading = heading;
    m.aim = aim;
    m.speed = speed;
    return m;
  }
  static Missile& FirstMissile() { return *game.missiles.begin(); }

  static void AddMonster(float x, float y) {
    Monster& m = game.monsters.Append();
    m.x = x;
    m.y = y;
    m.kind = obj::monster02;
  }

  // One frame of the missile step as the main loop runs it: the brick step has cleared the
  // hit marks before it, and the media clock moves on by a frame.
  static void Frame() {
    for (Brick& b : game.bricks) b.hit = 0;
    StepMissiles();
    ++game.frameCounter;
    AdvanceManualClock(13);
  }

  static int ActivePuffs() {
    int n = 0;
    for (const SmokePuff& p : game.smokePuffs) n += p.active;
    return n;
  }
  static int ActiveFragments() {
    int n = 0;
    for (const MissileFragment& f : game.fragments) n += f.active;
    return n;
  }
  static int LiveBricks() {
    int n = 0;
    for (const Brick& b : game.bricks) n += b.alive;
    return n;
  }

  static int Colour(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return colour;
  }
};
