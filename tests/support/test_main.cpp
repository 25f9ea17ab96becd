// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' main: every test runs headless whoever starts it (ctest, a person, a debugger).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
  // Tests a caller leaves out (gtest patterns joined by ':'): scripts/test's sanitizer stage
  // skips those tests/run_once.txt lists, whose suites otherwise run there.
  if (const char* skip = std::getenv("KALDO_SKIP_TESTS"); skip && *skip) {
    std::string filter = GTEST_FLAG_GET(filter);
    filter += filter.find('-') == std::string::npos ? "-" : ":";
    GTEST_FLAG_SET(filter, filter + skip);
  }
  return RUN_ALL_TESTS();
}
