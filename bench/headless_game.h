// Starts the game headless in its working directory and enters the first level, for the
// benchmarks that time whole frames.
#pragma once

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
  SetFrameLimiterEnabled(false);
  if (!NewGame()) return false;
  StartLevel();
  return true;
}
