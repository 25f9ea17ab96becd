// SPDX-License-Identifier: GPL-3.0-or-later
// The scenery's packs: the names the background set-up opens and the rows the data builder
// writes, which must be the same lists.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assets/objects.h"
#include "assets/scenery_catalogue.h"

namespace {

TEST(SceneryCatalogue, LevelPacksAreNamedWithAtLeastFourDigits) {
  EXPECT_EQ(LevelPackName(3), "packs/0003.pak");
  EXPECT_EQ(LevelPackName(0), "packs/0000.pak");
  EXPECT_EQ(LevelPackName(1234), "packs/1234.pak");
  EXPECT_EQ(LevelPackName(12345), "packs/12345.pak");
}

TEST(SceneryCatalogue, ALevelWithoutARowIsBlackAndLoadsNothingOfItsOwn) {
  for (int level : {20, 49, 100, 103, 1234}) {
    EXPECT_EQ(LevelStyle(level), "black");
    EXPECT_TRUE(LevelPack(level).rows.empty());
  }
  EXPECT_EQ(LevelStyle(0), "storm");
  EXPECT_EQ(LevelStyle(50), "temple");
  EXPECT_EQ(LevelStyle(15), "water");
}

TEST(SceneryCatalogue, TheBuilderWritesEveryPackTheSetUpOpens) {
  std::set<std::string> written;
  for (const CataloguePack& pack : SceneryCatalogue()) {
    EXPECT_TRUE(written.insert(pack.packName).second) << pack.packName << " twice";
    EXPECT_FALSE(pack.rows.empty()) << pack.packName;
  }
  for (int level : SceneryLevels()) {
    EXPECT_EQ(written.count(StylePack(LevelStyle(level)).packName), 1u) << level;
    if (!LevelPack(level).rows.empty()) {
      EXPECT_EQ(written.count(LevelPackName(level)), 1u) << level;
    }
  }
  EXPECT_EQ(written.count("packs/panel.pak"), 1u);
  EXPECT_EQ(StylePack("sea").rows.at(0).fileName, "gfx/background/sea/sea.jpg");
  EXPECT_EQ(StylePack("sea").rows.at(0).object, obj::background);
}

}  // namespace
