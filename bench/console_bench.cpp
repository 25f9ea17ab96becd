// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of a game frame with the console open over it: the grid of squares and the text
// layer are redrawn every frame, with a long history behind the visible rows.
#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "headless_game.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

void BM_GameFrameWithConsoleOpen(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (int i = 0; i < 500; ++i) game.console.history.push_back("CHAINGUN");
  game.console.shown = true;
  for (int i = 0; i < 43; ++i) RunFrame();
  if (game.console.motion != consoleOpen) state.SkipWithError("the console did not open");
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunFrame());
  }
  ShutdownMedia();
}
BENCHMARK(BM_GameFrameWithConsoleOpen)->Unit(benchmark::kMicrosecond);

}  // namespace
