// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/game_files.h"
#include "levels/level_file.h"
#include "media/media.h"


namespace {

int startLevel = -1;

struct OptionRow {
  const char* name;
  const char* value;  // the value's name in the usage text, nullptr for a switch
  const char* help;
};

constexpr OptionRow optionTable[] = {
    {"--help", nullptr, "show this help and exit"},
    {"--version", nullptr, "show the version and exit"},
    {"--windowed", nullptr, "play in a 1024 x 768 window (Alt+Enter switches at any time)"},
    {"--sharp", nullptr, "draw at the display's own resolution, even on a software renderer"},
    {"--classic", nullptr, "draw at 1024 x 768 and stretch the picture to the display"},
    {"--level", "N", "start a new game straight at level N (0 to 19, 50, 101 and 102 are shipped)"},
    {"--edit", "N", "edit level N: your copy, else the shipped level, else an empty one"},
    {"--record", "FILE", "record the game (input, clock, focus) to FILE"},
    {"--replay", "FILE", "play a recorded game back from FILE"},
    {"--autopilot", nullptr, "let the game play itself"},
    {"--frames", "N", "end after N frames, printing the run's end line"},
    {"--fast", nullptr, "do not wait for the frame period (replays, soak runs)"},
    {"--unwatched", nullptr, "draw every frame but leave the window blank (runs without a display)"},
    {"--memory-every", "N", "print the resident memory and heap on stderr every N frames (soak)"},
    {"--screenshot", "FILE", "with --frames, save the last frame as FILE (PNG for a .png name)"},
    {"--screenshot-full", nullptr, "screenshots at the drawing's own resolution, not 1024 x 768"},
};

bool ParseCount(const std::string& text, int64_t& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [rest, fault] = std::from_chars(begin, end, value);
  return !text.empty() && fault == std::errc() && rest == end && value >= 0;
}

bool ParseLevel(const std::string& value, RunOptions& options, std::string& error) {
  int64_t level = -1;
  if (!ParseCount(value, level) || level > 999999999) {
    error = "--level needs a level number, not \"" + value + "\"";
    return false;
  }
  const std::string file = PlayableLevelFile(LevelFileName(static_cast<int>(level)));
  if (!FileExists(file)) {
    error = "level " + std::to_string(level) + " has no level file (" + file + ")";
    return false;
  }
  options.startLevel = static_cast<int>(level);
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, RunOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool valueGiven = false;
    // "--level=5" is "--level 5".
    if (const auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.resize(equals);
      valueGiven = true;
    }
    if (arg == "-h") arg = "--help";
    const OptionRow* row = nullptr;
    for (const OptionRow& r : optionTable) {
      if (arg == r.name) row = &r;
    }
    if (!row || (valueGiven && !row->value)) {
      error = "unknown option \"" + std::string(argv[i]) + "\" (kaldovirent --help lists the options)";
      return false;
    }
    if (row->value && !valueGiven) {
      if (i + 1 >= argc) {
        error = arg + " needs " + row->value;
        return false;
      }
      value = argv[++i];
    }
    if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--windowed") {
      options.windowed = true;
    } else if (arg == "--sharp") {
      options.sharp = true;
    } else if (arg == "--classic") {
      options.classic = true;
    } else if (arg == "--screenshot-full") {
      options.screenshotFull = true;
    } else if (arg == "--screenshot") {
      options.screenshotFile = PlayerPath(value);
    } else if (arg == "--level") {
      if (!ParseLevel(value, options, error)) return false;
    } else if (arg == "--edit") {
      int64_t level = -1;
      if (!ParseCount(value, level) || level > 999999999) {
        error = "--edit needs a level number, not \"" + value + "\"";
        return false;
      }
      options.editLevel = static_cast<int>(level);
    } else if (arg == "--record") {
      options.recordFile = PlayerPath(value);
    } else if (arg == "--replay") {
      options.replayFile = PlayerPath(value);
    } else if (arg == "--autopilot") {
      options.autopilot = true;
    } else if (arg == "--frames") {
      if (!ParseCount(value, options.frames)) {
        error = "--frames needs a whole number of frames, not \"" + value + "\"";
        return false;
      }
    } else if (arg == "--fast") {
      options.fast = true;
    } else if (arg == "--unwatched") {
      options.unwatched = true;
    } else if (arg == "--memory-every") {
      if (!ParseCount(value, options.memoryEvery) || options.memoryEvery == 0) {
        error = "--memory-every needs a number of frames above 0, not \"" + value + "\"";
        return false;
      }
    }
  }
  if (!options.replayFile.empty() && (options.autopilot || !options.recordFile.empty())) {
    error = "--replay plays a recording back: it takes neither --record nor --autopilot";
    return false;
  }
  if (options.editLevel >= 0 && (!options.replayFile.empty() || !options.recordFile.empty() ||
                                 options.autopilot || options.startLevel >= 0)) {
    error = "--edit opens the level editor: it takes no --level, --record, --replay or --autopilot";
    return false;
  }
  if (options.sharp && options.classic) {
    error = "--sharp and --classic choose opposite displays: give one of them";
    return false;
  }
  if (!options.screenshotFile.empty() && options.frames < 0) {
    error = "--screenshot saves the last frame of a run: it needs --frames";
    return false;
  }
  return true;
}

