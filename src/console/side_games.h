// SPDX-License-Identifier: GPL-3.0-or-later
// What the duck shoot and the sweets game share: their beeps, their keys, the silver score, the
// end of each frame and the recovery after the screen was lost.
#pragma once

#include "assets/catalogue.h"

// The beeps of the two games. Each plays on a thread of its own, so the frame loop never waits
// for a tone to end.
enum SideTone {
  toneShot,          // 1000 Hz, 2 ms
  toneDuckHit,       // 5000 Hz, 10 ms
  toneTrolleyHit,    // 50 Hz, 30 ms
  toneSnailHit,      // 100 Hz, 30 ms
  toneHenHit,        // 60 Hz, 30 ms
  toneCalfHit,       // 80 Hz, 30 ms
  toneDuckEscaped,   // 500 Hz, 1 ms
  toneGameOver,      // 57, 47 and 37 Hz, 500 ms each
};
void PlaySideTone(SideTone tone);

// Loads every picture of the pack as a textured picture with its alpha; the main pack is the
// loaders' current pack again afterwards.
void LoadSideGamePack(const CataloguePack& pack);

// Takes the frame's keyboard and mouse snapshots and handles the shell's keys as the main game
// does (F1 the frame-rate display, S a screenshot). True when Escape was let go this frame.
bool ReadSideGameKeys();

// The number in silver glyphs drawn 64 x 64, 32 pixels apart, centred on x 900 at y 668.
// Inside the 3D bracket.
void DrawSilverScore(int value);

// After the frame's drawing: the frame-rate display, the flip and the frame count. A closed
// window ends the program, as in the main game.
void EndSideGameFrame();

// When the window has lost the focus: gives the mouse back and waits for the focus, then
// reopens the game screen, loads the game's pack again and captures the mouse.
void RecoverSideGameFocus(const CataloguePack& pack);
