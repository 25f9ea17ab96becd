// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's order is the packs' order: counts, families and the rows others rely on.
#include <gtest/gtest.h>

#include <set>

#include "assets/catalogue.h"
#include "assets/glyph_tables.h"
#include "assets/objects.h"

namespace {

const CataloguePack& Pack(int i) { return MainCatalogue().at(i); }

TEST(Catalogue, HoldsTheMainAndTheSoundPackWithTheirEntryCounts) {
  ASSERT_EQ(MainCatalogue().size(), 2u);
  EXPECT_EQ(Pack(0).packName, "packs/maingfx.pak");
  EXPECT_EQ(Pack(0).rows.size(), 863u);
  EXPECT_EQ(Pack(1).packName, "packs/sounds.pak");
  EXPECT_EQ(Pack(1).rows.size(), 17u);
}

TEST(Catalogue, TheFontsTakeOneEntryPerGlyphInCharacterOrder) {
  int silver = 0, gold = 0, lastSilver = -1, lastGold = -1;
  for (const CatalogueRow& row : Pack(0).rows) {
    if (row.object >= silverGlyphBase && row.object < goldGlyphBase) {
      ++silver;
      EXPECT_GT(row.object, lastSilver);
      lastSilver = row.object;
    } else if (row.object >= goldGlyphBase && row.object < goldGlyphBase + 256) {
      ++gold;
      EXPECT_GT(row.object, lastGold);
      lastGold = row.object;
    }
  }
  EXPECT_EQ(silver, 46);
  EXPECT_EQ(gold, 48);
  // A glyph's file carries its glyph number, not its character code.
  bool foundA = false;
  for (const CatalogueRow& row : Pack(0).rows) {
    if (row.object == goldGlyphBase + '"') {
      EXPECT_EQ(row.fileName, "gfx/fonts/gold/gold-44.png");
    }
    if (row.object == silverGlyphBase + 'A') {
      foundA = true;
      EXPECT_EQ(row.fileName, "gfx/fonts/silver/silver-1.png");
    }
  }
  EXPECT_TRUE(foundA);
}

TEST(Catalogue, RowsThatTheGameAndItsErrorsNameStandWhereExpected) {
  const auto& rows = Pack(0).rows;
  EXPECT_EQ(rows.front().fileName, "gfx/pointer.png");
  EXPECT_EQ(rows.front().object, obj::pointer);
  EXPECT_EQ(rows.back().fileName, "gfx\\winner.png");
  EXPECT_EQ(rows.back().loader, LoaderKind::image);
  // The bricks interleave by frame: red 0, green 0, ... black 0, red 1, ...
  EXPECT_EQ(rows[18].fileName, "gfx/tiles/red/red0000.png");
  EXPECT_EQ(rows[19].object, obj::brickGreen);
  EXPECT_EQ(rows[26].object, obj::brickRed + 1);
  EXPECT_EQ(Pack(1).rows.front().fileName, "sfx/kolt3.ogg");
  EXPECT_EQ(Pack(1).rows.back().object, obj::soundDoor);

  int magentaKeyed = 0;
  for (const CatalogueRow& row : rows) {
    if (row.transparentColour != -1) {
      ++magentaKeyed;
      EXPECT_EQ(row.object, obj::panel);
      EXPECT_EQ(row.transparentColour, 255 + 255 * 65536);
    }
  }
  EXPECT_EQ(magentaKeyed, 1);
}

TEST(Catalogue, EveryFileNameIsUniqueWithinItsPack) {
  for (const CataloguePack& pack : MainCatalogue()) {
    std::set<std::string> names;
    for (const CatalogueRow& row : pack.rows) EXPECT_TRUE(names.insert(row.fileName).second) << row.fileName;
  }
}

}  // namespace
