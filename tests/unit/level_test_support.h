// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the level tests: a scratch working directory, fatal errors that throw, and the
// shipped level sources.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "levels/level_source.h"
#include "media/fatal_error.h"

// What a fatal error said, thrown out of FatalError by the test handler.
struct FatalText {
  std::string text;
};

inline void ThrowFatal(const std::string& text) { throw FatalText{text}; }

// Runs the test in a fresh, empty working directory, as the game runs in its own.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    static int serial = 0;
    home_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() /
           ("kaldo_levels_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(dir_);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

 private:
  std::filesystem::path home_, dir_;
};

inline void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline void WriteLevel(int number, const std::vector<BrickRecord>& bricks) {
  WriteFile("level" + std::to_string(number) + ".dat", EncodeLevel(bricks));
}

// The levels the game ships, read from their sources in the repository.
inline std::vector<BrickRecord> ShippedLevel(const std::string& name) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                    "levels" / (name + ".lvl");
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<BrickRecord> bricks;
  std::string error;
  EXPECT_FALSE(text.str().empty()) << path;
  EXPECT_TRUE(ParseLevelSource(text.str(), bricks, error)) << name << ": " << error;
  return bricks;
}

inline const char* const shippedLevels[] = {"level0", "level1", "level2", "level102"};
