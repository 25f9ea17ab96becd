// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score tables: which games enter and where, one table per difficulty, the file read
// back as written, and every kind of damaged file or folder: warned about, kept as ".bad" before
// a new table is written, never silently emptied, never stopping the game.
#include "unit/player_files_support.h"

#include <vector>

#include "core/high_score_table.h"
#include "media/media.h"

namespace {

HighScoreEntry Game(int score, const std::string& name = "P", int level = 3) {
  return {score, level, name, "2024-05-17"};
}

HighScoreTable FullTable() {
  HighScoreTable table;
  for (int i = 0; i < highScoreRows; ++i) Insert(table, Game(1000 - 100 * i, "R" + std::to_string(i)));
  return table;
}

TEST(HighScoreTable, AGameEntersWhereItsScoreBelongsAndTheEleventhDropsOut) {
  HighScoreTable table = FullTable();
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table.front().score, 1000);
  EXPECT_EQ(table.back().score, 100);

  EXPECT_FALSE(Qualifies(table, 99));
  EXPECT_EQ(Insert(table, Game(99, "LOW")), -1);
  EXPECT_EQ(table, FullTable());

  EXPECT_TRUE(Qualifies(table, 850));
  EXPECT_EQ(Insert(table, Game(850, "NEW")), 2);
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table[2].name, "NEW");
  EXPECT_EQ(table[3].score, 800);
  EXPECT_EQ(table.back().score, 200);  // 100 was the eleventh
  EXPECT_EQ(Insert(table, Game(5000, "TOP")), 0);
}

TEST(HighScoreTable, EqualScoresKeepTheEarlierGameAbove) {
  HighScoreTable table = FullTable();
  EXPECT_EQ(Insert(table, Game(500, "LATER")), 6);  // below the earlier 500 at row 5
  EXPECT_EQ(table[5].name, "R5");
  // A tie with the last row does not enter: the earlier game keeps its place.
  EXPECT_FALSE(Qualifies(table, table.back().score));
  EXPECT_EQ(Insert(table, Game(table.back().score, "TIE")), -1);
  // In a table with room, a tie enters below; a game that scored nothing never enters.
  HighScoreTable shortTable;
  EXPECT_EQ(Insert(shortTable, Game(0)), -1);
  EXPECT_EQ(Insert(shortTable, Game(1, "FIRST")), 0);
  EXPECT_EQ(Insert(shortTable, Game(1, "SECOND")), 1);
}

TEST(HighScoreTable, NamesAreCutAtTwelveCharactersNotBytes) {
  HighScoreTable table;
  Insert(table, Game(10, "ÅÄÖéüñçßøæœŁ"));   // twelve characters, 25 bytes
  Insert(table, Game(9, "ÅÄÖéüñçßøæœŁX"));   // thirteen
  Insert(table, Game(8, "A\tB\x01" "C"));     // control characters go
  EXPECT_EQ(table[0].name, "ÅÄÖéüñçßøæœŁ");
  EXPECT_EQ(table[1].name, "ÅÄÖéüñçßøæœŁ");
  EXPECT_EQ(table[2].name, "ABC");
}

TEST(HighScoreText, EachDifficultyKeepsItsOwnTableAndReadsBackAsWritten) {
  HighScores scores;
  Insert(scores.Table(Difficulty::easy), Game(300, "Ann", 4));
  Insert(scores.Table(Difficulty::hard), Game(200, "Ben", 7));
  Insert(scores.Table(Difficulty::hard), Game(900, "Zoë Ångström", 12));
  EXPECT_TRUE(scores.Table(Difficulty::normal).empty());

  HighScores read;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ParseHighScores(HighScoresText(scores), "highscores.txt", read, warnings));
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(read, scores);
  EXPECT_EQ(read.Table(Difficulty::hard)[0].name, "Zoë Ångström");
  EXPECT_EQ(read.Table(Difficulty::hard)[0].level, 12);
}

TEST(HighScoreText, ADamagedLineIsSkippedWithAWarningNamingFileAndLine) {
  const std::string text = std::string(highScoreFileHeader) + "\n" +
                           "normal\t500\t2\t2024-01-01\tAnn\n"
                           "normal\t99999999999999999999999\t2\t2024-01-01\tHuge\n"  // line 3
                           "normal\t400\t2\t2024-01-01\n"                            // 4: no name
                           "extreme\t300\t2\t2024-01-01\tX\n"                        // 5
                           "normal\t-3\t2\t2024-01-01\tNeg\n"                        // 6
                           "normal\t300\t2\t2024-13-01\tBadDate\n"                   // 7
                           "\n# a comment\n"
                           "normal\t700\t5\t2024-01-02\tBen\n";
  HighScores read;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ParseHighScores(text, "/home/p/highscores.txt", read, warnings));
  ASSERT_EQ(warnings.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_NE(warnings[i].find("/home/p/highscores.txt: line " + std::to_string(i + 3)),
              std::string::npos)
        << warnings[i];
  }
  ASSERT_EQ(read.Table(Difficulty::normal).size(), 2u);
  EXPECT_EQ(read.Table(Difficulty::normal)[0].name, "Ben");  // sorted, best first
}

