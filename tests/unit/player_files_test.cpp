// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer's procedures for the player's files: the atomic write that never leaves half a
// file, the capped reader that neither hangs on a FIFO nor swallows a huge file, the player's
// two folders and how they follow HOME and the XDG variables, and the small questions about files.
#include "unit/player_files_support.h"

#include <SDL2/SDL.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "media/media.h"

namespace {

using AtomicWrite = PlayerFilesTest;

TEST_F(AtomicWrite, ReplacesTheFileWholeAndLeavesNoTemporary) {
  const std::string target = Path("folder/settings.ini");
  Put(target, "the old options, longer than the new ones\n");
  ASSERT_TRUE(WriteFileAtomically(target, "new\n"));
  EXPECT_EQ(Contents(target), "new\n");
  EXPECT_EQ(EntriesIn(Path("folder")), 1);
  // A file that was not there is made.
  ASSERT_TRUE(WriteFileAtomically(Path("folder/other.txt"), std::string("a\0b", 3)));
  EXPECT_EQ(Contents(Path("folder/other.txt")), std::string("a\0b", 3));
}

TEST_F(AtomicWrite, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  // A target that is a folder: the rename fails at the last step.
  std::filesystem::create_directories(Path("folder/settings.ini"));
  EXPECT_FALSE(WriteFileAtomically(Path("folder/settings.ini"), "options\n"));
  EXPECT_TRUE(IsDirectory(Path("folder/settings.ini")));
  EXPECT_EQ(EntriesIn(Path("folder")), 1);

  // A folder that cannot be written, even by the superuser: a file stands in its place.
  Put(Path("blocker"), "a file, not a folder");
  EXPECT_FALSE(WriteFileAtomically(Path("blocker/settings.ini"), "options\n"));
  EXPECT_EQ(Contents(Path("blocker")), "a file, not a folder");

  // A disk that fills up while the new file is written (a file size limit acts the same, for
  // every user): the old file stays as it was.
  const std::string target = Path("full/highscores.txt");
  Put(target, "the old table\n");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomically(target, std::string(4096, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(Contents(target), "the old table\n");
  EXPECT_EQ(EntriesIn(Path("full")), 1);
}

using SmallFile = PlayerFilesTest;

TEST_F(SmallFile, ReadsARegularFileWholeAndRefusesEverythingElseAtOnce) {
  std::string bytes = "left over";
  Put(Path("exact.ini"), std::string(64, 'e'));
  EXPECT_EQ(ReadSmallFile(Path("exact.ini"), bytes, 64), ReadResult::ok);
  EXPECT_EQ(bytes, std::string(64, 'e'));
  EXPECT_EQ(ReadSmallFile(Path("exact.ini"), bytes, 63), ReadResult::tooBig);
  EXPECT_TRUE(bytes.empty());
  Put(Path("huge.ini"), TenMegabytes());
  EXPECT_EQ(ReadSmallFile(Path("huge.ini"), bytes, 64 * 1024), ReadResult::tooBig);
  EXPECT_EQ(ReadSmallFile(Path("nothing.ini"), bytes, 64), ReadResult::missing);
  EXPECT_EQ(ReadSmallFile(Path("home"), bytes, 64), ReadResult::notRegularFile);
  EXPECT_EQ(ReadSmallFile("/dev/zero", bytes, 64), ReadResult::notRegularFile);
  // An ordinary open of a FIFO waits for a writer that never comes.
  const std::string fifo = Path("settings.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadSmallFile(fifo, bytes, 1024), ReadResult::notRegularFile);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ReadFileBytes(fifo, bytes));
  ::testing::internal::GetCapturedStderr();
}

using PlayerFolders = PlayerFilesTest;

TEST_F(PlayerFolders, FollowAbsoluteXdgValuesElseHomeAndAreMadePrivate) {
  EXPECT_EQ(PlayerConfigDirectory(), Path("home") + "/.config/kaldovirent/");
  struct stat info{};
  ASSERT_EQ(stat(PlayerConfigDirectory().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(PlayerConfigDirectory(), Path("home") + "/.config/kaldovirent/");
  EXPECT_EQ(PlayerFilesDirectory(), Path("home") + "/.local/share/kaldovirent/");
  setenv("XDG_CONFIG_HOME", Path("config/deeper").c_str(), 1);
  EXPECT_EQ(PlayerConfigDirectory(), Path("config/deeper") + "/kaldovirent/");
  // The screenshots' fallback folder was SDL's preference folder: the answer stays the same.
  for (const bool withXdg : {false, true}) {
    if (withXdg) setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    if (!withXdg) unsetenv("XDG_DATA_HOME");
    char* sdlFolder = SDL_GetPrefPath("", "kaldovirent");
    ASSERT_NE(sdlFolder, nullptr);
    EXPECT_EQ(PlayerFilesDirectory(), std::string(sdlFolder));
    SDL_free(sdlFolder);
  }
}

TEST_F(PlayerFolders, NoHomeOrAFolderThatCannotBeMadeGivesNoneAndSaysWhy) {
  Put(Path("home/.config"), "a file where the folder should be");
  std::string failure;
  EXPECT_EQ(PlayerConfigDirectory(&failure), "");
  EXPECT_NE(failure.find(Path("home/.config")), std::string::npos) << failure;
  unsetenv("HOME");
  EXPECT_EQ(PlayerFilesDirectory(&failure), "");
  EXPECT_NE(failure.find("XDG_DATA_HOME"), std::string::npos) << failure;
}

using FileQuestions = PlayerFilesTest;

TEST_F(FileQuestions, TellFilesFoldersAndLinksApart) {
  Put(Path("a/file.txt"), "x");
  Put(Path("a/other.txt"), "x");
  std::filesystem::create_symlink(Path("a/file.txt"), Path("link.txt"));
  EXPECT_TRUE(FileExists(Path("link.txt")) && !FileExists(Path("a")));
  EXPECT_TRUE(IsDirectory(Path("a")) && !IsDirectory(Path("a/file.txt")));

  EXPECT_TRUE(SameFile(Path("link.txt"), Path("a/../a/file.txt")));
  EXPECT_FALSE(SameFile(Path("a/file.txt"), Path("a/other.txt")));  // same contents, two files
  EXPECT_FALSE(SameFile(Path("a/file.txt"), Path("missing")));

  EXPECT_EQ(CanonicalPath(Path("a/../link.txt")), std::filesystem::canonical(Path("a/file.txt")));
  EXPECT_EQ(CanonicalPath(Path("missing/../a")), "");

  EXPECT_TRUE(RenameFile(Path("a/other.txt"), Path("a/other.txt.bad")));
  EXPECT_TRUE(FileExists(Path("a/other.txt.bad")));
  EXPECT_FALSE(FileExists(Path("a/other.txt")));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(RenameFile(Path("a/other.txt"), Path("a/again.bad")));
  ::testing::internal::GetCapturedStderr();
}

TEST_F(FileQuestions, TheWorkingDirectoryChangesAndEndsInASlash) {
  const std::string before = CurrentDirectory();
  ASSERT_TRUE(ChangeDirectory(Path("home")));
  EXPECT_EQ(CurrentDirectory(), CanonicalPath(Path("home")) + "/");
  EXPECT_FALSE(ChangeDirectory(Path("missing")));
  ASSERT_TRUE(ChangeDirectory(before));
}

}  // namespace
