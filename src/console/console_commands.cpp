// SPDX-License-Identifier: GPL-3.0-or-later
// The console's commands: what Enter does with the command line (ExecuteConsoleLine of
// console.h), and the table of command words.
#include <climits>
#include <iterator>
#include <string>

#include "assets/objects.h"
#include "console/console.h"
#include "console/duck_shoot.h"
#include "console/pong.h"
#include "console/sweets.h"
#include "console/tetris.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/screen.h"
#include "gameplay/capsules.h"
#include "gameplay/sprite_effects.h"
#include "levels/level_file.h"
#include "media/media.h"

namespace {

constexpr const char* notFound = "Command not found !";
constexpr const char* clearedTitle = "KALDOVIRENT 3 EVOLUTION (2006) CONSOLE MODE";
constexpr int winnerDelay = 2 * frameRate;
constexpr int sideGameMusicVolume = 0;     // the game music is silent while a side game runs
constexpr const char* tetrisRule = "------------------------------------------------------";  // 54
constexpr const char* tetrisCredit = "TETRIS WRITTEN AND TESTED BY THE KALDOVIRENT TEAM";

// a to z and the Latin-1 small letters 0xE0..0xFF, each 32 below its small form.
std::string UpperCase(std::string line) {
  for (char& ch : line) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || c >= 0xE0) ch = static_cast<char>(c - 0x20);
  }
  return line;
}

std::string TrimSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Every occurrence of the word removed; an empty word would never stop matching, so it removes
// nothing.
std::string WithoutWord(std::string line, const std::string& word) {
  if (word.empty()) return line;
  for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at)) {
    line.erase(at, word.size());
  }
  return line;
}

// The leading decimal whole number after spaces and tabs, 0 when there is none; huge numbers
// stop growing rather than overflow.
int LeadingNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < INT_MAX / 2) value = value * 10 + (text[i] - '0');
  }
  return static_cast<int>(negative ? -value : value);
}

// ---------------------------------------------------------------- the commands

void MegaCombo(const std::string&) {
  ArmMissile();
  SwitchOnChaingun();
  SwitchOnFil();
  SwitchOnLaser();
  SwitchOnGlue();
}

void Clear(const std::string&) {
  if (StartDrawing(drawImage, obj::consoleText)) {
    DrawingMode(0);
    Box(0, 0, screenWidth, consoleHeight, RGB(0, 0, 255));
    StopDrawing();
  }
  game.console.history.clear();
  AppendConsoleLine(clearedTitle);
  AppendConsoleLine(consoleRule);
  game.console.textScroll = 0;
}

void Pong(const std::string&) {
  NewPongServe();
  NewPongMatch();
  RunPong();
}

void Tetris(const std::string&) {
  SoundVolume(obj::music, sideGameMusicVolume);
  SetUpTetris();
  RunTetris();
  SoundVolume(obj::music, playerSettings.musicVolume);
  AppendConsoleLine(tetrisRule);
  AppendConsoleLine(tetrisCredit);
  AppendConsoleLine(tetrisRule);
}

// A side game with a frame loop of its own: the console's 3D bracket is closed while it plays,
// and the game music is silent.
void RunSideGame(void (*run)()) {
  Stop3D();
  SoundVolume(obj::music, sideGameMusicVolume);
  run();
  // The game's last snapshot may still show the Escape that ended it, pressed and let go within
  // one frame; the shell would read it as the end of the level in this very frame.
  ExamineKeyboard();
  SoundVolume(obj::music, playerSettings.musicVolume);
  Start3D();
}

// The level-cleared sequence of the frame loop advances from the level before the one asked
// for. A level with no file is refused here rather than ending the game.
void ChangeLevel(const std::string& argument) {
  const int target = LeadingNumber(argument);
  if (!FileExists(LevelFileName(target))) {
    AppendConsoleLine("No level file");
    return;
  }
  AppendConsoleLine("Change level to " + argument);
  game.levelComplete = 1;
  // Typed while a lost life explodes: the level start would keep the bricks of the level left
  // (none, once the finished level's are cleared); the life stays lost, the new level is read.
  game.lifeLost = 0;
  game.levelNumber = target - 1;
  game.spriteEffects.Clear();
  // Started after the list is emptied, so the player sees it.
  ShowMessage("WINNER!", winnerDelay);
}

struct Command {
  const char* word;
  void (*run)(const std::string& argument);
  const char* answer;  // appended after the command ran; nullptr: none, or the command's own
};

// Compared in this order, exactly; the first match runs.
constexpr Command commands[] = {
    {"END", [](const std::string&) { EndProgram(); }, nullptr},
    {"MISSILE", [](const std::string&) { ArmMissile(); }, "One missile added"},
    {"CHAINGUN", [](const std::string&) { SwitchOnChaingun(); }, "Chaingun bonus on"},
    {"FIL", [](const std::string&) { SwitchOnFil(); }, "Fil bonus on"},
    {"LASER", [](const std::string&) { SwitchOnLaser(); }, "Laser bonus on"},
    {"GLUE", [](const std::string&) { SwitchOnGlue(); }, "Ball glue to ship"},
    {"MEGACOMBO", MegaCombo, "COMBO BONUS !"},
    {"CLEAR", Clear, nullptr},
    {"1972", Pong, nullptr},
    {"TETRIS", Tetris, nullptr},
    {"DUCK", [](const std::string&) { RunSideGame(RunDuckShoot); }, nullptr},
    {"SUGAR", [](const std::string&) { RunSideGame(RunSweets); }, nullptr},
    {"CHANGELEVEL", ChangeLevel, nullptr},
};

}  // namespace

void ExecuteConsoleLine(const std::string& line) {
  ConsoleState& c = game.console;
  const std::string upper = UpperCase(line);
  c.history.push_back(upper);
  c.inputLine.clear();
  c.textScroll += consoleLineHeight;
  c.wheelOffset = 0;
  c.lastCommand = upper;
  ++c.commandsRun;

  const std::string word = TrimSpaces(upper.substr(0, upper.find(' ')));
  const std::string argument = TrimSpaces(WithoutWord(upper, word));
  for (const Command& command : commands) {
    if (word != command.word) continue;
    command.run(argument);
    if (command.answer) AppendConsoleLine(command.answer);
    return;
  }
  AppendConsoleLine(notFound);
}
