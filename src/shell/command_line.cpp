#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>

#include "levels/level_file.h"
#include "media/media.h"

namespace {

int startLevel = -1;

// A whole non-negative decimal number, or -1.
int LevelNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return -1;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
  }
  return std::atoi(text.c_str());
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& options, std::string& error) {
  options = CommandLine{};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    std::string value;
    if (arg == "--level") {
      if (i + 1 >= argc) {
        error = "--level needs a level number";
        return false;
      }
      value = argv[++i];
    } else if (arg.rfind("--level=", 0) == 0) {
      value = arg.substr(8);
    } else {
      error = "unknown option \"" + arg + "\" (kaldovirent --help lists the options)";
      return false;
    }
    const int level = LevelNumber(value);
    if (level < 0) {
      error = "--level needs a level number, not \"" + value + "\"";
      return false;
    }
    if (!FileExists(LevelFileName(level))) {
      error = "level " + std::to_string(level) + " has no level file (" + LevelFileName(level) + ")";
      return false;
    }
    options.startLevel = level;
  }
  return true;
}

std::string UsageText() {
  return "usage: kaldovirent [--level N] [--help]\n"
         "  --level N   start a new game straight at level N (a level with a file levelN.dat in\n"
         "              the working directory: 0 to 19, 50, 101 and 102 are shipped)\n"
         "  --help      show this text\n";
}

void SetStartLevel(int level) { startLevel = level; }

int TakeStartLevel() {
  const int level = startLevel;
  startLevel = -1;
  return level;
}
