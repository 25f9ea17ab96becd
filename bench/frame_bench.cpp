// The cost of one game frame without the frame limiter's wait.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "media/media.h"
#include "shell/game.h"
#include "shell/game_state.h"

namespace {

// Starts the game headless in its working directory and enters the first level.
bool StartHeadlessLevel() {
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
