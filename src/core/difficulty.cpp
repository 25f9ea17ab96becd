// SPDX-License-Identifier: GPL-3.0-or-later
// The difficulties' words in the player's files, both ways.
#include "core/difficulty.h"

#include <cctype>

namespace {

// One word per difficulty, in the enumeration's order.
constexpr const char* difficultyWords[difficultyCount] = {"easy", "normal", "hard"};

}  // namespace

const char* DifficultyWord(Difficulty difficulty) {
  return difficultyWords[static_cast<int>(difficulty)];
}

bool DifficultyFromWord(const std::string& word, Difficulty& difficulty) {
  std::string lower = word;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (int i = 0; i < difficultyCount; ++i) {
    if (lower == difficultyWords[i]) {
      difficulty = static_cast<Difficulty>(i);
      return true;
    }
  }
  return false;
}
