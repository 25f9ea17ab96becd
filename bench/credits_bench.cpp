// SPDX-License-Identifier: GPL-3.0-or-later
// The CPU cost of the credits: one whole frame (landscape, text, title, flip without the
// limiter's wait) and the landscape alone drawn into plain memory. The CPU column is the game's
// own thread; in a headless run the software renderer's worker threads come on top of it, where
// a graphics card would do that work.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "frontend/credits.h"
#include "frontend/credits_landscape.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

void BM_CreditsFrame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  SetMessageBoxesSilent(true);
  if (chdir(KALDO_GAME_DIR) != 0) {
    state.SkipWithError("no game directory");
    return;
  }
  StartUp();
  RandomSeed(0);  // the same chances every run
  SetFrameLimiterEnabled(false);
  OpenCredits();
  for (auto _ : state) {
    benchmark::DoNotOptimize(CreditsFrame());
  }
  CloseCredits();
  ShutdownMedia();
}
BENCHMARK(BM_CreditsFrame)->Unit(benchmark::kMicrosecond);

// The camera follows its path at 75 frames a second, so the cost covers every direction.
void BM_CreditsLandscape(benchmark::State& state) {
  Landscape landscape;
  BuildLandscape(landscape);
  CreditsCamera camera;
  std::vector<uint32_t> pixels(1024 * 768);
  int64_t ms = 0;
  for (auto _ : state) {
    StepCreditsCamera(camera, ms);
    ms += 13;
    DrawLandscape(landscape, camera, pixels.data(), 1024, 768, 1024);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_CreditsLandscape)->Unit(benchmark::kMicrosecond);

}  // namespace
