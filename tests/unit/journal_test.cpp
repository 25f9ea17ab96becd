// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a recorded game: what a recording writes, a replay hands back in the same
// order in place of the real values; files that cannot be a whole recording are refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "media/media.h"

namespace {

std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "journal_" + name;
}

void WriteBytes(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& file) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(file, bytes));
  return bytes;
}

// A short recording: the start level, three clock readings, a seed, and one mouse snapshot with
// a click.
std::string RecordSample(const std::string& file) {
  SetManualClock(true);
  AdvanceManualClock(1000);
  EXPECT_TRUE(StartRecording(file));
  int startLevel = 17;
  JournalStartChoice(startLevel);
  EXPECT_EQ(startLevel, 17);
  EXPECT_EQ(ElapsedMilliseconds(), 1000);
  AdvanceManualClock(13);
  EXPECT_EQ(ElapsedMilliseconds(), 1013);
  RandomSeed(4242);
  InjectMouseMotion(7, -3);
  InjectMouseButton(1, true);
  ExamineMouse();
  InjectMouseButton(1, false);
  AdvanceManualClock(300000);
  EXPECT_EQ(ElapsedMilliseconds(), 301013);
  EXPECT_TRUE(FinishRecording());
  SetManualClock(false);
  return ReadBytes(file);
}

std::string ReplayError(const std::string& file) {
  std::string error;
  EXPECT_FALSE(StartReplay(file, error));
  return error;
}

}  // namespace

TEST(Journal, ReplayHandsBackTheRecordedValuesInsteadOfTheRealOnes) {
  const std::string file = TempFile("roundtrip.rec");
  RecordSample(file);
  EXPECT_FALSE(Recording());

  std::string error;
  ASSERT_TRUE(StartReplay(file, error)) << error;
  EXPECT_TRUE(Replaying());
  // The real clock and mouse now say something else; the replay wins.
  SetManualClock(true);
  AdvanceManualClock(55);
  InjectMouseMotion(-100, 100);
  int startLevel = 3;  // what this run's command line asked for
  JournalStartChoice(startLevel);
  EXPECT_EQ(startLevel, 17);
  EXPECT_EQ(ElapsedMilliseconds(), 1000);
  EXPECT_EQ(ElapsedMilliseconds(), 1013);
  RandomSeed(1);
  const int afterReplayedSeed = Random(1000000);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 7);
  EXPECT_EQ(MouseDeltaY(), -3);
  EXPECT_TRUE(MouseButton(1));
  EXPECT_FALSE(MouseButton(2));
  EXPECT_EQ(ElapsedMilliseconds(), 301013);
  SetManualClock(false);
  // Every recorded value was read; stopped here, the replay leaves the real values alone again.
  StopReplay();
  EXPECT_FALSE(Replaying());
  InjectMouseMotion(5, 0);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 5);

  RandomSeed(4242);
  EXPECT_EQ(Random(1000000), afterReplayedSeed);
}

TEST(Journal, AUsedUpReplayEndsTheRunWithSuccessAfterItsEndHook) {
  const std::string file = TempFile("used_up.rec");
  RecordSample(file);
  EXPECT_EXIT(
      {
        std::string error;
        if (!StartReplay(file, error)) std::_Exit(9);
        SetReplayEndHook([] { std::fputs("end of replay\n", stderr); });
        int startLevel = -1;
        JournalStartChoice(startLevel);
        ElapsedMilliseconds();
        ElapsedMilliseconds();
        RandomSeed(0);
        ExamineMouse();
        ElapsedMilliseconds();
        ElapsedMilliseconds();  // one read more than was recorded
        std::_Exit(8);
      },
      ::testing::ExitedWithCode(0), "end of replay");
}

TEST(Journal, AReplayThatAsksForAnotherKindOfValueStopsWithAFault) {
  const std::string file = TempFile("diverged.rec");
  RecordSample(file);
  EXPECT_EXIT(
      {
        std::string error;
        if (!StartReplay(file, error)) std::_Exit(9);
        ExamineMouse();  // the recording starts with the start level
        std::_Exit(8);
      },
      ::testing::ExitedWithCode(3), "diverged.rec: the replay no longer matches the game");
}

