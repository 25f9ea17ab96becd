// SPDX-License-Identifier: GPL-3.0-or-later
// The level's entrance: the bricks slide down from a screen height above their places, over the
// level's scenery, behind the ship at rest and the level's banner.
#include "actors/ship_drawing.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "gameplay/sprite_effects.h"
#include "levels/level_file.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

constexpr int slideStep = 8;  // pixels per frame of the slide-in

// What the slide-in shows inside the playfield: the ship at rest, the level's banner and the
// bricks on their way down.
void SlideInArena() {
  DrawShipPictures();
  StepSpriteEffects();
  StepBricks();
}

}  // namespace

void SlideInBricks() {
  // The first frame start presents a black screen, so the level appears from black.
  ClearScreen(0);
  // A test's level start may ask for the bricks in place at once: its hundred drawn frames, in
  // every test that starts a game, would check nothing the slide-in's own tests do not.
  if (runOptions.bricksInPlace) {
    game.slideOffset = 0;
    return;
  }
  game.slideOffset = -screenHeight;
  do {
    StartFrame();
    ExamineKeyboard();
    ExamineMouse();
    // Drawn in play's bracket, clipped to the playfield, so the bricks enter from behind the top
    // panel.
    RunInPlayfield(SlideInArena, nullptr);
    game.slideOffset += slideStep;
    ++game.frameCounter;
  } while (game.slideOffset < 0 && !KeyboardPushed(keyEscape));
  game.slideOffset = 0;
}
