// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of a frame of the heaviest sceneries (7, 15, 19, 102; 16 draws its background alone
// for comparison): the whole game frame of the level (bricks, balls, HUD and the scenery under
// them), and the scenery's drawing alone.
#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "gameplay/guardian_scene.h"
#include "headless_game.h"
#include "levels/backgrounds.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"

namespace {

void BM_SceneryGameFrame(benchmark::State& state) {
  SetStartLevel(static_cast<int>(state.range(0)));
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunFrame());
  }
  ShutdownMedia();
}
BENCHMARK(BM_SceneryGameFrame)->Arg(7)->Arg(15)->Arg(19)->Arg(102)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_SceneryAlone(benchmark::State& state) {
  SetStartLevel(static_cast<int>(state.range(0)));
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (auto _ : state) {
    if (Start3D()) {
      DrawScenery();
      Stop3D();
    }
    FlipBuffers();
    ++game.frameCounter;
  }
  ShutdownMedia();
}
BENCHMARK(BM_SceneryAlone)->Arg(7)->Arg(15)->Arg(19)->Arg(102)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
