// The command line: `--level N` starts a new game straight at level N (any level with a file),
// `--help` lists the options.
#pragma once

#include <string>

struct CommandLine {
  int startLevel = -1;  // -1: the first level, after the menu
  bool help = false;
};

// False with one line saying what is wrong: an unknown option, a level that is not a number,
// or a level without a file in the working directory.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& options, std::string& error);

// The text --help prints.
std::string UsageText();

// The level the next new game starts at, given once: the first new game takes it and skips
// the menu; later ones start at level 0 as usual. -1 when none was given.
void SetStartLevel(int level);
int TakeStartLevel();
