// SPDX-License-Identifier: GPL-3.0-or-later
// How long the whole catalogue takes to load from the packs the build made.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "assets/asset_loader.h"
#include "media/media.h"

namespace {

void BM_LoadAssets(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  if (chdir(KALDO_GAME_DIR) != 0 || !InitSprites() || !InitSprite3D() || !InitSound() ||
      !OpenWindow(1, 0, 0, 1024, 768, "Kaldov1rent", true) ||
      !OpenWindowedScreen(1, 0, 0, 1024, 768, true)) {
    state.SkipWithError("the media layer did not start");
    return;
  }
  for (auto _ : state) LoadAssets();
  ShutdownMedia();
}
BENCHMARK(BM_LoadAssets)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
