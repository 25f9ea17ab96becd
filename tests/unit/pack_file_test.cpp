// SPDX-License-Identifier: GPL-3.0-or-later
// Pack files: writing, reading back in order, the reader's state, and damaged packs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/pack_file.h"
#include "unit/pack_media.h"

namespace {

class PackFileTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "pack_file_test_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".pak";
  }
  void TearDown() override {
    ClosePackFile();
    std::remove(path_.c_str());
    std::remove((path_ + ".in").c_str());
  }

  std::vector<uint8_t> FileBytes() const {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (!file) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(uint8_t(c));
    std::fclose(file);
    return bytes;
  }
  void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  std::vector<uint8_t> NextEntry() {
    const uint8_t* entry = ReadNextEntry();
    if (!entry) return {};
    return std::vector<uint8_t>(entry, entry + LastEntrySize());
  }

  std::string path_;
};

uint32_t Le32(const std::vector<uint8_t>& v, std::size_t at) {
  return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
         uint32_t(v[at + 3]) << 24;
}

void PutLe32(std::vector<uint8_t>& v, uint32_t x) {
  for (int b = 0; b < 4; ++b) v.push_back(uint8_t(x >> (8 * b)));
}

TEST_F(PackFileTest, EmptyPackYieldsNoEntry) {
  ASSERT_TRUE(CreatePackFile(path_));
  ClosePackFile();
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(LastEntryInfo().status, PackEntryStatus::endOfPack);
}

TEST_F(PackFileTest, MissingPackDoesNotOpen) {
  EXPECT_EQ(OpenPackFile(path_ + ".missing"), 0);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntrySize(), -1);
}

TEST_F(PackFileTest, EntriesComeBackInOrderStoredOrCompressed) {
  std::vector<uint8_t> picture = packmedia::MakePicture(64, 48, 2);
  std::vector<uint8_t> noise(3000);
  uint32_t x = 99;
  for (auto& b : noise) b = uint8_t((x = x * 1664525u + 1013904223u) >> 24);
  std::vector<uint8_t> tiny = {1, 2, 3};
  ASSERT_TRUE(CreatePackFile(path_));
  EXPECT_EQ(AddMemoryToPack(picture.data(), picture.size()), 1);
  EXPECT_EQ(AddMemoryToPack(noise.data(), noise.size(), 0), 1);
  EXPECT_EQ(AddMemoryToPack(tiny.data(), tiny.size(), 4), 1);
  EXPECT_EQ(AddMemoryToPack(nullptr, 0), 1);
  ClosePackFile();

  // The layout: the picture shrank, the noise and the tiny block did not and are raw.
  std::vector<uint8_t> file = FileBytes();
  ASSERT_GE(file.size(), 8u);
  EXPECT_EQ(Le32(file, 0), picture.size());
  uint32_t stored = Le32(file, 4);
  EXPECT_LT(stored, picture.size());
  EXPECT_EQ(file[8], 0x51);
  EXPECT_EQ(file[9], 0x58);
  std::size_t second = 8 + stored;
  EXPECT_EQ(Le32(file, second), noise.size());
  EXPECT_EQ(Le32(file, second + 4), noise.size());
  EXPECT_EQ(std::memcmp(&file[second + 8], noise.data(), noise.size()), 0);
  std::size_t third = second + 8 + noise.size();
  EXPECT_EQ(Le32(file, third + 4), 3u);
  EXPECT_EQ(file.size(), third + 8 + 3 + 8);

  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), picture);
  EXPECT_TRUE(LastEntryInfo().compressed);
  EXPECT_TRUE(LastEntryInfo().decode.checksumOk);
  EXPECT_EQ(NextEntry(), noise);
  EXPECT_FALSE(LastEntryInfo().compressed);
  EXPECT_EQ(NextEntry(), tiny);
  EXPECT_NE(ReadNextEntry(), nullptr);   // the empty entry is an entry
  EXPECT_EQ(LastEntrySize(), 0);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntrySize(), -1);
}

TEST_F(PackFileTest, AddFileReadsTheWholeFile) {
  std::vector<uint8_t> text = packmedia::ReadTextCorpus(150000);
  if (text.empty()) text = packmedia::MakePicture(100, 100, 4);
  WriteFile(path_ + ".in", text);
  ASSERT_TRUE(CreatePackFile(path_));
  EXPECT_EQ(AddFileToPack(path_ + ".in"), 1);
  EXPECT_EQ(AddFileToPack(path_ + ".nothing"), 0);
  ClosePackFile();
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), text);
  EXPECT_EQ(ReadNextEntry(), nullptr);
}

