// SPDX-License-Identifier: GPL-3.0-or-later
// Frames with the Sprite3D quads drawn one call each (batched:0, as before batching) and batched
// (batched:1), in one run: wall and game-thread CPU time, and the renderer calls of a frame. The
// scenery frames are whole game frames of the levels with the busiest backgrounds.
#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "headless_game.h"
#include "load_playfield.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/command_line.h"
#include "shell/game.h"

namespace {

enum class Load { empty, level, balls, fire, scenery };

void Frames(benchmark::State& state, Load load) {
  if (load == Load::scenery) SetStartLevel(static_cast<int>(state.range(1)));
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  SetQuadBatching(state.range(0) != 0);
  if (load == Load::balls || load == Load::fire) FillPlayfield();
  // A few frames first, so textures and cached text exist before timing.
  for (int i = 0; i < 5; ++i) RunFrame();
  ResetRendererCalls();
  const uint64_t partFlipsBefore = ChangedPartsSurfaceFlipCount();
  int64_t frames = 0;
  for (auto _ : state) {
    if (load == Load::fire) {
      game.fireMode = 1;
      game.fireTimer = 500;
    }
    if (load == Load::empty) {
      ClearScreen(0);
      FlipBuffers();
    } else {
      benchmark::DoNotOptimize(RunFrame());
    }
    ++frames;
  }
  const RendererCallCounts calls = RendererCalls();
  state.counters["geometry_calls"] = static_cast<double>(calls.geometry) / static_cast<double>(frames);
  state.counters["other_calls"] = static_cast<double>(calls.other) / static_cast<double>(frames);
  state.counters["quad_kpixels"] = calls.quadPixels / 1000 / static_cast<double>(frames);
  // Flips that gave the window only the parts drawn on over the same base, and the copies' area.
  state.counters["part_flips"] =
      static_cast<double>(ChangedPartsSurfaceFlipCount() - partFlipsBefore) / static_cast<double>(frames);
  state.counters["copy_kpixels"] = calls.copyPixels / 1000 / static_cast<double>(frames);
  SetQuadBatching(true);
  ShutdownMedia();
}

void BM_FrameEmpty(benchmark::State& state) { Frames(state, Load::empty); }
void BM_FrameLevel1(benchmark::State& state) { Frames(state, Load::level); }
void BM_Frame100Balls300Bricks(benchmark::State& state) { Frames(state, Load::balls); }
void BM_Frame100Balls300BricksFire(benchmark::State& state) { Frames(state, Load::fire); }
void BM_FrameScenery(benchmark::State& state) { Frames(state, Load::scenery); }

BENCHMARK(BM_FrameEmpty)->ArgName("batched")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLevel1)->ArgName("batched")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Frame100Balls300Bricks)->ArgName("batched")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Frame100Balls300BricksFire)->ArgName("batched")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameScenery)
    ->ArgNames({"batched", "level"})
    ->ArgsProduct({{0, 1}, {7, 15, 19, 102}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
