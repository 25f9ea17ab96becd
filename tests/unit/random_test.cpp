// SPDX-License-Identifier: GPL-3.0-or-later
// The random generator: bounds, the degenerate maxima, seeding and evenness.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "media/media.h"

namespace {

TEST(Random, StaysWithinZeroAndTheInclusiveMaximum) {
  RandomSeed(1234);
  for (int maximum : {1, 2, 7, 100, 1000, 2147483647}) {
    bool sawMaximum = maximum > 1000;  // too rare to require for the widest ranges
    for (int i = 0; i < 20000; ++i) {
      int r = Random(maximum);
      ASSERT_GE(r, 0);
      ASSERT_LE(r, maximum);
      if (r == maximum) sawMaximum = true;
    }
    EXPECT_TRUE(sawMaximum) << "maximum " << maximum;
  }
}

TEST(Random, ZeroAndNegativeMaximaGiveZero) {
  RandomSeed(99);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(Random(0), 0);
    ASSERT_EQ(Random(-5), 0);
  }
}

TEST(Random, OneGivesZeroAndOneEvenly) {
  RandomSeed(7);
  int ones = 0;
  const int draws = 100000;
  for (int i = 0; i < draws; ++i) ones += Random(1);
  // Five standard deviations of a fair coin over 100000 draws is about 790.
  EXPECT_NEAR(ones, draws / 2, 800);
}

TEST(Random, EveryValueOfASmallRangeIsEquallyLikely) {
  RandomSeed(2024);
  std::map<int, int> counts;
  const int draws = 120000;
  for (int i = 0; i < draws; ++i) counts[Random(5)]++;
  ASSERT_EQ(counts.size(), 6u);
  for (const auto& [value, count] : counts) EXPECT_NEAR(count, draws / 6, 700) << "value " << value;
}

TEST(Random, TheSameSeedRepeatsTheSequenceAndAnotherSeedDoesNot) {
  auto draw = [](uint32_t seed) {
    RandomSeed(seed);
    std::vector<int> values;
    for (int i = 0; i < 50; ++i) values.push_back(Random(1000000));
    return values;
  };
  EXPECT_EQ(draw(42), draw(42));
  EXPECT_NE(draw(42), draw(43));
}

TEST(Random, FreshSeedsDifferSoNoTwoRunsDealTheSameChances) {
  std::set<uint32_t> seeds;
  for (int i = 0; i < 8; ++i) seeds.insert(FreshSeed());
  EXPECT_GT(seeds.size(), 1u);
}

}  // namespace

// A recording replays the same draws whatever compiler built the game: the difference of two
// draws takes the first for the left side, every time.
TEST(Random, ADifferenceOfTwoDrawsTakesThemInAFixedOrder) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    RandomSeed(seed);
    const int first = Random(1000);
    const int second = Random(1000);
    const int after = Random(1000);
    RandomSeed(seed);
    EXPECT_EQ(RandomDifference(1000), first - second) << "seed " << seed;
    EXPECT_EQ(Random(1000), after) << "exactly two draws, seed " << seed;
  }
}