TEST_F(PackFileTest, ClosingAndWritingModes) {
  std::vector<uint8_t> data(500, 7);
  ASSERT_TRUE(CreatePackFile(path_));
  // A pack open for writing yields no entries.
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(AddMemoryToPack(data.data(), data.size()), 1);
  // Creating another pack closes (and so flushes) the first.
  ASSERT_TRUE(CreatePackFile(path_ + ".in"));
  EXPECT_EQ(FileBytes().size(), 8 + Le32(FileBytes(), 4));
  ClosePackFile();
  EXPECT_EQ(AddMemoryToPack(data.data(), data.size()), 0);   // nothing open for writing

  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(AddMemoryToPack(data.data(), data.size()), 0);   // open for reading
  EXPECT_EQ(NextEntry(), data);
  EXPECT_EQ(LastEntrySize(), 500);
  ClosePackFile();
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  // Opening again starts from the first entry.
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), data);
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(NextEntry(), data);
}

TEST_F(PackFileTest, CutShortOrAbsurdEntriesGiveNoEntry) {
  std::vector<uint8_t> picture = packmedia::MakePicture(40, 30, 8);
  ASSERT_TRUE(CreatePackFile(path_));
  ASSERT_EQ(AddMemoryToPack(picture.data(), picture.size()), 1);
  ClosePackFile();
  std::vector<uint8_t> whole = FileBytes();

  // Every cut of the pack: a header cut short or data cut short is no entry.
  for (std::size_t cut = 1; cut < whole.size(); cut += 1 + cut / 8) {
    WriteFile(path_, std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(cut)));
    ASSERT_EQ(OpenPackFile(path_), 1);
    EXPECT_EQ(ReadNextEntry(), nullptr) << "cut " << cut;
    EXPECT_EQ(LastEntrySize(), -1);
    EXPECT_EQ(LastEntryInfo().status, cut < 8 ? PackEntryStatus::truncatedHeader
                                              : PackEntryStatus::truncatedData);
    ClosePackFile();
  }

  // A good entry followed by a few stray bytes: the entry, then nothing.
  std::vector<uint8_t> trailing = whole;
  trailing.insert(trailing.end(), {1, 2, 3});
  WriteFile(path_, trailing);
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), picture);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntryInfo().status, PackEntryStatus::truncatedHeader);
  ClosePackFile();

  // An absurd size.
  std::vector<uint8_t> absurd;
  PutLe32(absurd, packEntryLimit + 1);
  PutLe32(absurd, 4);
  absurd.insert(absurd.end(), {0x51, 0x58, 0, 0});
  WriteFile(path_, absurd);
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntryInfo().status, PackEntryStatus::absurdSize);
}

TEST_F(PackFileTest, BrokenStreamsGiveNoEntryButSayWhy) {
  std::vector<uint8_t> picture = packmedia::MakePicture(40, 30, 6);
  ASSERT_TRUE(CreatePackFile(path_));
  ASSERT_EQ(AddMemoryToPack(picture.data(), picture.size()), 1);
  ClosePackFile();
  std::vector<uint8_t> whole = FileBytes();

  // Wrong magic: no entry, and the tools can tell why.
  std::vector<uint8_t> magic = whole;
  magic[8] = 'Z';
  WriteFile(path_, magic);
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(ReadNextEntry(), nullptr);
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(LastEntryInfo().status, PackEntryStatus::brokenStream);
  EXPECT_FALSE(LastEntryInfo().decode.magicOk);
  ClosePackFile();

  // Flipped bits in the coded data: either an entry of the right size whose checksum catches
  // any wrong contents, or no entry when the stream falls short of the size.
  for (std::size_t at = 20; at < whole.size(); at += 37) {
    std::vector<uint8_t> damaged = whole;
    damaged[at] ^= 0x24;
    WriteFile(path_, damaged);
    ASSERT_EQ(OpenPackFile(path_), 1);
    const uint8_t* buffer = ReadNextEntry();
    const PackEntryInfo& info = LastEntryInfo();
    if (!buffer) {
      EXPECT_EQ(info.status, PackEntryStatus::brokenStream) << "byte " << at;
      EXPECT_LT(info.decode.written, picture.size()) << "byte " << at;
      ClosePackFile();
      continue;
    }
    ASSERT_EQ(LastEntrySize(), int64_t(picture.size()));
    ASSERT_EQ(info.decode.written, picture.size());
    if (std::memcmp(buffer, picture.data(), picture.size()) != 0) {
      EXPECT_FALSE(info.decode.checksumOk) << "byte " << at;
    }
    ClosePackFile();
  }
}

