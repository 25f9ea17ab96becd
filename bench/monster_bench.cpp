// SPDX-License-Identifier: GPL-3.0-or-later
// The monster step under load: every kind moving and drawn with the game's own pictures, and
// the spawn test run every frame at the level's limit.
#include <benchmark/benchmark.h>

#include "actors/monsters.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "headless_game.h"
#include "media/media.h"

namespace {

constexpr int kinds[] = {obj::monster02, obj::monster03, obj::monster04, obj::monster05,
                         obj::monster06};

void BM_StepMonsters(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  const int count = static_cast<int>(state.range(0));
  RandomSeed(12345);
  game.monsters.Clear();
  for (int i = 0; i < count; ++i) SpawnMonster(kinds[i % 5], 1.5f, 1.5f);
  game.maxMonsters = count;  // full: the spawn test runs and never adds
  for (auto _ : state) {
    if (!Start3D()) break;
    StepMonsters();
    Stop3D();
    if (++game.frameCounter % 64 == 0) {
      state.PauseTiming();  // presenting keeps the renderer's queue short; it is not timed
      FlipBuffers();
      state.ResumeTiming();
    }
  }
  state.counters["monsters"] = game.monsters.Count();
  ShutdownMedia();
}
BENCHMARK(BM_StepMonsters)->Arg(10)->Arg(100)->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
