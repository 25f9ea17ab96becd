// SPDX-License-Identifier: GPL-3.0-or-later
// A level frame and the fire-mode frame at the display scales 1, 1.875 (a 1920 x 1440 window)
// and 2 (2048 x 1536), sharp forced whatever the renderer: what drawing at the display's
// resolution costs on this machine. CPU time and wall time, and the resident memory after.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/game_state.h"
#include "core/run_options.h"
#include "core/settings.h"
#include "headless_game.h"
#include "load_playfield.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"

namespace {

// The kilobytes of resident memory of this process (VmRSS), 0 when unknown.
long ResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  }
  std::fclose(status);
  return kb;
}

// args: window width, window height, fire mode (0 or 1).
void SharpFrame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  runOptions = RunOptions{};
  runOptions.sharp = true;
  if (!InitSprites() || !OpenWindow(gameWindow, 0, 0, static_cast<int>(state.range(0)),
                                    static_cast<int>(state.range(1)), windowTitle, false)) {
    state.SkipWithError("no window");
    return;
  }
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  const bool fire = state.range(2) != 0;
  if (fire) FillPlayfield();
  for (auto _ : state) {
    if (fire) {
      game.fireMode = 1;
      game.fireTimer = 500;
    }
    benchmark::DoNotOptimize(RunFrame());
  }
  state.counters["scale"] = ScreenScaleX();
  state.counters["residentMB"] = static_cast<double>(ResidentKb()) / 1024.0;
  ShutdownMedia();
  runOptions = RunOptions{};
}
BENCHMARK(SharpFrame)
    ->ArgNames({"width", "height", "fire"})
    ->Args({1024, 768, 0})
    ->Args({1920, 1440, 0})
    ->Args({2048, 1536, 0})
    ->Args({1024, 768, 1})
    ->Args({1920, 1440, 1})
    ->Args({2048, 1536, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
