// SPDX-License-Identifier: GPL-3.0-or-later
// Level data in both forms: the binary layout, the source text, the faults each reader rejects,
// and the shipped levels (round trips and the promises their design makes).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/catalogue.h"
#include "assets/objects.h"
#include "levels/level_source.h"
#include "unit/level_test_support.h"

namespace {

std::string Int32(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 255);
  return s;
}

std::string Float32(float f) {
  int32_t bits;
  std::memcpy(&bits, &f, 4);
  return Int32(bits);
}

std::string Decoded(const std::string& bytes, std::vector<BrickRecord>& bricks) {
  std::string error;
  if (DecodeLevel(bytes, bricks, error)) return "";
  return error;
}

std::string Parsed(const std::string& text, std::vector<BrickRecord>& bricks) {
  std::string error;
  if (ParseLevelSource(text, bricks, error)) return "";
  return error;
}

TEST(LevelFileLayout, ReadsLittleEndianRecordsBackToBack) {
  const std::string bytes = Int32(178) + Int32(402) + Int32(2) +           //
                            Int32(2) + Float32(120.5f) + Float32(80) +      //
                            Int32(3) + Float32(300) + Float32(-4.25f) +     //
                            Int32(226) + Int32(0) + Int32(1) +              //
                            Int32(0) + Float32(448) + Float32(400);
  std::vector<BrickRecord> bricks;
  ASSERT_EQ(Decoded(bytes, bricks), "");
  ASSERT_EQ(bricks.size(), 2u);
  EXPECT_EQ(bricks[0].kind, 178);
  EXPECT_EQ(bricks[0].capsule, 402);
  ASSERT_EQ(bricks[0].waypoints.size(), 2u);
  EXPECT_EQ(bricks[0].waypoints[0].seconds, 2);
  EXPECT_EQ(bricks[0].waypoints[0].x, 120.5f);
  EXPECT_EQ(bricks[0].waypoints[1].y, -4.25f);
  // A standing brick's duration is never divided by, so 0 is accepted there.
  EXPECT_EQ(bricks[1].kind, 226);
  EXPECT_EQ(bricks[1].waypoints[0].seconds, 0);
  EXPECT_EQ(EncodeLevel(bricks), bytes);
}

TEST(LevelFileLayout, AnEmptyFileIsALevelWithoutBricks) {
  std::vector<BrickRecord> bricks{{34, 0, {{1, 1, 1}}}};
  EXPECT_EQ(Decoded("", bricks), "");
  EXPECT_TRUE(bricks.empty());
}

TEST(LevelFileLayout, RejectsMalformedRecordsNamingTheBrick) {
  const std::string good = Int32(34) + Int32(0) + Int32(1) + Int32(1) + Float32(200) + Float32(100);
  std::vector<BrickRecord> bricks;

  EXPECT_EQ(Decoded(good + good + Int32(34) + Int32(0) + Int32(75), bricks),
            "brick 2: 75 waypoints (1 to 60 allowed)");
  EXPECT_EQ(Decoded(Int32(34) + Int32(0) + Int32(0), bricks), "brick 0: 0 waypoints (1 to 60 allowed)");
  EXPECT_EQ(Decoded(Int32(34) + Int32(0) + Int32(-3), bricks), "brick 0: -3 waypoints (1 to 60 allowed)");

  const std::string zeroLeg = Int32(34) + Int32(0) + Int32(2) + Int32(2) + Float32(1) + Float32(1) +
                              Int32(0) + Float32(5) + Float32(5);
  EXPECT_EQ(Decoded(good + zeroLeg, bricks),
            "brick 1: waypoint 1: a leg of 0 seconds (1 to 3600 on a moving brick)");

  EXPECT_EQ(Decoded(good + Int32(34) + Int32(0), bricks),
            "brick 1: record cut short (8 of 12 header bytes)");
  EXPECT_EQ(Decoded(good + Int32(34) + Int32(0) + Int32(2) + Int32(1) + Float32(1), bricks),
            "brick 1: record cut short (2 waypoints need 24 bytes, 8 left)");

  const std::string nan = Int32(34) + Int32(0) + Int32(1) + Int32(1) + Float32(NAN) + Float32(1);
  EXPECT_EQ(Decoded(nan, bricks), "brick 0: waypoint 0: position is not a finite number");
}

