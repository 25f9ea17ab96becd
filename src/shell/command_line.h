// SPDX-License-Identifier: GPL-3.0-or-later
// The program's options: what a player, a level designer or a test run can ask for on the
// command line. Every option is listed by UsageText, which --help prints.
#pragma once

#include <string>

#include "core/run_options.h"

// Fills options from the arguments; false with one line in error for an unknown option, a
// missing or bad value, a level without a file in the working directory, or options that
// exclude each other. Files named in options are taken from where the program was started.
bool ParseCommandLine(int argc, const char* const* argv, RunOptions& options, std::string& error);

std::string UsageText();
// The manual page (troff, section 6) built from the same options as UsageText.
std::string ManualPageText();
// What --version prints: the program, its version, who made it and what it is built on.
std::string VersionText();

// The level the next new game starts at, given once: the first new game takes it and skips
// the menu; later ones start at level 0 as usual. -1 when none was given.
void SetStartLevel(int level);
int TakeStartLevel();
