// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score tables: ranking a game, and reading and writing highscores.txt.
#include "core/high_score_table.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/player_text.h"
#include "media/media.h"

namespace {

constexpr char fieldSeparator = '\t';
constexpr int fieldCount = 5;  // difficulty, score, level, date, name

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find(fieldSeparator, start)) != std::string::npos;) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool ReadDate(const std::string& text) {
  // YYYY-MM-DD; the day is checked against 31, not the month's own length.
  int year = 0, month = 0, day = 0;
  return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
         ReadWholeNumber(text.substr(0, 4), 0, 9999, year) &&
         ReadWholeNumber(text.substr(5, 2), 1, 12, month) &&
         ReadWholeNumber(text.substr(8, 2), 1, 31, day);
}

bool ReadEntry(const std::string& line, Difficulty& difficulty, HighScoreEntry& entry) {
  const std::vector<std::string> fields = Fields(line);
  if (static_cast<int>(fields.size()) != fieldCount) return false;
  if (!DifficultyFromWord(fields[0], difficulty)) return false;
  if (!ReadWholeNumber(fields[1], 0, INT_MAX, entry.score)) return false;
  if (!ReadWholeNumber(fields[2], 0, highScoreLevelMost, entry.level)) return false;
  if (!ReadDate(fields[3]) || !ValidPlayerName(fields[4])) return false;
  entry.date = fields[3];
  entry.name = CleanPlayerName(fields[4]);
  return true;
}

// Blank lines and comments.
bool Skipped(const std::string& line) {
  const std::string text = Trimmed(line);
  return text.empty() || text.front() == '#';
}

}  // namespace

bool Qualifies(const HighScoreTable& table, int score) {
  if (score <= 0) return false;
  return static_cast<int>(table.size()) < highScoreRows || score > table.back().score;
}

int Insert(HighScoreTable& table, const HighScoreEntry& entry) {
  if (!Qualifies(table, entry.score)) return -1;
  const auto below = std::find_if(table.begin(), table.end(),
                                  [&](const HighScoreEntry& row) { return row.score < entry.score; });
  const auto row = table.insert(below, entry);
  row->name = CleanPlayerName(row->name);
  const int rank = static_cast<int>(row - table.begin());
  if (static_cast<int>(table.size()) > highScoreRows) table.resize(highScoreRows);
  return rank;
}

bool ParseHighScores(const std::string& text, const std::string& fileName, HighScores& scores,
                     std::vector<std::string>& warnings) {
  scores = {};
  if (!IsPlainText(text)) {
    warnings.push_back(fileName + ": not a text file; no high scores are read from it");
    return false;
  }
  const std::vector<std::string> lines = TextLines(text);
  std::size_t i = 0;
  while (i < lines.size() && Skipped(lines[i])) ++i;
  if (i == lines.size() || Trimmed(lines[i]) != highScoreFileHeader) {
    warnings.push_back(fileName + ": not a high-score file (its first line is not \"" +
                       highScoreFileHeader + "\"); no high scores are read from it");
    return false;
  }
  for (++i; i < lines.size(); ++i) {
    if (Skipped(lines[i])) continue;
    Difficulty difficulty = Difficulty::normal;
    HighScoreEntry entry;
    if (ReadEntry(lines[i], difficulty, entry)) {
      scores.Table(difficulty).push_back(entry);
    } else {
      warnings.push_back(fileName + ": line " + std::to_string(i + 1) + " is damaged and skipped");
    }
  }
  // A file edited by hand may be out of order or too long: the stable sort keeps the earlier of
  // equal scores above, as Insert does, and only the best rows stay.
  for (HighScoreTable& table : scores.tables) {
    std::stable_sort(table.begin(), table.end(), [](const HighScoreEntry& a, const HighScoreEntry& b) {
      return a.score > b.score;
    });
    if (static_cast<int>(table.size()) > highScoreRows) table.resize(highScoreRows);
  }
  return true;
}

std::string HighScoresText(const HighScores& scores) {
  std::string text = std::string(highScoreFileHeader) + "\n" +
                     "# difficulty, score, level reached, date, name; separated by tabs\n";
  for (int d = 0; d < difficultyCount; ++d) {
    for (const HighScoreEntry& row : scores.tables[d]) {
      text += std::string(DifficultyWord(static_cast<Difficulty>(d))) + fieldSeparator +
              std::to_string(row.score) + fieldSeparator + std::to_string(row.level) +
              fieldSeparator + row.date + fieldSeparator + CleanPlayerName(row.name) + "\n";
    }
  }
  return text;
}

std::string HighScoreFilePath(std::string* failure) {
  const std::string folder = PlayerFilesDirectory(failure);
  return folder.empty() ? folder : folder + highScoreFileName;
}

namespace {

// The file as it is: true when it is missing or was read whole without a warning.
bool ReadHighScoreFile(const std::string& path, HighScores& scores,
                       std::vector<std::string>& warnings) {
  scores = {};
  std::string text;
  const ReadResult result = ReadSmallFile(path, text, highScoreFileMostBytes);
  if (result == ReadResult::missing) return true;
  if (result != ReadResult::ok) {
    warnings.push_back(path + ": " + ReadResultText(result) + "; no high scores are read from it");
    return false;
  }
  const std::size_t earlier = warnings.size();
  return ParseHighScores(text, path, scores, warnings) && warnings.size() == earlier;
}

}  // namespace

HighScores LoadHighScores(std::vector<std::string>& warnings) {
  const std::size_t earlier = warnings.size();
  HighScores scores;
  std::string failure;
  const std::string path = HighScoreFilePath(&failure);
  if (path.empty()) {
    warnings.push_back(std::string(highScoreFileName) + " cannot be read: " + failure);
  } else {
    ReadHighScoreFile(path, scores, warnings);
  }
  for (std::size_t i = earlier; i < warnings.size(); ++i) {
    std::fprintf(stderr, "%s\n", warnings[i].c_str());
  }
  return scores;
}

HighScores LoadHighScores() {
  std::vector<std::string> warnings;
  return LoadHighScores(warnings);
}

bool SaveHighScores(const HighScores& scores) {
  std::string failure;
  const std::string path = HighScoreFilePath(&failure);
  if (path.empty()) {
    std::fprintf(stderr, "%s could not be written: %s\n", highScoreFileName, failure.c_str());
    return false;
  }
  // Read again rather than remembered from the load: the file may have changed since, and no
  // state is kept outside the game record.
  HighScores onDisk;
  std::vector<std::string> ignored;
  if (!ReadHighScoreFile(path, onDisk, ignored)) {
    const std::string kept = path + damagedFileSuffix;
    if (!RenameFile(path, kept)) return false;  // never write over what could not be kept
    std::fprintf(stderr, "%s could not be read whole; it is kept as %s\n", path.c_str(),
                 kept.c_str());
  }
  return WriteFileAtomically(path, HighScoresText(scores));
}
