// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>

#include "core/game_files.h"
#include "core/player_options.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/run_control.h"

int main(int argc, char** argv) {
  // Data found nowhere is reported when the first pack fails to open.
  EnterGameData();
  std::string error;
  if (!ParseCommandLine(argc, argv, runOptions, error)) {
    std::fprintf(stderr, "kaldovirent: %s\n", error.c_str());
    return 2;
  }
  if (runOptions.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (runOptions.version) {
    std::fputs(VersionText().c_str(), stdout);
    return 0;
  }
  // The player's options; --windowed wins over the file for this run only.
  playerSettings = LoadSettings();
  if (!playerSettings.fullScreen) runOptions.windowed = true;
  if (runOptions.editLevel >= 0) return RunLevelEditor(runOptions.editLevel);
  if (!StartRunControl()) return 2;
  // A replay starts where its recording started, whatever this command line says.
  int startLevel = runOptions.startLevel;
  JournalStartChoice(startLevel);
  SetStartLevel(startLevel);
  int keepPlaying = runOptions.autopilot;
  JournalStartChoice(keepPlaying);
  runOptions.keepPlaying = keepPlaying != 0;
  constexpr uint32_t playKeysSinceVersion = 3;
  runOptions.playKeys = ReplayFormatVersion() >= playKeysSinceVersion;
  return RunGame();
}