TEST(Journal, FilesThatAreNotAWholeRecordingAreRefusedByName) {
  const std::string good = RecordSample(TempFile("good.rec"));

  EXPECT_EQ(ReplayError(TempFile("missing.rec")), TempFile("missing.rec") + ": cannot read the recording");

  const std::string other = TempFile("other.rec");
  WriteBytes(other, "P6\n640 480\n255\n");
  EXPECT_EQ(ReplayError(other), other + ": not a recorded game");

  std::string newer = good;
  newer[8] = static_cast<char>(journalFormatVersion + 1);
  const std::string newerFile = TempFile("newer.rec");
  WriteBytes(newerFile, newer);
  EXPECT_EQ(ReplayError(newerFile), newerFile + ": recording format " +
                                        std::to_string(journalFormatVersion + 1) +
                                        ", this game reads " + std::to_string(journalFormatVersion));

  const std::string cut = TempFile("cut.rec");
  WriteBytes(cut, good.substr(0, good.size() - 5));
  EXPECT_EQ(ReplayError(cut), cut + ": the recording is cut short (no end mark)");

  // An unknown tag in the middle, and a key number past 255.
  std::string badTag = good;
  badTag[12] = 'Z';
  const std::string badTagFile = TempFile("bad_tag.rec");
  WriteBytes(badTagFile, badTag);
  EXPECT_EQ(ReplayError(badTagFile), badTagFile + ": malformed event at byte 12");

  std::string badKey = good.substr(0, 12) + std::string("K\x01\x80\x02\x00\x00", 6) + good.substr(12);
  const std::string badKeyFile = TempFile("bad_key.rec");
  WriteBytes(badKeyFile, badKey);
  EXPECT_EQ(ReplayError(badKeyFile), badKeyFile + ": malformed event at byte 12");
  EXPECT_FALSE(Replaying());
}

TEST(Journal, ARecordingThatCannotBeWrittenIsRefused) {
  EXPECT_FALSE(StartRecording("/nonexistent-folder/game.rec"));
  EXPECT_FALSE(Recording());
}

namespace {

// A file as format 2 wrote it: one keyboard snapshot (nothing held, nothing typed), then the
// start level 3.
std::string VersionTwoRecording() {
  std::string bytes("KALDOREC\x02\x00\x00\x00", 12);
  bytes += std::string("K\x00\x00\x00", 4);
  bytes += std::string("L\x06", 2);
  bytes += std::string("E\x01\x00\x00\x00\x00\x00\x00\x00", 9);
  return bytes + "KALDOEND";
}

}  // namespace

TEST(Journal, PadSnapshotsAndLaterStartChoicesAreRecordedAndHandedBack) {
  const std::string file = TempFile("pad.rec");
  ASSERT_TRUE(StartRecording(file));
  int difficulty = 2;
  JournalStartChoiceSince(3, difficulty);
  ExamineKeyboard();  // with it, the pads' snapshot
  ASSERT_TRUE(FinishRecording());

  std::string error;
  ASSERT_TRUE(StartReplay(file, error)) << error;
  difficulty = 1;
  JournalStartChoiceSince(3, difficulty);
  EXPECT_EQ(difficulty, 2);
  EXPECT_EXIT(
      {
        ExamineKeyboard();  // the keyboard's and the pads' snapshots, in that order
        std::fputs("both snapshots read\n", stderr);
        ElapsedMilliseconds();  // past the end: the replay is over
        std::_Exit(8);
      },
      ::testing::ExitedWithCode(0), "both snapshots read");
  StopReplay();
}

TEST(Journal, AVersionTwoFileReplaysWithNoPadAndTheLaterChoicesAtTheirDefaults) {
  const std::string file = TempFile("version2.rec");
  WriteBytes(file, VersionTwoRecording());
  std::string error;
  ASSERT_TRUE(StartReplay(file, error)) << error;
  EXPECT_EXIT(
      {
        int difficulty = 1;
        JournalStartChoiceSince(3, difficulty);  // not in the file: reads nothing
        ExamineKeyboard();                      // a keyboard snapshot and no pad's
        int startLevel = -1;
        JournalStartChoice(startLevel);
        if (difficulty != 1 || startLevel != 3 || GamepadConnected()) std::_Exit(5);
        if (ReplayFormatVersion() != 2) std::_Exit(6);
        std::fputs("replayed as recorded\n", stderr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "replayed as recorded");
  StopReplay();
}

TEST(Journal, PadSnapshotsInAVersionTwoFileAndFilesOlderThanVersionTwoAreRefused) {
  const std::string file = TempFile("pad_in_v2.rec");
  ASSERT_TRUE(StartRecording(file));
  ExamineKeyboard();
  ASSERT_TRUE(FinishRecording());
  std::string bytes = ReadBytes(file);
  bytes[8] = 2;
  WriteBytes(file, bytes);
  EXPECT_EQ(ReplayError(file), file + ": malformed event at byte 16");  // after the 4-byte 'K'

  std::string older = VersionTwoRecording();
  older[8] = 1;
  WriteBytes(file, older);
  EXPECT_EQ(ReplayError(file), file + ": recording format 1, this game reads " +
                                   std::to_string(journalFormatVersion));
}
