// SPDX-License-Identifier: GPL-3.0-or-later
// The focus-loss pause: its filter alone, the whole picture it shows (grab, file, scaling,
// filter, pause picture), and the game's rebuild of its screen and pictures afterwards.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "assets/objects.h"
#include "frontend/pause_screen.h"
#include "headless_game.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

void BM_PauseFilter(benchmark::State& state) {
  std::vector<uint32_t> area(static_cast<std::size_t>(pauseFilterSide) * pauseFilterSide);
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  for (auto _ : state) {
    FilterPausePicture(area);
    benchmark::DoNotOptimize(area.data());
  }
}
BENCHMARK(BM_PauseFilter)->Unit(benchmark::kMillisecond);

void BM_PausePicture(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  RunFrame();
  for (auto _ : state) {
    MakePausePicture();
    benchmark::DoNotOptimize(ImageWidth(obj::pauseResult));
  }
  ShutdownMedia();
}
BENCHMARK(BM_PausePicture)->Unit(benchmark::kMillisecond);

void BM_RebuildGameScreen(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (auto _ : state) {
    RebuildGameScreen();
  }
  ShutdownMedia();
}
BENCHMARK(BM_RebuildGameScreen)->Unit(benchmark::kMillisecond);

}  // namespace
