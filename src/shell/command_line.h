// The program's options: what a player, a level designer or a test run can ask for on the
// command line. Every option is listed by UsageText, which --help prints.
#pragma once

#include <cstdint>
#include <string>

struct RunOptions {
  bool help = false;
  bool version = false;     // --version: print the version and exit
  bool windowed = false;    // --windowed: a window instead of full screen
  std::string screenshotFile;  // --screenshot FILE: the last frame of a --frames run
  int startLevel = -1;      // --level N: a new game straight at level N; -1 after the menu
  std::string recordFile;   // --record FILE: write what the game reads from outside
  std::string replayFile;   // --replay FILE: play a recording back instead of real input
  bool autopilot = false;   // --autopilot: the game plays itself
  int64_t frames = -1;      // --frames N: end with status 0 after N frames
  bool fast = false;        // --fast: no wait for the frame period
  int64_t memoryEvery = 0;  // --memory-every N: resident memory on stderr every N frames
  // Past the last level the ending closes by itself once its five seconds are over, without a
  // click, and the game starts over from the menu: the autopilot plays on until --frames or the
  // window ends the run. Set from --autopilot at start-up and kept in recordings, so a replay
  // plays as its recording did.
  bool keepPlaying = false;
};

// The options of one run; the shell reads them.
extern RunOptions runOptions;

// Fills options from the arguments; false with one line in error for an unknown option, a
// missing or bad value, a level without a file in the working directory, or options that
// exclude each other. Files named in options are taken from where the program was started.
bool ParseCommandLine(int argc, const char* const* argv, RunOptions& options, std::string& error);

std::string UsageText();
// What --version prints: the program, its version, who made it and what it is built on.
std::string VersionText();

// The level the next new game starts at, given once: the first new game takes it and skips
// the menu; later ones start at level 0 as usual. -1 when none was given.
void SetStartLevel(int level);
int TakeStartLevel();
