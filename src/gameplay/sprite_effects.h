// Sprite effects: short-lived pictures that move and fade on their own (teleport ghosts, the
// rising image of a caught capsule) and the floating texts in gold glyphs.
#pragma once

#include <string>

struct SpriteEffect {
  float x;          // centre
  float vx;
  float y;
  float vy;
  float frame;      // the quad drawn, rounded when drawn
  float frameStep;
  float alpha;      // 0..255, rounded when drawn
  float alphaStep;
  int age;
  int lifetime;     // frames it runs
  int delay;        // frames it stands still, drawn, before it starts to run
  int hold;         // frames it stays drawn, unchanged, after its lifetime
};

// Appends an effect to the end of the sprite effect list.
void AddSpriteEffect(float x, float y, float vx, float vy, int sprite, float frameStep, int age,
                     int lifetime, float alpha, float alphaStep, int delay, int hold);

// A word in gold glyphs centred on the playfield that holds for delay frames, then splits
// into an upper and a lower copy that drift apart and fade.
void ShowMessage(const std::string& text, int delay);

// Once per frame while the playfield is drawn: draws and advances every effect, in list order,
// and deletes the finished ones.
void StepSpriteEffects();
