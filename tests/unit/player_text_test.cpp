// SPDX-License-Identifier: GPL-3.0-or-later
// The letters a pad picks a name from: Up and Down step the last one round the letters, and a
// name without a pickable last letter gets one added while it has room.
#include <gtest/gtest.h>

#include <string>

#include "core/player_text.h"

TEST(PadPickedName, StepsTheLastLetterRoundTheLettersBothWays) {
  EXPECT_EQ(WithLastLetterPicked("", 1), "A");
  EXPECT_EQ(WithLastLetterPicked("A", 1), "B");
  EXPECT_EQ(WithLastLetterPicked("BOB", -1), "BOA");
  EXPECT_EQ(WithLastLetterPicked("Z", 1), "a");
  // Round at either end: down from the first letter to the last and back up.
  const std::string last(1, pickedLetters.back());
  EXPECT_EQ(WithLastLetterPicked("A", -1), last);
  EXPECT_EQ(WithLastLetterPicked(last, 1), "A");
  EXPECT_EQ(WithLastLetterPicked("x", static_cast<int>(pickedLetters.size())), "x");
}

TEST(PadPickedName, ATypedCharacterThePadCannotPickIsKeptAndTheFullNameIsLeftAlone) {
  EXPECT_EQ(WithLastLetterPicked("Zoé", 1), "ZoéA");
  EXPECT_EQ(WithLastLetterPicked("Ana!", -1), "Ana!A");
  const std::string full = "ÉéàçñÖüßøåæ!";
  EXPECT_EQ(WithLastLetterPicked(full, 1), full);
  // A full name whose last letter the pad can pick still changes it.
  EXPECT_EQ(WithLastLetterPicked("ÉéàçñÖüßøåæA", 1), "ÉéàçñÖüßøåæB");
}
