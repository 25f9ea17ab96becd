// The media layer's procedures for the player's files: the atomic write that never leaves half a
// file, the capped reader that neither hangs on a FIFO nor swallows a huge file, the player's
// two folders and how they follow HOME and the XDG variables, and the small questions about files.
#include "unit/player_files_support.h"

#include <SDL2/SDL.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <regex>

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

TEST_F(SmallFile, ReadsARegularFileWholeAndRefusesEverythingElse) {
  std::string bytes = "left over";
  Put(Path("options.ini"), "volume = 3\n");
  EXPECT_EQ(ReadSmallFile(Path("options.ini"), bytes, 64), ReadResult::ok);
  EXPECT_EQ(bytes, "volume = 3\n");
  // Exactly at the limit is fine; a byte more is not.
  Put(Path("exact.ini"), std::string(64, 'e'));
  EXPECT_EQ(ReadSmallFile(Path("exact.ini"), bytes, 64), ReadResult::ok);
  EXPECT_EQ(ReadSmallFile(Path("exact.ini"), bytes, 63), ReadResult::tooBig);
  EXPECT_TRUE(bytes.empty());

  EXPECT_EQ(ReadSmallFile(Path("nothing.ini"), bytes, 64), ReadResult::missing);
  EXPECT_EQ(ReadSmallFile(Path("home"), bytes, 64), ReadResult::notRegularFile);
  Put(Path("huge.ini"), TenMegabytes());
  EXPECT_EQ(ReadSmallFile(Path("huge.ini"), bytes, 64 * 1024), ReadResult::tooBig);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadSmallFile("/dev/zero", bytes, 64), ReadResult::notRegularFile);
}

TEST_F(SmallFile, AFifoWithNoWriterIsRefusedAtOnce) {
  // An ordinary open of a FIFO waits for a writer that never comes.
  const std::string fifo = Path("settings.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string bytes;
  EXPECT_EQ(ReadSmallFile(fifo, bytes, 1024), ReadResult::notRegularFile);
  EXPECT_FALSE(ReadFileBytes(fifo, bytes));
  EXPECT_FALSE(ReadFileBytes(Path("home"), bytes));
}

using PlayerFolders = PlayerFilesTest;

TEST_F(PlayerFolders, FollowTheXdgVariablesElseHomeAndAreMadePrivate) {
  EXPECT_EQ(PlayerConfigDirectory(), Path("home") + "/.config/kaldovirent/");
  EXPECT_EQ(PlayerFilesDirectory(), Path("home") + "/.local/share/kaldovirent/");
  struct stat info{};
  ASSERT_EQ(stat(PlayerConfigDirectory().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
  setenv("XDG_DATA_HOME", Path("data/deeper").c_str(), 1);
  EXPECT_EQ(PlayerConfigDirectory(), Path("config") + "/kaldovirent/");
  EXPECT_EQ(PlayerFilesDirectory(), Path("data/deeper") + "/kaldovirent/");
  EXPECT_TRUE(IsDirectory(Path("data/deeper/kaldovirent")));
}

TEST_F(PlayerFolders, TheDataFolderIsTheOneSdlNamedBefore) {
  // The screenshots' fallback folder was SDL's preference folder: the answer stays the same.
  for (const bool withXdg : {false, true}) {
    if (withXdg) setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    char* sdlFolder = SDL_GetPrefPath("", "kaldovirent");
    ASSERT_NE(sdlFolder, nullptr);
    EXPECT_EQ(PlayerFilesDirectory(), std::string(sdlFolder));
    SDL_free(sdlFolder);
  }
}

TEST_F(PlayerFolders, RelativeOrEmptyValuesAreIgnoredAndNoHomeGivesNone) {
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(PlayerConfigDirectory(), Path("home") + "/.config/kaldovirent/");
  EXPECT_EQ(PlayerFilesDirectory(), Path("home") + "/.local/share/kaldovirent/");

  unsetenv("HOME");
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  std::string failure;
  EXPECT_EQ(PlayerConfigDirectory(&failure), "");
  EXPECT_NE(failure.find("XDG_CONFIG_HOME"), std::string::npos) << failure;
  EXPECT_EQ(PlayerFilesDirectory(), "");
}

TEST_F(PlayerFolders, AFolderThatCannotBeMadeGivesNoneAndSaysWhere) {
  Put(Path("home/.config"), "a file where the folder should be");
  std::string failure;
  EXPECT_EQ(PlayerConfigDirectory(&failure), "");
  EXPECT_NE(failure.find(Path("home/.config")), std::string::npos) << failure;
}

using FileQuestions = PlayerFilesTest;

TEST_F(FileQuestions, TellFilesFoldersAndLinksApart) {
  Put(Path("a/file.txt"), "x");
  Put(Path("a/other.txt"), "x");
  std::filesystem::create_symlink(Path("a/file.txt"), Path("link.txt"));
  EXPECT_TRUE(IsRegularFile(Path("link.txt")));
  EXPECT_FALSE(IsRegularFile(Path("a")));
  EXPECT_TRUE(IsDirectory(Path("a")));
  EXPECT_FALSE(IsDirectory(Path("a/file.txt")));
  EXPECT_FALSE(IsDirectory(Path("missing")));

  EXPECT_TRUE(SameFile(Path("link.txt"), Path("a/../a/file.txt")));
  EXPECT_FALSE(SameFile(Path("a/file.txt"), Path("a/other.txt")));  // same contents, two files
  EXPECT_FALSE(SameFile(Path("a/file.txt"), Path("missing")));

  EXPECT_EQ(CanonicalPath(Path("a/../link.txt")), std::filesystem::canonical(Path("a/file.txt")));
  EXPECT_EQ(CanonicalPath(Path("missing/../a")), "");

  EXPECT_TRUE(RenameFile(Path("a/other.txt"), Path("a/other.txt.bad")));
  EXPECT_TRUE(IsRegularFile(Path("a/other.txt.bad")));
  EXPECT_FALSE(IsRegularFile(Path("a/other.txt")));
  EXPECT_FALSE(RenameFile(Path("a/other.txt"), Path("a/again.bad")));
}

TEST_F(FileQuestions, TheWorkingDirectoryChangesAndEndsInASlash) {
  const std::string before = CurrentDirectory();
  ASSERT_EQ(before.back(), '/');
  ASSERT_TRUE(ChangeDirectory(Path("home")));
  EXPECT_EQ(CurrentDirectory(), CanonicalPath(Path("home")) + "/");
  EXPECT_FALSE(ChangeDirectory(Path("missing")));
  ASSERT_TRUE(ChangeDirectory(before));
  EXPECT_EQ(CurrentDirectory(), before);
  EXPECT_TRUE(std::regex_match(LocalDate(), std::regex("[0-9]{4}-[01][0-9]-[0-3][0-9]")));
}

}  // namespace
