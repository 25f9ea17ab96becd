// SPDX-License-Identifier: GPL-3.0-or-later
// The ball pass under load: 100 balls among 300 bricks, alone and inside a whole game frame.
#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "gameplay/balls.h"
#include "headless_game.h"
#include "load_playfield.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

void BM_BallPass100Balls300Bricks(benchmark::State& state) {
  ResetGameState();
  ResetLevelState();
  FillPlayfield();
  for (auto _ : state) {
    BallPass();
    ++game.frameCounter;
  }
  state.counters["balls"] = game.balls.Count();
  ResetGameState();
}
BENCHMARK(BM_BallPass100Balls300Bricks)->Unit(benchmark::kMicrosecond);

// A whole frame (present, steering, bricks, actors, balls with halos, display) without the
// limiter's wait; with fire mode on every ball trails ten sparks instead of its halo.
void GameFrameUnderLoad(benchmark::State& state, bool fire) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  FillPlayfield();
  for (auto _ : state) {
    if (fire) {
      game.fireMode = 1;
      game.fireTimer = 500;
    }
    benchmark::DoNotOptimize(RunFrame());
  }
  state.counters["balls"] = game.balls.Count();
  ShutdownMedia();
}

void BM_GameFrame100Balls300Bricks(benchmark::State& state) { GameFrameUnderLoad(state, false); }
BENCHMARK(BM_GameFrame100Balls300Bricks)->Unit(benchmark::kMicrosecond);

void BM_GameFrameFireMode100Balls(benchmark::State& state) { GameFrameUnderLoad(state, true); }
BENCHMARK(BM_GameFrameFireMode100Balls)->Unit(benchmark::kMicrosecond);

}  // namespace
