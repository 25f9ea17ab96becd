// The three difficulties a player chooses between, and their names in the player's files.
#pragma once

#include <string>

enum class Difficulty { easy, normal, hard };
constexpr int difficultyCount = 3;

// "easy", "normal", "hard": the word the settings and the high-score table write.
const char* DifficultyWord(Difficulty difficulty);
// The difficulty a word names, any case; false for any other word.
bool DifficultyFromWord(const std::string& word, Difficulty& difficulty);
