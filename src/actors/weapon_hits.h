// What a weapon's projectile does to the brick or the monster it meets, the same for every
// weapon: the capsule falls, the brick bursts with a bang heard where the projectile was, and
// the weapon's own score is added.
#pragma once

#include "levels/bricks.h"

// Colour bricks and the three-, two- and one-hit bricks; unbreakable bricks and teleporters
// stop or let through a projectile but never break.
constexpr bool BreakableByWeapons(int kind) {
  return IsColourKind(kind) || kind == obj::brick3Hits || kind == obj::brick2Hits ||
         kind == obj::brick1Hit;
}

// Destroys a live brick: its capsule starts falling from the brick's centre, a brick burst
// starts there, the explosion sound plays panned by projectileX, and score is added.
void DestroyBrickByWeapon(Brick& brick, float projectileX, int score);

// The brick of the brick list at index (from FindBrickAtPoint or FindBrickInBox).
Brick& BrickAtIndex(int index);

// Index of the first monster whose picture box (its centre plus and minus half the size of its
// picture) contains the point, or -1.
int FindMonsterAtPoint(float x, float y);
