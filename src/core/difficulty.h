// SPDX-License-Identifier: GPL-3.0-or-later
// The three difficulties a player chooses between, and their names in the player's files.
#pragma once

#include <string>

enum class Difficulty { easy, normal, hard };
constexpr int difficultyCount = 3;

// What a difficulty changes, all in this one table; Normal is the game as it always played.
struct DifficultyRow {
  int startLives;         // lives at the start of a game
  float serveSpeed;       // the served ball's velocity, times this
  float maxBallSpeed;     // pixels a frame a ball never goes beyond
  int shipWidthPercent;   // the ship's body and catch width, in percent of its pictures
  const char* banner;     // added to the "LEVEL n" banner; empty for Normal
};

constexpr DifficultyRow difficultyRows[difficultyCount] = {
    // Easy: slower balls, a wide ship and two lives more, for a child's first games.
    {5, 0.75f, 7.5f, 130, " EASY"},
    {3, 1.0f, 10.0f, 100, ""},
    // Hard: balls a third faster, a speed limit to match and a ship three quarters as wide.
    {3, 1.35f, 13.0f, 75, " HARD"},
};

constexpr const DifficultyRow& RowOf(Difficulty difficulty) {
  return difficultyRows[static_cast<int>(difficulty)];
}

// "easy", "normal", "hard": the word the settings and the high-score table write.
const char* DifficultyWord(Difficulty difficulty);
// The difficulty a word names, any case; false for any other word.
bool DifficultyFromWord(const std::string& word, Difficulty& difficulty);
