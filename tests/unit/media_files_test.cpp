// SPDX-License-Identifier: GPL-3.0-or-later
// Files: Windows-style names, little-endian reads, reads past the end, and the manual clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "media/media.h"

namespace {

std::string WriteTemporary(const std::string& name, const std::string& bytes) {
  std::string path = ::testing::TempDir() + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  if (file) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

TEST(NativePath, TurnsBackslashesIntoSlashes) {
  EXPECT_EQ(NativePath("gfx\\background\\psyche\\psyche1.png"), "gfx/background/psyche/psyche1.png");
  EXPECT_EQ(NativePath("packs/maingfx.pak"), "packs/maingfx.pak");
}

TEST(MediaFile, ReadsLittleEndianIntegersAndFloats) {
  std::string bytes("\x78\x56\x34\x12\xFE\xFF\xFF\xFF", 8);
  float f = 1.5f;
  char floatBytes[4];
  std::memcpy(floatBytes, &f, 4);  // this machine is little-endian, as the files are
  bytes.append(floatBytes, 4);
  std::string path = WriteTemporary("media_files_le.bin", bytes);

  MediaFile* file = OpenReadFile(path);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(EndOfFile(file));
  EXPECT_EQ(ReadInt32(file), 0x12345678);
  EXPECT_EQ(ReadInt32(file), -2);
  EXPECT_FLOAT_EQ(ReadFloat32(file), 1.5f);
  EXPECT_TRUE(LastReadComplete(file));
  EXPECT_TRUE(EndOfFile(file));
  CloseFile(file);
}

TEST(MediaFile, AReadPastTheEndGivesZeroAndStaysIncomplete) {
  std::string path = WriteTemporary("media_files_short.bin", std::string("\x01\x00\x00\x00\x02\x00", 6));
  MediaFile* file = OpenReadFile(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadInt32(file), 1);
  EXPECT_TRUE(LastReadComplete(file));
  EXPECT_EQ(ReadInt32(file), 0);  // only two bytes were left
  EXPECT_FALSE(LastReadComplete(file));
  EXPECT_TRUE(EndOfFile(file));
  EXPECT_EQ(ReadFloat32(file), 0.0f);
  EXPECT_FALSE(LastReadComplete(file));
  CloseFile(file);
}

TEST(MediaFile, MissingFilesAreReportedNotOpened) {
  EXPECT_EQ(OpenReadFile(::testing::TempDir() + "no_such_level.dat"), nullptr);
  EXPECT_FALSE(FileExists(::testing::TempDir() + "no_such_level.dat"));
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(::testing::TempDir() + "no_such_level.dat", bytes));
  // A directory is not a file.
  EXPECT_FALSE(FileExists(::testing::TempDir()));
}

TEST(MediaFile, BackslashNamesOpen) {
  std::string path = WriteTemporary("media_files_slash.bin", "abc");
  std::string windowsName = path;
  for (char& c : windowsName) {
    if (c == '/') c = '\\';
  }
  EXPECT_TRUE(FileExists(windowsName));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(windowsName, bytes));
  EXPECT_EQ(bytes, "abc");
}

TEST(ManualClock, StepsOnlyWhenTheTestSaysSoAndDelayMovesIt) {
  SetManualClock(true);
  int64_t start = ElapsedMilliseconds();
  AdvanceManualClock(40);
  EXPECT_EQ(ElapsedMilliseconds(), start + 40);
  Delay(10);
  EXPECT_EQ(ElapsedMilliseconds(), start + 50);
  SetManualClock(false);
  int64_t real = ElapsedMilliseconds();
  Delay(5);
  EXPECT_GE(ElapsedMilliseconds(), real + 5);
}

}  // namespace