TEST(LevelFileLayout, RejectsKindsAndCapsulesThatHaveNoPicturesNamingTheBrick) {
  auto brick = [](int32_t kind, int32_t capsule) {
    return Int32(kind) + Int32(capsule) + Int32(1) + Int32(1) + Float32(200) + Float32(100);
  };
  std::vector<BrickRecord> bricks;
  // Every colour kind from 34 to 146 plays (the cleared test counts them all), and the five
  // special kinds; with no capsule or the first picture of each of the 17 capsules.
  std::string level;
  for (int kind = obj::brickRed; kind <= obj::brickBlack; ++kind) level += brick(kind, 0);
  for (int kind : {obj::brickUnbreakable, obj::brick3Hits, obj::brick2Hits, obj::brick1Hit, obj::brickTeleport}) {
    level += brick(kind, 0);
  }
  for (int capsule = obj::capsuleTriple; capsule <= obj::letterS; capsule += 16) {
    level += brick(obj::brickRed, capsule);
  }
  ASSERT_EQ(Decoded(level, bricks), "");
  EXPECT_EQ(bricks.size(), 113u + 5u + 17u);

  const std::string kindFault = " is not a brick kind (34 to 146, 162, 178, 194, 210 or 226)";
  for (int32_t kind : {INT32_MAX, INT32_MIN, -34, 0, 33, 147, 161, 163, 186, 227, 242}) {
    EXPECT_EQ(Decoded(brick(obj::brickRed, 0) + brick(kind, 0), bricks),
              "brick 1: kind " + std::to_string(kind) + kindFault);
  }
  const std::string capsuleFault = " is not a capsule (0 for none, or 242, 258, ... 498 in steps of 16)";
  for (int32_t capsule : {INT32_MAX, INT32_MIN, -1, 1, 34, 226, 243, 250, 514, 2065}) {
    EXPECT_EQ(Decoded(brick(obj::brickRed, 0) + brick(obj::brickBlue, capsule), bricks),
              "brick 1: capsule " + std::to_string(capsule) + capsuleFault);
  }
}

TEST(LevelFileLayout, EveryKindAndCapsuleALevelMayNameHasItsSixteenPictures) {
  std::set<int> pictures;
  for (const CatalogueRow& row : MainCatalogue().at(0).rows) pictures.insert(row.object);
  int kinds = 0, capsules = 0;
  for (int number = -1000; number < 3000; ++number) {
    const bool kind = IsLevelBrickKind(number);
    const bool capsule = number != 0 && IsLevelCapsule(number);
    if (!kind && !capsule) continue;
    kinds += kind;
    capsules += capsule;
    for (int frame = 0; frame < 16; ++frame) {
      EXPECT_TRUE(pictures.count(number + frame)) << number << " frame " << frame;
    }
  }
  EXPECT_EQ(kinds, 113 + 5);
  EXPECT_EQ(capsules, 17);
}

TEST(LevelFileLayout, RejectsLegsOfMoreThanAnHourOrLessThanASecond) {
  auto moving = [](int32_t seconds) {
    return Int32(34) + Int32(0) + Int32(2) + Int32(1) + Float32(100) + Float32(100) +  //
           Int32(seconds) + Float32(300) + Float32(100);
  };
  std::vector<BrickRecord> bricks;
  EXPECT_EQ(Decoded(moving(1) + moving(3600), bricks), "");
  // 28633116 seconds is the first leg whose frame count no longer fits in 32 bits.
  for (int32_t seconds : {3601, 28633116, INT32_MAX, 0, -1, INT32_MIN}) {
    EXPECT_EQ(Decoded(moving(seconds), bricks),
              "brick 0: waypoint 1: a leg of " + std::to_string(seconds) + " seconds (1 to 3600 on a moving brick)");
  }
}

