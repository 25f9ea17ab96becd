// The command line: --level N for any level with a file, --help, and one clear line for
// anything else. The tests run in the game's working directory, where the level files are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"

namespace {

struct Parsed {
  bool ok;
  CommandLine options;
  std::string error;
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kaldovirent");
  Parsed p{};
  p.ok = ParseCommandLine(static_cast<int>(args.size()), args.data(), p.options, p.error);
  return p;
}

TEST(CommandLine, NoOptionsStartAtTheMenuAndHelpAsksForTheUsage) {
  Parsed p = Parse({});
  EXPECT_TRUE(p.ok);
  EXPECT_EQ(p.options.startLevel, -1);
  EXPECT_FALSE(p.options.help);
  p = Parse({"--help"});
  EXPECT_TRUE(p.ok);
  EXPECT_TRUE(p.options.help);
  EXPECT_NE(UsageText().find("--level N"), std::string::npos);
}

TEST(CommandLine, LevelTakesAnyLevelWithAFileInEitherSpelling) {
  Parsed p = Parse({"--level", "17"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.startLevel, 17);
  p = Parse({"--level=102"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.startLevel, 102);
}

TEST(CommandLine, AnythingElseIsRefusedWithOneLineThatSaysWhy) {
  const Parsed unknown = Parse({"--fullscreen"});
  EXPECT_FALSE(unknown.ok);
  EXPECT_NE(unknown.error.find("unknown option \"--fullscreen\""), std::string::npos);
  const Parsed noFile = Parse({"--level", "20"});
  EXPECT_FALSE(noFile.ok);
  EXPECT_NE(noFile.error.find("level20.dat"), std::string::npos);
  for (const char* bad : {"-3", "x", "", "1e3"}) {
    const Parsed p = Parse({"--level", bad});
    EXPECT_FALSE(p.ok) << bad;
    EXPECT_NE(p.error.find("level number"), std::string::npos) << bad;
  }
  EXPECT_FALSE(Parse({"--level"}).ok);
  for (const Parsed& p : {unknown, noFile}) EXPECT_EQ(p.error.find('\n'), std::string::npos);
}

TEST(CommandLine, TheStartLevelServesOnlyTheFirstNewGame) {
  SetStartLevel(5);
  EXPECT_EQ(TakeStartLevel(), 5);
  EXPECT_EQ(TakeStartLevel(), -1);
}

}  // namespace
