// Bonus capsules: a broken brick drops its capsule, the capsule falls a pixel a frame and the
// ship catches it; its kind decides the bonus, the malus or the letter.
#pragma once

constexpr int capsuleWidth = 32;   // the catch box, whatever the picture's size
constexpr int capsuleHeight = 32;
constexpr int capsuleFrames = 16;

// The malus game.malus holds while it lasts: none, the mirror (the steering runs backwards), the
// reverse (every ball turns back at the catch) and the micro ball.
constexpr int malusNone = 0, malusMirror = 1, malusReverse = 2, malusMicroball = 3;

struct Capsule {
  float x, y;  // centre
  int kind;    // the first of its 16 animation pictures
  int frame;   // 0..15
};

// A capsule of the given kind (its first picture) starts falling from (x, y), at the end of
// the capsule list.
void AddCapsule(float x, float y, int kind);

// Once per frame: counts the malus down, then moves, draws, animates and catches every capsule.
void CapsuleStep();

// What catching a capsule does: the common effect, the kind's own effect, the letter check.
// The catch picture and the capsule's removal are CapsuleStep's.
void CatchCapsule(int kind);

// Starts malus 0..3 (drawn at random by the malus capsule): the fil, fire and big balls end,
// then the malus's word and effect.
void StartMalus(int which);

// The switches of the weapons a capsule arms, shared with the console's commands: each sets
// the flag its weapon reads, and nothing else. A caught capsule adds its own sound, counters
// and word around them.
void ArmMissile();        // a missile is loaded
void SwitchOnChaingun();  // the gun fills itself with shots at its next step
void SwitchOnFil();       // the wire above the bottom
void SwitchOnLaser();
void SwitchOnGlue();      // balls stick to the ship