TEST(LevelSource, ReadsNamesNumbersCommentsAndBlankLines) {
  const std::string text =
      "# two bricks\n"
      "\n"
      "hits3   life     2 120,80   3 200.5,-80   # a comment after the waypoints\n"
      "  teleport none  1 448,400\n"
      "40      258      1 1,2\n";
  std::vector<BrickRecord> bricks;
  ASSERT_EQ(Parsed(text, bricks), "");
  ASSERT_EQ(bricks.size(), 3u);
  EXPECT_EQ(bricks[0], (BrickRecord{178, 402, {{2, 120, 80}, {3, 200.5f, -80}}}));
  EXPECT_EQ(bricks[1], (BrickRecord{226, 0, {{1, 448, 400}}}));
  // Numbers stand for kinds and capsules too, named or not.
  EXPECT_EQ(bricks[2], (BrickRecord{40, obj::capsuleEnlarge, {{1, 1, 2}}}));
}

TEST(LevelSource, InvalidLinesFailWithTheirLineNumber) {
  std::vector<BrickRecord> bricks;
  EXPECT_EQ(Parsed("red none 1 1,1\n\npurple none 1 1,1\n", bricks), "line 3: unknown brick kind 'purple'");
  EXPECT_EQ(Parsed("red gold 1 1,1\n", bricks), "line 1: unknown capsule 'gold'");
  EXPECT_EQ(Parsed("red none\n", bricks),
            "line 1: a brick needs a kind, a capsule and at least one waypoint (seconds x,y)");
  EXPECT_EQ(Parsed("# c\nred none 1 1,1 2\n", bricks), "line 2: waypoint 1: seconds without a position x,y");
  EXPECT_EQ(Parsed("red none 1.5 1,1\n", bricks), "line 1: waypoint 0: '1.5' is not a whole number of seconds");
  EXPECT_EQ(Parsed("red none 1 1;1\n", bricks), "line 1: waypoint 0: '1;1' is not a position x,y");
  EXPECT_EQ(Parsed("red none 1 1,\n", bricks), "line 1: waypoint 0: '1,' is not a position x,y");
  EXPECT_EQ(Parsed("red none 1 1,1 0 2,2\n", bricks),
            "line 1: waypoint 1: a leg of 0 seconds (1 to 3600 on a moving brick)");
  EXPECT_EQ(Parsed("red none 1 1,1 28633116 2,2\n", bricks),
            "line 1: waypoint 1: a leg of 28633116 seconds (1 to 3600 on a moving brick)");
  // Numbers are checked like the file's: a kind or capsule without pictures is refused.
  EXPECT_EQ(Parsed("red none 1 1,1\n2147483647 none 1 1,1\n", bricks),
            "line 2: kind 2147483647 is not a brick kind (34 to 146, 162, 178, 194, 210 or 226)");
  EXPECT_EQ(Parsed("red 999 1 1,1\n", bricks),
            "line 1: capsule 999 is not a capsule (0 for none, or 242, 258, ... 498 in steps of 16)");
  std::string tooLong = "red none";
  for (int i = 0; i < 61; ++i) tooLong += " 1 " + std::to_string(100 + i) + ",100";
  EXPECT_EQ(Parsed(tooLong + "\n", bricks), "line 1: 61 waypoints (1 to 60 allowed)");
}

TEST(LevelSource, WrittenSourceReadsBackBitForBit) {
  std::vector<BrickRecord> bricks = {
      {34, 0, {{1, 0.1f, 1e-7f}}},
      {178, 418, {{2, 123.456789f, -0.0f}, {60, 3.4e38f, 700}}},
      {40, 0, {{-5, 88, 20}}},  // a kind without a name: written as a number
  };
  // Every kind and every capsule by its name: a name given twice would read back wrongly.
  for (int kind = obj::brickRed; kind <= obj::brickTeleport; kind += 16) {
    EXPECT_NE(BrickKindName(kind), "") << kind;
    bricks.push_back({kind, 0, {{1, 200, 100}}});
  }
  for (int capsule = obj::capsuleTriple; capsule <= obj::letterS; capsule += 16) {
    EXPECT_NE(CapsuleName(capsule), "") << capsule;
    bricks.push_back({obj::brickRed, capsule, {{1, 200, 100}}});
  }
  std::vector<BrickRecord> back;
  ASSERT_EQ(Parsed(WriteLevelSource(bricks), back), "");
  EXPECT_EQ(back, bricks);
  EXPECT_EQ(EncodeLevel(back), EncodeLevel(bricks));
}