std::string VersionText() {
  return std::string("kaldovirent ") + KALDO_VERSION +
         "\nMade by the Kaldovirent team. Built on SDL2, SDL2_ttf, fontconfig, OpenAL Soft, "
         "libpng,\nlibjpeg-turbo, libtiff and libvorbis; free software under their own licences.\n";
}

std::string UsageText() {
  std::string text =
      "Usage: kaldovirent [OPTION]...\nKaldovirent, a brick-breaker arcade game.\n\nOptions:\n";
  for (const OptionRow& r : optionTable) {
    std::string left = std::string("  ") + r.name + (r.value ? std::string(" ") + r.value : "");
    left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
    text += left + r.help + "\n";
  }
  text +=
      "\nLevels saved in the editor (Ctrl+S) go to ~/.local/share/kaldovirent/levels/ and are\n"
      "played in place of the shipped ones.\n"
      "\nScreenshots (the S key) go to the working directory, or to ~/.local/share/kaldovirent/\n"
      "when it cannot be written.\n";
  return text;
}

namespace {

// Text for a manual page line: a backslash and a hyphen written as troff wants them, and a line
// that would start with a request character kept as text.
std::string Troff(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

}  // namespace

std::string ManualPageText() {
  std::string page =
      ".TH KALDOVIRENT 6 \"\" \"kaldovirent " KALDO_VERSION "\" \"Games\"\n"
      ".SH NAME\n"
      "kaldovirent \\- brick\\-breaker arcade game\n"
      ".SH SYNOPSIS\n"
      ".B kaldovirent\n"
      "[\\fIOPTION\\fR]...\n"
      ".SH DESCRIPTION\n"
      "Steer a ship along the bottom of the playfield with the mouse, the arrow keys or a "
      "gamepad, launch balls and break bricks that glide along timed paths. Capsules give "
      "bonuses, weapons and maluses; monsters roam; five letters open a bonus level.\n"
      ".PP\n"
      "In play, the left button, Space or Ctrl launches the ball and fires; P pauses; M turns "
      "the music on or off; S saves a screenshot; Alt+Enter switches between full screen and a "
      "window; Escape gives up the game and goes back to the main menu. A gamepad steers with "
      "its stick or d\\-pad, fires with A, pauses with Start and gives up with Back.\n"
      ".SH OPTIONS\n";
  for (const OptionRow& r : optionTable) {
    page += ".TP\n.B ";
    page += Troff(r.name);
    if (r.value) {
      page += " \\fI";
      page += Troff(r.value);
      page += "\\fR";
    }
    page += "\n";
    page += Troff(r.help);
    page += "\n";
  }
  page +=
      ".SH FILES\n"
      ".TP\n"
      ".I $XDG_CONFIG_HOME/kaldovirent/settings.ini\n"
      "The options and the last name entered (by default under ~/.config).\n"
      ".TP\n"
      ".I $XDG_DATA_HOME/kaldovirent/highscores.txt\n"
      "The ten best games of each difficulty (by default under ~/.local/share), where "
      "screenshots also go when the working directory cannot be written.\n"
      ".TP\n"
      ".I $XDG_DATA_HOME/kaldovirent/levels/\n"
      "The levels saved in the level editor (\\fB\\-\\-edit\\fR), played in place of the "
      "shipped level of the same number.\n"
      ".SH EXIT STATUS\n"
      "0 when the game ends normally, 1 after a fatal error (its alert names it), 2 for a bad "
      "option or file, 3 when a replay stops "
      "matching the game.\n"
      ".SH AUTHORS\n"
      "The Kaldovirent developers. The game is free software under the GNU General Public "
      "License, version 3 or later.\n";
  return page;
}

void SetStartLevel(int level) { startLevel = level; }

int TakeStartLevel() {
  const int level = startLevel;
  startLevel = -1;
  return level;
}
