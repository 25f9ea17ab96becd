// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one game frame of the first level without the frame limiter's wait.
#include <benchmark/benchmark.h>

#include "headless_game.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

void BM_EmptyGameFrame(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunFrame());
  }
  ShutdownMedia();
}
BENCHMARK(BM_EmptyGameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