// A written source opens as the shipped ones do: the title line, then the same comment lines,
// word for word, so a level saved by the editor reads like one of ours.
TEST(LevelSource, WrittenSourceOpensWithTheShippedComments) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                    "levels" / "level3.lvl";
  std::ifstream in(path);
  std::string shipped[4];
  for (std::string& line : shipped) ASSERT_TRUE(std::getline(in, line));

  const std::vector<BrickRecord> bricks = {{obj::brickRed, 0, {{1, 120, 80}}}};
  std::istringstream written(WriteLevelSource(bricks, "Level 3: two\nlines"));
  std::string line;
  ASSERT_TRUE(std::getline(written, line));
  EXPECT_EQ(line, "# Level 3: two lines");  // a break in the title stays on the comment line
  for (int i = 1; i < 4; ++i) {
    ASSERT_TRUE(std::getline(written, line));
    EXPECT_EQ(line, shipped[i]);
  }
  ASSERT_TRUE(std::getline(written, line));
  EXPECT_EQ(line, "red          none        1 120,80");

  // Without a title the header comes first.
  std::istringstream untitled(WriteLevelSource(bricks));
  ASSERT_TRUE(std::getline(untitled, line));
  EXPECT_EQ(line, shipped[1]);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ShippedLevels, CompileAndDecompileRoundTrips) {
  for (const char* name : shippedLevels) {
    SCOPED_TRACE(name);
    const std::vector<BrickRecord> source = ShippedLevel(name);
    const std::string bytes = EncodeLevel(source);

    std::vector<BrickRecord> decoded, reparsed;
    std::string error;
    ASSERT_TRUE(DecodeLevel(bytes, decoded, error)) << error;
    EXPECT_EQ(decoded, source);
    ASSERT_TRUE(ParseLevelSource(WriteLevelSource(decoded), reparsed, error)) << error;
    EXPECT_EQ(EncodeLevel(reparsed), bytes);

    // The built level file in the game's directory, when the data was built.
    const std::string built = ReadText(std::string(name) + ".dat");
    if (!built.empty()) {
      EXPECT_EQ(built, bytes);
    }
  }
}

TEST(ShippedLevels, OfferEveryCapsuleMovingBricksAndTeleporterPairs) {
  std::set<int> capsules;
  std::set<int> letters;
  for (const char* name : shippedLevels) {
    SCOPED_TRACE(name);
    int moving = 0, standing = 0, teleporters = 0, special = 0;
    for (const BrickRecord& b : ShippedLevel(name)) {
      capsules.insert(b.capsule);
      if (b.capsule >= obj::letterB) letters.insert(b.capsule);
      (b.waypoints.size() > 1 ? moving : standing) += 1;
      if (b.kind == obj::brickTeleport) ++teleporters;
      if (b.kind == obj::brick3Hits || b.kind == obj::brickUnbreakable) ++special;
    }
    EXPECT_GT(moving, 0);
    EXPECT_GT(standing, 0);
    // A lone teleporter would have nowhere to send the ball.
    EXPECT_GE(teleporters, 2);
    if (std::string(name) != "level102") {
      EXPECT_GT(special, 0);
    }
  }
  for (int capsule = obj::capsuleTriple; capsule <= obj::capsuleExtraLife; capsule += 16) {
    EXPECT_TRUE(capsules.count(capsule)) << "capsule " << capsule << " is in no level";
  }
  // Letter placement adds the malus; the files leave it out.
  EXPECT_FALSE(capsules.count(obj::capsuleMalus));
  // One placed letter per level is three at most; the files carry the other two.
  EXPECT_GE(letters.size(), 2u);
}

}  // namespace
