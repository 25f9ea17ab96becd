// SPDX-License-Identifier: GPL-3.0-or-later
// The missile step under its heaviest load: every smoke slot taken at full size, every fragment
// slot in flight and three missiles steering. Timed with the real pictures on the headless
// screen, and without a screen to count what the game's own code allocates per frame.
// The replaced operator new and delete below pair malloc() with free(); GCC takes every delete
// of a new'd pointer for a mismatch all the same.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "actors/missiles.h"
#include "core/game_state.h"
#include "headless_game.h"
#include "media/media.h"

namespace {

std::atomic<long> allocations{0};

// Smoke at its largest in every slot and three missiles far from their aim, on an empty
// playfield (the level's bricks are cleared, so nothing breaks and nothing new is added).
void Prepare() {
  ResetLevelState();
  RandomSeed(99);
  for (int i = 0; i < 3; ++i) {
    Missile& m = game.missiles.Append();
    m.x = 300 + 150 * i;
    m.y = 600;
    m.aim = 1.2f;
  }
  for (int i = 0; i < smokeSlots; ++i) EmitSmoke(*game.missiles.begin());
  for (SmokePuff& p : game.smokePuffs) p.size = 256;
}

// Puts the load back as it was: puffs that faded, fragments that fell and missiles that flew
// are renewed, so each iteration does the same work.
void Renew() {
  int i = 0;
  for (Missile& m : game.missiles) {
    m.x = 300 + 150 * i++;
    m.y = 600;
    m.heading = 0;
    m.speed = 4;
  }
  for (SmokePuff& p : game.smokePuffs) {
    p.active = true;
    p.alpha = 200;
  }
  BurstFragments(448, 300);
}

void BM_MissileStepFullLoadOnScreen(benchmark::State& state) {
  if (!StartHeadlessLevel()) {
    state.SkipWithError("the game did not start");
    return;
  }
  Prepare();
  for (auto _ : state) {
    Renew();
    Start3D();
    StepMissiles();
    Stop3D();
    FlipBuffers();
    ++game.frameCounter;
  }
  state.counters["puffs"] = smokeSlots;
  state.counters["fragments"] = game.fragmentsInFlight;
  ShutdownMedia();
}
BENCHMARK(BM_MissileStepFullLoadOnScreen)->Unit(benchmark::kMicrosecond);

void BM_MissileStepFullLoadAllocations(benchmark::State& state) {
  ResetGameState();
  Prepare();
  long before = allocations.load();
  long frames = 0;
  for (auto _ : state) {
    Renew();
    StepMissiles();
    ++game.frameCounter;
    ++frames;
  }
  state.counters["allocationsPerFrame"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(frames);
  ResetGameState();
}
BENCHMARK(BM_MissileStepFullLoadAllocations)->Unit(benchmark::kMicrosecond);

}  // namespace

// Every allocation of the benchmark binary is counted.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