TEST(HighScoreText, TextThatIsNoHighScoreFileIsRefusedWhole) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 37 % 256);
  const std::string otherVersion = "kaldovirent high scores 9\nnormal\t5\t1\t2024-01-01\tA\n";
  for (const std::string& text : {binary, std::string("just some words\n"), otherVersion}) {
    HighScores read;
    Insert(read.Table(Difficulty::easy), Game(5));
    std::vector<std::string> warnings;
    EXPECT_FALSE(ParseHighScores(text, "highscores.txt", read, warnings));
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(read, HighScores());
  }
}

using HighScoreFile = PlayerFilesTest;

TEST_F(HighScoreFile, ASavedTableIsThereAtTheNextStart) {
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadHighScores(warnings), HighScores());  // no file yet: quietly empty
  EXPECT_TRUE(warnings.empty());
  HighScores scores;
  Insert(scores.Table(Difficulty::normal), Game(1234, "Ann"));
  ASSERT_TRUE(SaveHighScores(scores));
  const std::string folder = Path("home/.local/share/kaldovirent");
  EXPECT_TRUE(FileExists(folder + "/highscores.txt"));
  EXPECT_EQ(EntriesIn(folder), 1);  // no temporary, no ".bad"
  EXPECT_EQ(LoadHighScores(warnings), scores);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(HighScoreFile, AFileThatCannotBeReadWholeIsWarnedAboutAndKeptAsBadAtTheNextSave) {
  const std::string folder = Path("home/.local/share/kaldovirent/");
  const std::string path = folder + "highscores.txt";
  std::string binary(2000, '\x01');
  const std::string damagedLine = std::string(highScoreFileHeader) +
                                  "\nnormal\t99999999999999999999\t1\t2024-01-01\tA\n"
                                  "hard\t50\t1\t2024-01-01\tKept\n";
  HighScores next;
  Insert(next.Table(Difficulty::easy), Game(10, "New"));
  for (const std::string& bytes : {TenMegabytes(), binary, std::string("junk\n"), damagedLine}) {
    std::filesystem::remove_all(folder);
    Put(path, bytes);
    std::vector<std::string> warnings;
    ::testing::internal::CaptureStderr();
    const HighScores loaded = LoadHighScores(warnings);
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(stderrText, warnings[0] + "\n");
    EXPECT_EQ(Contents(path).size(), bytes.size());  // loading changes nothing
    if (bytes == damagedLine) {
      EXPECT_EQ(loaded.Table(Difficulty::hard)[0].name, "Kept");  // the good lines are read
    }

    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(SaveHighScores(next));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Contents(path + ".bad").size(), bytes.size());
    EXPECT_EQ(Contents(path), HighScoresText(next));
  }
}

TEST_F(HighScoreFile, AFolderInThePlaceOfTheFileIsMovedAsideNotLost) {
  const std::string path = Path("home/.local/share/kaldovirent/highscores.txt");
  Put(path + "/inside.txt", "something of the player's");
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadHighScores(warnings), HighScores());
  EXPECT_EQ(warnings.size(), 1u);
  HighScores scores;
  Insert(scores.Table(Difficulty::hard), Game(77));
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(SaveHighScores(scores));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Contents(path + ".bad/inside.txt"), "something of the player's");
  EXPECT_EQ(LoadHighScores(warnings), scores);
}

TEST_F(HighScoreFile, AnUnwritableFolderMakesTheSaveFailAndNothingElse) {
  // A file where the data folder should be: it cannot be made or written, whoever runs the game.
  Put(Path("data"), "not a folder");
  setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
  HighScores scores;
  Insert(scores.Table(Difficulty::normal), Game(10));
  std::vector<std::string> warnings;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(LoadHighScores(warnings), HighScores());
  EXPECT_FALSE(SaveHighScores(scores));
  const std::string stderrText = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_NE(stderrText.find("highscores.txt could not be written"), std::string::npos)
      << stderrText;
  EXPECT_EQ(Contents(Path("data")), "not a folder");
}

}  // namespace
