// The ball pass under load: 100 balls among 300 bricks, alone and inside a whole game frame.
#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "gameplay/balls.h"
#include "headless_game.h"
#include "media/media.h"
#include "shell/game.h"

namespace {

constexpr int loadBricks = 300;
constexpr int loadBalls = 100;

// Unbreakable bricks scattered over the upper playfield and balls below them with the fil on,
// so the load stays the same however long the benchmark runs.
void FillPlayfield() {
  RandomSeed(12345);
  game.bricks.Clear();
  for (int i = 0; i < loadBricks; ++i) {
    Brick& b = game.bricks.Add();
    b.x = static_cast<float>(playLeft + 32 + Random(playWidth - 64));
    b.y = static_cast<float>(playTop + 40 + Random(440));
    b.kind = obj::brickUnbreakable;
    b.width = cellWidth;
    b.height = cellHeight;
    b.alive = 1;
  }
  // One breakable brick out of every ball's reach keeps the level from counting as cleared.
  Brick& keeper = game.bricks.Add();
  keeper.x = playLeft + 32;
  keeper.y = -100;
  keeper.kind = obj::brickRed;
  keeper.alive = 1;
  game.balls.Clear();
  game.teleports.Clear();
  for (int i = 0; i < loadBalls; ++i) {
    const float x = static_cast<float>(playLeft + 20 + (i % 20) * 34);
    const float y = static_cast<float>(520 + (i / 20) * 30);
    const float vx = static_cast<float>(Random(800) - 400) / 100;
    const float vy = -static_cast<float>(Random(400) + 200) / 100;
    AddBall(x, y, vx, vy, 8, obj::ball16);
  }
  game.glueMode = 0;
  game.launchPending = 0;
  game.filBarrierOn = 1;
  game.lifeLost = 0;
  game.paused = 0;
}

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
