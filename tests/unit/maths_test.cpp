// SPDX-License-Identifier: GPL-3.0-or-later
// The shared rounding rules: the arena and the side games round halves differently, and
// recorded play depends on each keeping its own.
#include "media/maths.h"

#include <gtest/gtest.h>

TEST(Rounding, NearestTakesAHalfToTheEvenNeighbour) {
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(3.5), 4);
  EXPECT_EQ(Nearest(-2.5), -2);
  EXPECT_EQ(Nearest(2.4f), 2);
  EXPECT_EQ(Nearest(2.6f), 3);
}

TEST(Rounding, RoundHalfAwayTakesAHalfAwayFromZero) {
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(3.5), 4);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(RoundHalfAway(2.4f), 2);
}

