// SPDX-License-Identifier: GPL-3.0-or-later
// The records of the missile weapon that the game state keeps: missiles in flight, the smoke
// they lay and the burning fragments of their impacts. Smoke and fragments live in fixed slot
// arrays so that play never allocates for them.
#pragma once

constexpr int smokeSlots = 150;
constexpr int fragmentSlots = 25;

// One missile of the missile list.
struct Missile {
  float x, y;     // centre
  float speed;    // pixels per frame
  float heading;  // radians; 0 straight up, positive turns left
  float aim;      // radians; the heading it steers towards, fixed at launch
  int frame;      // animation frame 0..31
  int nextSmoke;  // ms of the media clock when the next puff is due
};

// One puff of the smoke trail.
struct SmokePuff {
  float x, y;       // centre
  int alpha;        // 255 at birth, freed below 1
  float size;       // drawn size x size pixels
  float direction;  // degrees; it drifts along direction + 270
  float speed;      // pixels per frame, falls until it drifts back
  bool active;
  int picture;      // one of the five smoke pictures
};

// One burning fragment thrown by an impact: a parabola from its start.
struct MissileFragment {
  float startX, startY;
  float x, y;       // top-left of its picture, and the centre of its hit box
  float direction;  // degrees, in the upper half
  bool active;
  float speed;
  float t;          // flight time, -0.5 at birth, 0.1 a frame
  int armTime;      // t from which it breaks bricks
  int picture;      // one of the four fragment pictures
};
