#include "shell/command_line.h"

#include <charconv>
#include <cstring>

RunOptions runOptions;

namespace {

struct OptionRow {
  const char* name;
  const char* value;  // the value's name in the usage text, nullptr for a switch
  const char* help;
};

constexpr OptionRow optionTable[] = {
    {"--help", nullptr, "show this help and exit"},
    {"--record", "FILE", "record the game (input, clock, focus) to FILE"},
    {"--replay", "FILE", "play a recorded game back from FILE"},
    {"--autopilot", nullptr, "let the game play itself"},
    {"--frames", "N", "end after N frames, printing the run's end line"},
    {"--fast", nullptr, "do not wait for the frame period (replays, soak runs)"},
};

bool ParseCount(const char* text, int64_t& value) {
  const char* end = text + std::strlen(text);
  auto [rest, fault] = std::from_chars(text, end, value);
  return fault == std::errc() && rest == end && value >= 0;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, RunOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const OptionRow* row = nullptr;
    for (const OptionRow& r : optionTable) {
      if (arg == r.name) row = &r;
    }
    if (!row) {
      error = "unknown option '" + arg + "' (try --help)";
      return false;
    }
    const char* value = nullptr;
    if (row->value) {
      if (i + 1 >= argc) {
        error = arg + " needs " + row->value;
        return false;
      }
      value = argv[++i];
    }
    if (arg == "--help") {
      options.help = true;
    } else if (arg == "--record") {
      options.recordFile = value;
    } else if (arg == "--replay") {
      options.replayFile = value;
    } else if (arg == "--autopilot") {
      options.autopilot = true;
    } else if (arg == "--frames") {
      if (!ParseCount(value, options.frames)) {
        error = std::string("--frames needs a whole number of frames, not '") + value + "'";
        return false;
      }
    } else if (arg == "--fast") {
      options.fast = true;
    }
  }
  if (!options.replayFile.empty() && (options.autopilot || !options.recordFile.empty())) {
    error = "--replay plays a recording back: it takes neither --record nor --autopilot";
    return false;
  }
  return true;
}

std::string UsageText() {
  std::string text = "Usage: kaldovirent [OPTION]...\nKaldovirent, a brick-breaker arcade game.\n\nOptions:\n";
  for (const OptionRow& r : optionTable) {
    std::string left = std::string("  ") + r.name + (r.value ? std::string(" ") + r.value : "");
    left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
    text += left + r.help + "\n";
  }
  return text;
}
