// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one frame of the falling-blocks game over a half-filled board (presenting the
// frame included, the limiter's wait not), and of one relighting of its background, which
// happens every 50 ms (about every fourth frame).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>

#include "assets/objects.h"
#include "console/tetris.h"
#include "console/tetris_light.h"
#include "core/game_state.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

bool StartTetris() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  SetMessageBoxesSilent(true);
  if (chdir(KALDO_GAME_DIR) != 0) return false;
  StartUp();
  RandomSeed(0);  // the same chances every run
  SetFrameLimiterEnabled(false);
  SetUpTetris();
  return Start3D();
}

// The lower half of the board filled, every row with one gap so none clears.
void HalfFilledBoard() {
  TetrisState& t = game.tetris;
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      TetrisCell& cell = t.board[row][column];
      cell = TetrisCell{};
      if (row >= tetrisRows / 2 && column != row % tetrisColumns) {
        cell.tile = obj::tetrisTileFirst + (row + column) % obj::tetrisTileCount;
      }
    }
  }
  t.gameOver = false;
  t.bugCount = 10;
}

void BM_TetrisFrame(benchmark::State& state) {
  if (!StartTetris()) {
    state.SkipWithError("the game did not start");
    return;
  }
  HalfFilledBoard();
  for (auto _ : state) {
    benchmark::DoNotOptimize(TetrisFrame());
    if (game.tetris.gameOver) {
      state.PauseTiming();
      HalfFilledBoard();
      state.ResumeTiming();
    }
  }
  Stop3D();
  ShutdownMedia();
}
BENCHMARK(BM_TetrisFrame)->Unit(benchmark::kMicrosecond);

void BM_TetrisRelight(benchmark::State& state) {
  if (!StartTetris()) {
    state.SkipWithError("the game did not start");
    return;
  }
  int64_t t = 0;
  for (auto _ : state) {
    RelightBackground(t);
    t += 50;
  }
  Stop3D();
  ShutdownMedia();
}
BENCHMARK(BM_TetrisRelight)->Unit(benchmark::kMicrosecond);

}  // namespace
