// SPDX-License-Identifier: GPL-3.0-or-later
// The program's options: every option --help lists is understood, and a bad command line is
// refused with one line that says what is wrong. The tests run in the game's working directory,
// where the level files are.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "shell/command_line.h"

namespace {

struct Parsed {
  bool ok;
  RunOptions options;
  std::string error;
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kaldovirent");
  Parsed p{};
  p.ok = ParseCommandLine(static_cast<int>(args.size()), args.data(), p.options, p.error);
  return p;
}

}  // namespace

TEST(CommandLine, NoOptionsStartAtTheMenu) {
  const Parsed p = Parse({});
  EXPECT_TRUE(p.ok);
  EXPECT_EQ(p.options.startLevel, -1);
  EXPECT_FALSE(p.options.help);
  EXPECT_EQ(p.options.frames, -1);
}

TEST(CommandLine, EveryOptionOfTheUsageTextIsUnderstood) {
  Parsed p = Parse({"--record", "a.rec", "--autopilot", "--frames", "270000", "--fast", "--level", "17",
                    "--unwatched"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.unwatched);
  EXPECT_EQ(p.options.recordFile, "a.rec");
  EXPECT_TRUE(p.options.autopilot);
  EXPECT_EQ(p.options.frames, 270000);
  EXPECT_TRUE(p.options.fast);
  EXPECT_EQ(p.options.startLevel, 17);

  p = Parse({"--replay", "b.rec", "--help", "--level=102", "--frames=5", "--memory-every", "10000"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.replayFile, "b.rec");
  EXPECT_TRUE(p.options.help);
  EXPECT_EQ(p.options.startLevel, 102);
  EXPECT_EQ(p.options.frames, 5);
  EXPECT_EQ(p.options.memoryEvery, 10000);

  p = Parse({"--windowed", "--version", "--frames", "9", "--screenshot", "/tmp/last.png"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.windowed);
  EXPECT_TRUE(p.options.version);
  EXPECT_EQ(p.options.screenshotFile, "/tmp/last.png");
  EXPECT_FALSE(p.options.sharp);
  EXPECT_FALSE(p.options.classic);
  EXPECT_FALSE(p.options.screenshotFull);

  p = Parse({"--sharp", "--screenshot-full"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.sharp);
  EXPECT_FALSE(p.options.classic);
  EXPECT_TRUE(p.options.screenshotFull);
  p = Parse({"--classic"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.classic);
  EXPECT_FALSE(p.options.sharp);

  p = Parse({"--edit", "3", "--windowed"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.editLevel, 3);
  EXPECT_EQ(p.options.startLevel, -1);
  // A level with no file at all opens as an empty level to be made.
  p = Parse({"--edit=120"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.editLevel, 120);
  EXPECT_EQ(Parse({}).options.editLevel, -1);
  EXPECT_FALSE(Parse({}).options.unwatched);

  const std::string usage = UsageText();
  for (const char* option : {"--help", "--version", "--windowed", "--level N", "--edit N", "--record FILE",
                             "--replay FILE", "--autopilot", "--frames N", "--fast", "--unwatched",
                             "--screenshot FILE", "--memory-every N", "--sharp", "--classic",
                             "--screenshot-full"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

TEST(CommandLine, TheVersionNamesTheProgramItsMakersAndWhatItIsBuiltOn) {
  const std::string version = VersionText();
  EXPECT_TRUE(std::regex_search(version, std::regex("^kaldovirent [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version;
  for (const char* name : {"the Kaldovirent team", "SDL2", "OpenAL Soft"}) {
    EXPECT_NE(version.find(name), std::string::npos) << name;
  }
  EXPECT_FALSE(Parse({}).options.windowed);  // full screen unless asked
}

TEST(CommandLine, ABadCommandLineGetsOneLineSayingWhy) {
  struct Case {
    std::vector<const char*> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--levle", "3"}, "unknown option \"--levle\" (kaldovirent --help lists the options)"},
      {{"--fast=1"}, "unknown option \"--fast=1\" (kaldovirent --help lists the options)"},
      {{"--record"}, "--record needs FILE"},
      {{"--level"}, "--level needs N"},
      {{"--level", "20"}, "level 20 has no level file (level20.dat)"},
      {{"--level", "-3"}, "--level needs a level number, not \"-3\""},
      {{"--level", "1e3"}, "--level needs a level number, not \"1e3\""},
      {{"--level="}, "--level needs a level number, not \"\""},
      {{"--frames", "-5"}, "--frames needs a whole number of frames, not \"-5\""},
      {{"--frames", "12x"}, "--frames needs a whole number of frames, not \"12x\""},
      {{"--memory-every", "0"}, "--memory-every needs a number of frames above 0, not \"0\""},
      {{"--screenshot", "a.png"}, "--screenshot saves the last frame of a run: it needs --frames"},
      {{"--version=2"}, "unknown option \"--version=2\" (kaldovirent --help lists the options)"},
      {{"--edit", "x"}, "--edit needs a level number, not \"x\""},
      {{"--edit", "3", "--autopilot"},
       "--edit opens the level editor: it takes no --level, --record, --replay or --autopilot"},
      {{"--level", "3", "--edit", "3"},
       "--edit opens the level editor: it takes no --level, --record, --replay or --autopilot"},
      {{"--sharp", "--classic"}, "--sharp and --classic choose opposite displays: give one of them"},
      {{"--sharp=yes"}, "unknown option \"--sharp=yes\" (kaldovirent --help lists the options)"},
      {{"--replay", "a.rec", "--autopilot"},
       "--replay plays a recording back: it takes neither --record nor --autopilot"},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.args);
    EXPECT_FALSE(p.ok) << c.error;
    EXPECT_EQ(p.error, c.error);
    EXPECT_EQ(p.error.find('\n'), std::string::npos);
  }
}

TEST(CommandLine, TheStartLevelServesOnlyTheFirstNewGame) {
  SetStartLevel(5);
  EXPECT_EQ(TakeStartLevel(), 5);
  EXPECT_EQ(TakeStartLevel(), -1);
}