// A damaged header may claim up to the entry limit; only what the stream really decodes to is
// given memory, while an honest entry far larger than its stored bytes still reads back whole.
TEST_F(PackFileTest, ClaimedSizeIsBelievedOnlyAsFarAsTheStreamFillsIt) {
  std::vector<uint8_t> zeros(3u << 20, 0);  // 3 MB that pack into a few bytes
  zeros[12345] = 9;
  std::vector<uint8_t> small = packmedia::MakePicture(20, 10, 4);
  ASSERT_TRUE(CreatePackFile(path_));
  ASSERT_EQ(AddMemoryToPack(zeros.data(), zeros.size()), 1);
  ASSERT_EQ(AddMemoryToPack(small.data(), small.size()), 1);
  ClosePackFile();
  std::vector<uint8_t> whole = FileBytes();
  ASSERT_LT(Le32(whole, 4), 4096u) << "the zeros should pack small";

  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), zeros);
  EXPECT_EQ(NextEntry(), small);
  ClosePackFile();

  // The second entry's header says it is as large as an entry may be.
  std::vector<uint8_t> claimed = whole;
  const std::size_t second = 8 + Le32(whole, 4);
  ASSERT_LT(Le32(whole, second + 4), small.size()) << "the picture should be stored packed";
  for (int b = 0; b < 4; ++b) claimed[second + b] = uint8_t(packEntryLimit >> (8 * b));
  WriteFile(path_, claimed);
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), zeros);
  EXPECT_EQ(ReadNextEntry(), nullptr) << "a buffer of the claimed size was handed out";
  EXPECT_EQ(LastEntrySize(), -1);
  EXPECT_EQ(LastEntryInfo().unpackedSize, packEntryLimit);
  EXPECT_EQ(LastEntryInfo().decode.written, small.size());
}

// A picture whose pixels went is read again from its entry's position, while another pack may
// be open and half read: that reader goes on where it was.
TEST_F(PackFileTest, AnEntryIsReadAgainAtItsPositionApartFromTheOpenPack) {
  const std::vector<uint8_t> picture = packmedia::MakePicture(64, 48, 2);
  const std::vector<uint8_t> tiny = {7, 8, 9};
  ASSERT_TRUE(CreatePackFile(path_));
  EXPECT_EQ(AddMemoryToPack(tiny.data(), tiny.size(), 4), 1);
  EXPECT_EQ(AddMemoryToPack(picture.data(), picture.size()), 1);
  EXPECT_EQ(AddMemoryToPack(tiny.data(), tiny.size(), 4), 1);
  ClosePackFile();

  ASSERT_EQ(OpenPackFile(path_), 1);
  std::vector<uint64_t> positions;
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(ReadNextEntry(), nullptr);
    positions.push_back(LastEntryInfo().fileOffset);
  }
  ASSERT_EQ(OpenPackFile(path_), 1);
  EXPECT_EQ(NextEntry(), tiny);
  std::vector<uint8_t> again;
  ASSERT_TRUE(ReadPackEntryAt(path_, positions[1], again));  // compressed
  EXPECT_EQ(again, picture);
  ASSERT_TRUE(ReadPackEntryAt(path_, positions[2], again));  // stored
  EXPECT_EQ(again, tiny);
  EXPECT_EQ(NextEntry(), picture);
  EXPECT_EQ(LastEntryInfo().index, 1);

  // Not an entry's start, past the end, a file cut inside the entry, no file: no entry.
  EXPECT_FALSE(ReadPackEntryAt(path_, positions[1] + 3, again));
  EXPECT_FALSE(ReadPackEntryAt(path_, FileBytes().size(), again));
  std::vector<uint8_t> cut = FileBytes();
  cut.resize(positions[2] - 10);
  WriteFile(path_ + ".in", cut);
  EXPECT_FALSE(ReadPackEntryAt(path_ + ".in", positions[1], again));
  EXPECT_FALSE(ReadPackEntryAt(path_ + ".missing", positions[0], again));
}

}  // namespace
