// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game finds its data and where it writes: the data of a build or of an installed game
// found from another working directory, and the files it writes kept out of folders that cannot
// be written (/proc cannot, even for the superuser the tests run as in CI) and out of an
// installed game's data.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/game_files.h"
#include "media/media.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree with a build's game folder, an installed prefix and an empty folder to start in.
class GameFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kaldo_files_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "elsewhere");
    fs::create_directories(root_ / "prefix/bin");
    fs::create_directories(root_ / "build/game");
    home_ = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(root_);
  }
  static void PutData(const fs::path& folder) {
    fs::create_directories(folder / "packs");
    std::ofstream(folder / gameDataMark) << "a pack";
  }
  std::string Folder(const std::string& relative) const { return (root_ / relative).string() + "/"; }

  fs::path root_;
  fs::path home_;
};

}  // namespace

TEST_F(GameFiles, AnInstalledGameFindsItsDataFromItsProgramWhereverItIsStarted) {
  PutData(root_ / "prefix/share/kaldovirent");
  const std::string found = FindGameData(Folder("elsewhere"), Folder("prefix/bin"));
  ASSERT_FALSE(found.empty());
  EXPECT_TRUE(fs::equivalent(found, root_ / "prefix/share/kaldovirent"));
  EXPECT_EQ(found.back(), '/');
  // Without the trailing slash the program folder names the same place.
  EXPECT_TRUE(fs::equivalent(FindGameData(Folder("elsewhere"), (root_ / "prefix/bin").string()),
                             root_ / "prefix/share/kaldovirent"));
}

TEST_F(GameFiles, ABuildsGameFolderHoldsItsDataBesideTheProgram) {
  PutData(root_ / "build/game");
  EXPECT_EQ(FindGameData(Folder("elsewhere"), Folder("build/game")), Folder("build/game"));
}

TEST_F(GameFiles, AWorkingDirectoryThatHoldsDataComesFirst) {
  PutData(root_ / "build/game");
  PutData(root_ / "elsewhere");
  EXPECT_EQ(FindGameData(Folder("elsewhere"), Folder("build/game")), Folder("elsewhere"));
}

TEST_F(GameFiles, NoFolderHoldingTheDataGivesNone) {
  fs::create_directories(root_ / "prefix/share/kaldovirent/packs");  // the folder, not the packs
  EXPECT_EQ(FindGameData(Folder("elsewhere"), Folder("prefix/bin")), "");
  EXPECT_EQ(FindGameData(Folder("elsewhere"), ""), "");
}

TEST(WriteFolderRule, TheStartFolderUnlessItCannotBeWrittenOrIsInstalledData) {
  EXPECT_EQ(ChooseWriteFolder("/home/p/games", true, false, "/home/p/.local/share/kaldovirent/"),
            "/home/p/games/");
  EXPECT_EQ(ChooseWriteFolder("/media/cdrom/", false, false, "/home/p/.local/share/kaldovirent/"),
            "/home/p/.local/share/kaldovirent/");
  // The superuser can write the installed data; the game still never writes there.
  EXPECT_EQ(ChooseWriteFolder("/usr/share/kaldovirent/", true, true, "/root/.local/share/kaldovirent/"),
            "/root/.local/share/kaldovirent/");
  // Without a player folder the write is tried in the start folder (and its failure ignored).
  EXPECT_EQ(ChooseWriteFolder("/media/cdrom", false, false, ""), "/media/cdrom/");
}

TEST_F(GameFiles, AFolderThatCannotBeWrittenSendsWritesToThePlayersFolder) {
  EXPECT_TRUE(DirectoryWritable(Folder("elsewhere")));
  EXPECT_FALSE(DirectoryWritable("/proc"));
  EXPECT_FALSE(DirectoryWritable(Folder("missing")));
  // The probe leaves nothing behind.
  EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));

  const char* before = std::getenv("XDG_DATA_HOME");
  const std::string saved = before ? before : "";
  setenv("XDG_DATA_HOME", (root_ / "player").string().c_str(), 1);
  fs::current_path(root_ / "elsewhere");
  EXPECT_TRUE(fs::equivalent(WriteFolder(), root_ / "elsewhere"));
  fs::current_path("/proc");
  const std::string folder = WriteFolder();
  EXPECT_EQ(folder, Folder("player/kaldovirent"));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(DirectoryWritable(folder));
  if (before) {
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}
