#include <cstdio>
#include <string>

#include "shell/command_line.h"
#include "shell/game.h"

int main(int argc, char** argv) {
  CommandLine options;
  std::string error;
  if (!ParseCommandLine(argc, argv, options, error)) {
    std::fprintf(stderr, "kaldovirent: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  SetStartLevel(options.startLevel);
  return RunGame();
}
