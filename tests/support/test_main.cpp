// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' main: every test runs headless whoever starts it (ctest, a person, a debugger).
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/media_diagnostics.h"

int main(int argc, char** argv) {
  // The offscreen video driver renders through EGL with the real renderer; OpenAL gets a
  // silent device. A value set by the caller wins.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Nobody sees the tests' window: frames stay in the back buffer, where the tests read them.
  SetWindowUnwatched(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
