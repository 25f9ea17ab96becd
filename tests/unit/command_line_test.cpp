// The program's options: every option --help lists is understood, and a bad command line is
// refused with one line that says what is wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"

namespace {

bool Parse(std::vector<const char*> args, RunOptions& options, std::string& error) {
  args.insert(args.begin(), "kaldovirent");
  return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(CommandLine, EveryOptionOfTheUsageTextIsUnderstood) {
  RunOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--record", "a.rec", "--autopilot", "--frames", "270000", "--fast"}, options, error))
      << error;
  EXPECT_EQ(options.recordFile, "a.rec");
  EXPECT_TRUE(options.autopilot);
  EXPECT_EQ(options.frames, 270000);
  EXPECT_TRUE(options.fast);

  RunOptions replay;
  ASSERT_TRUE(Parse({"--replay", "b.rec", "--help"}, replay, error)) << error;
  EXPECT_EQ(replay.replayFile, "b.rec");
  EXPECT_TRUE(replay.help);

  const std::string usage = UsageText();
  for (const char* option : {"--help", "--record FILE", "--replay FILE", "--autopilot", "--frames N", "--fast"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

TEST(CommandLine, ABadCommandLineGetsOneLineSayingWhy) {
  struct Case {
    std::vector<const char*> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--levle", "3"}, "unknown option '--levle' (try --help)"},
      {{"--record"}, "--record needs FILE"},
      {{"--frames", "-5"}, "--frames needs a whole number of frames, not '-5'"},
      {{"--frames", "12x"}, "--frames needs a whole number of frames, not '12x'"},
      {{"--replay", "a.rec", "--autopilot"},
       "--replay plays a recording back: it takes neither --record nor --autopilot"},
  };
  for (const Case& c : cases) {
    RunOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, options, error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}
