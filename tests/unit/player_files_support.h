// SPDX-License-Identifier: GPL-3.0-or-later
// A scratch home for tests of the player's files: a folder of its own per test, with HOME,
// XDG_CONFIG_HOME and XDG_DATA_HOME pointed into it and given back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

class PlayerFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("kaldo_player_" + std::to_string(getpid()) + "_" + test->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "home");
    for (int i = 0; i < variableCount; ++i) {
      const char* value = std::getenv(variables[i]);
      saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    setenv("HOME", Path("home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
  }
  void TearDown() override {
    for (int i = 0; i < variableCount; ++i) {
      if (saved_[i]) {
        setenv(variables[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(variables[i]);
      }
    }
    std::filesystem::remove_all(root_);
  }
  // A name inside the scratch folder.
  std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  // The names in a folder, for checking that no temporary file was left behind.
  static int EntriesIn(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
  }
  static std::string TenMegabytes() { return std::string(10 * 1024 * 1024, 'x'); }

 private:
  static constexpr int variableCount = 3;
  static constexpr const char* variables[variableCount] = {"HOME", "XDG_CONFIG_HOME",
                                                           "XDG_DATA_HOME"};
  std::filesystem::path root_;
  std::optional<std::string> saved_[variableCount];
};
