// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's manual page (section 6) to the file named on the command line, from the
// same option table that --help prints: the build runs it, so the page never lags the options.
#include <cstdio>
#include <fstream>

#include "shell/command_line.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kaldo_manual_page FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << ManualPageText();
  out.close();
  if (!out) {
    std::fprintf(stderr, "kaldo_manual_page: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
