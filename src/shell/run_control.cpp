// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_control.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "assets/objects.h"
#include "core/game_checksum.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/autopilot.h"
#include "shell/command_line.h"

namespace {

bool finished = false;

// The frame just presented is still in the back buffer.
void SaveLastFrame(const std::string& fileName) {
  if (runOptions.screenshotFull) {
    if (!SaveFullScreenPicture(fileName)) {
      std::fprintf(stderr, "kaldovirent: cannot save the last frame as %s\n", fileName.c_str());
    }
    return;
  }
  if (!GrabSprite(obj::screenshotSprite, 0, 0, screenWidth, screenHeight) ||
      !SaveSprite(obj::screenshotSprite, fileName)) {
    std::fprintf(stderr, "kaldovirent: cannot save the last frame as %s\n", fileName.c_str());
  }
  FreeSprite(obj::screenshotSprite);
}

// --frames ends the program wherever it is: in play, in a menu, in a pause.
void AfterEachFrame() {
  if (runOptions.frames >= 0 && FramesPresented() >= runOptions.frames) {
    if (!runOptions.screenshotFile.empty()) SaveLastFrame(runOptions.screenshotFile);
    FinishRun();
    StopSound(-1);
    std::fflush(nullptr);
    std::_Exit(0);
  }
  if (runOptions.memoryEvery > 0 && FramesPresented() % runOptions.memoryEvery == 0) {
    std::fprintf(stderr, "frame %" PRId64 " level %d resident %" PRId64 " kB heap %" PRId64 " kB\n",
                 FramesPresented(), game.levelNumber + 1, ResidentKilobytes(), HeapInUseKilobytes());
  }
  if (runOptions.autopilot || game.attractDemo) AutopilotStep();
}

}  // namespace

std::string RunEndLine() {
  char line[160];
  std::snprintf(line, sizeof line, "frames %" PRId64 " level %d score %d lives %d checksum %08" PRIx32,
                FramesPresented(), game.levelNumber + 1, game.score, game.lives, GameChecksum());
  return line;
}

bool StartRunControl() {
  if (!runOptions.replayFile.empty()) {
    std::string error;
    if (!StartReplay(runOptions.replayFile, error)) {
      std::fprintf(stderr, "kaldovirent: %s\n", error.c_str());
      return false;
    }
    SetReplayEndHook(FinishRun);
  }
  if (!runOptions.recordFile.empty() && !StartRecording(runOptions.recordFile)) return false;
  if (runOptions.fast) SetFrameLimiterEnabled(false);
  if (runOptions.unwatched) SetWindowUnwatched(true);
  if (runOptions.autopilot) SetRealMouseIgnored(true);
  SetFrameHook(AfterEachFrame);
  SetQuitHook(FinishRun);
  return true;
}

void FinishRun() {
  if (finished) return;
  finished = true;
  const bool report = Recording() || Replaying() || runOptions.frames >= 0 ||
                      !runOptions.replayFile.empty();
  FinishRecording();
  if (report) std::printf("%s\n", RunEndLine().c_str());
  std::fflush(stdout);
}
