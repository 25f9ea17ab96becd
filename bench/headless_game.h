// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game headless in its working directory and enters the first level, for the
// benchmarks that time whole frames.
#pragma once

#include <SDL2/SDL.h>
#include <unistd.h>

#include <cstdlib>

#include "media/media.h"
#include "shell/game.h"

inline bool StartHeadlessLevel() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  SetMessageBoxesSilent(true);
  if (chdir(KALDO_GAME_DIR) != 0) return false;
  StartUp();
  RandomSeed(0);  // the same chances every run
  SetFrameLimiterEnabled(false);
  // Down then Enter at the main menu: the first item starts the game.
  for (SDL_Scancode key : {SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN}) {
    for (bool down : {true, false}) {
      SDL_Event event{};
      event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.keysym.scancode = key;
      SDL_PushEvent(&event);
    }
  }
  if (!NewGame()) return false;
  StartLevel();
  return true;
}
