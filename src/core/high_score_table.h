// SPDX-License-Identifier: GPL-3.0-or-later
// The ten best games of each difficulty, and their file highscores.txt in the player's data
// folder: read when the game starts, written when a game enters a table.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/difficulty.h"

constexpr int highScoreRows = 10;                 // games kept per difficulty
constexpr int highScoreLevelMost = 9999;          // far past the last level; more is damage
constexpr std::size_t highScoreFileMostBytes = 64 * 1024;  // the full tables take about 2 KiB
constexpr const char* highScoreFileName = "highscores.txt";
// A file that could not be read whole is kept under its own name with this added.
constexpr const char* damagedFileSuffix = ".bad";
// The first line of the file: its kind and format version.
constexpr const char* highScoreFileHeader = "kaldovirent high scores 1";

struct HighScoreEntry {
  int score = 0;
  int level = 0;      // the level the game reached
  std::string name;   // UTF-8, at most 12 characters; may be empty
  std::string date;   // YYYY-MM-DD, the day the game was played

  bool operator==(const HighScoreEntry&) const = default;
};

using HighScoreTable = std::vector<HighScoreEntry>;  // best first, at most highScoreRows

struct HighScores {
  std::array<HighScoreTable, difficultyCount> tables;

  HighScoreTable& Table(Difficulty difficulty) { return tables[static_cast<int>(difficulty)]; }
  const HighScoreTable& Table(Difficulty difficulty) const {
    return tables[static_cast<int>(difficulty)];
  }
  bool operator==(const HighScores&) const = default;
};

// True when a game of that score would enter the table: the table is not full or the score beats
// its last row. A game that scored nothing never enters; a tie with the last row does not either,
// since the earlier game keeps its place.
bool Qualifies(const HighScoreTable& table, int score);
// Enters the game below every game of an equal or higher score, the name made a valid name (see
// CleanPlayerName); a full table drops its last row. The row the game took, 0 at the top, or -1
// when it does not qualify.
int Insert(HighScoreTable& table, const HighScoreEntry& entry);

// The tables a file's text holds. False, with one warning, when the text is not a high-score
// file at all (binary, no header line, another format version); then scores is left empty. A
// damaged line is skipped with one warning naming the file and the line's number.
bool ParseHighScores(const std::string& text, const std::string& fileName, HighScores& scores,
                     std::vector<std::string>& warnings);
// The file's text: the header line, a comment naming the columns, then one line per game,
// "difficulty TAB score TAB level TAB date TAB name", each table best first.
std::string HighScoresText(const HighScores& scores);

// The file's full name; empty (with the reason in failure) when the player has no data folder.
std::string HighScoreFilePath(std::string* failure = nullptr);
// The tables from the file: empty when it is missing; as much as could be read, with warnings
// (each also on stderr), when it is damaged, unreadable or there is no folder for it.
HighScores LoadHighScores(std::vector<std::string>& warnings);
HighScores LoadHighScores();
// Writes the tables atomically. A file already there that was not read whole (damaged lines,
// binary, too long, unreadable, a folder in its place) is first kept under the ".bad" name, so
// no table is ever silently emptied. False (the reason on stderr) when nothing could be written;
// the game goes on.
bool SaveHighScores(const HighScores& scores);
