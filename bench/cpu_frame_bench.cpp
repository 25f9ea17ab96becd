// SPDX-License-Identifier: GPL-3.0-or-later
// The process's CPU time per frame over all its threads (a software rasteriser draws on threads
// of its own) next to the wall time, for the idle main menu, a level-1 frame, the fire-mode
// frame, a paused level frame and the focus-loss pause's still picture. The frame limiter is off,
// so a frame costs what it draws; scripts/cpu_per_frame.sh gives the same at 75 frames a second
// under Xvfb.
#include <benchmark/benchmark.h>

#include "assets/objects.h"
#include "core/game_state.h"
#include "frontend/main_menu.h"
#include "frontend/pause_screen.h"
#include "headless_game.h"
#include "load_playfield.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"

namespace {

constexpr int warmUpFrames = 5;  // textures and cached text exist before timing
// The intro's letters come to rest and its flash fades within 250 frames: the idle menu is timed.
constexpr int menuWarmUpFrames = 400;

void BM_CpuMenuFrame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  SetMessageBoxesSilent(true);
  if (chdir(KALDO_GAME_DIR) != 0) {
    state.SkipWithError("no game folder");
    return;
  }
  StartUp();
  RandomSeed(0);
  SetFrameLimiterEnabled(false);
  SetUpMenu();
  for (int i = 0; i < menuWarmUpFrames; ++i) MenuFrame();
  for (auto _ : state) benchmark::DoNotOptimize(MenuFrame());
  TearDownMenu();
  ShutdownMedia();
}
BENCHMARK(BM_CpuMenuFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

enum class Play { level1, fire, paused };

void PlayFrames(benchmark::State& state, Play play) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  if (play == Play::fire) FillPlayfield();
  for (int i = 0; i < warmUpFrames; ++i) RunFrame();
  for (auto _ : state) {
    if (play == Play::fire) {
      game.fireMode = 1;
      game.fireTimer = 500;
    }
    if (play == Play::paused) game.paused = 1;
    benchmark::DoNotOptimize(RunFrame());
  }
  ShutdownMedia();
}

void BM_CpuLevel1Frame(benchmark::State& state) { PlayFrames(state, Play::level1); }
void BM_CpuFireFrame(benchmark::State& state) { PlayFrames(state, Play::fire); }
void BM_CpuPausedFrame(benchmark::State& state) { PlayFrames(state, Play::paused); }
BENCHMARK(BM_CpuLevel1Frame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CpuFireFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CpuPausedFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The focus-loss pause's frame: its picture drawn again every frame (redraw:1, as it was) or
// drawn once and only flipped after (redraw:0, as it is). skipped counts the flips that
// presented nothing.
void BM_CpuFocusPauseFrame(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  RunFrame();
  MakePausePicture();
  const bool redraw = state.range(0) != 0;
  DisplayImage(obj::pauseResult, 0, 0);
  const uint64_t skippedBefore = FlipsSkipped();
  for (auto _ : state) {
    if (redraw) DisplayImage(obj::pauseResult, 0, 0);
    FlipBuffers();
  }
  state.counters["skipped"] = benchmark::Counter(static_cast<double>(FlipsSkipped() - skippedBefore),
                                                 benchmark::Counter::kAvgIterations);
  ShutdownMedia();
}
BENCHMARK(BM_CpuFocusPauseFrame)
    ->ArgName("redraw")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
