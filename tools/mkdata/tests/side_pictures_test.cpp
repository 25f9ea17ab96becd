// SPDX-License-Identifier: GPL-3.0-or-later
// The side games' pictures: every row of both packs is drawn, and the pictures keep what the
// games' drawing relies on (mirrored figures of one size standing on their rail, balloons of one
// size with the string down to the sweet, the launcher's cup behind its centre).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "assets/side_game_catalogue.h"
#include "generators.h"

namespace {

using Picture = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Picture Draw(const std::string& name) {
  cairo_surface_t* s = DrawDuckPicture(name);
  if (!s) s = DrawSweetsPicture(name);
  return Picture(s, cairo_surface_destroy);
}

int Width(const Picture& p) { return cairo_image_surface_get_width(p.get()); }
int Height(const Picture& p) { return cairo_image_surface_get_height(p.get()); }

uint32_t Pixel(const Picture& p, int x, int y) {
  cairo_surface_flush(p.get());
  const unsigned char* row = cairo_image_surface_get_data(p.get()) + y * cairo_image_surface_get_stride(p.get());
  return reinterpret_cast<const uint32_t*>(row)[x];
}

int Alpha(const Picture& p, int x, int y) { return static_cast<int>(Pixel(p, x, y) >> 24); }

// Equal but for antialiasing: drawn mirrored, an edge may land a step apart in a channel.
bool Alike(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > 24) return false;
  }
  return true;
}

int OpaquePixels(const Picture& p) {
  int count = 0;
  for (int y = 0; y < Height(p); ++y) {
    for (int x = 0; x < Width(p); ++x) count += Alpha(p, x, y) > 128;
  }
  return count;
}

TEST(SidePictures, EveryRowOfBothPacksIsDrawnWithSomethingToSee) {
  for (const CataloguePack* pack : {&DuckCatalogue(), &SugarCatalogue()}) {
    for (const CatalogueRow& row : pack->rows) {
      const Picture p = Draw(row.fileName);
      ASSERT_NE(p, nullptr) << row.fileName;
      // A tenth of the picture at least is solid.
      EXPECT_GT(OpaquePixels(p) * 10, Width(p) * Height(p)) << row.fileName;
    }
  }
  EXPECT_EQ(Draw("gfx/balle.png"), nullptr);
  EXPECT_EQ(Draw("MiniGames\\canards\\gfx/lapin.png"), nullptr);
  EXPECT_EQ(Draw("MiniGames\\sugar\\gfx/canard0.png"), nullptr);
}

TEST(SidePictures, FiguresAreMirroredPairsOfOneSizeStandingOnTheirRail) {
  for (const char* figure : {"canard0", "canard1", "canard2", "caddie", "escargot", "poule", "veau"}) {
    SCOPED_TRACE(figure);
    const std::string stem = std::string("MiniGames\\canards\\gfx/") + figure;
    const Picture left = Draw(stem + ".png");
    const Picture right = Draw(stem + "_f.png");
    ASSERT_EQ(Width(left), 64);
    ASSERT_EQ(Height(left), 64);
    ASSERT_EQ(Width(right), 64);
    ASSERT_EQ(Height(right), 64);
    // A duck's worth badge (8 pixels round, centred 28 from its tail) reads the right way in
    // both.
    const bool duck = std::string(figure).rfind("canard", 0) == 0;
    for (int y = 0; y < 64; y += 3) {
      for (int x = 0; x < 64; x += 3) {
        if (duck && std::abs(x - 36) <= 9 && std::abs(y - 47) <= 9) continue;
        ASSERT_TRUE(Alike(Pixel(left, x, y), Pixel(right, 63 - x, y))) << x << "," << y;
      }
    }
    // The peg reaches the rail line at the foot of the picture.
    EXPECT_EQ(Alpha(left, 32, 63), 255);
  }
  // The three ducks differ in paint.
  EXPECT_NE(Pixel(Draw("MiniGames\\canards\\gfx/canard0.png"), 30, 34),
            Pixel(Draw("MiniGames\\canards\\gfx/canard1.png"), 30, 34));
}

TEST(SidePictures, BalloonsShareOneSizeAndTheirStringReachesTheSweet) {
  const Picture first = Draw("MiniGames\\sugar\\gfx/ballon_bleu.png");
  for (const char* colour : {"cyan", "jaune", "rose", "rouge", "vert"}) {
    const Picture p = Draw(std::string("MiniGames\\sugar\\gfx/ballon_") + colour + ".png");
    EXPECT_EQ(Width(p), Width(first));
    EXPECT_EQ(Height(p), Height(first));
  }
  // The sweet hangs 60 below the centre and is 40 high: the string ends inside its top half.
  const int centreY = Height(first) / 2;
  EXPECT_GE(Height(first), 2 * (60 - 20));
  EXPECT_LT(Height(first) - centreY, 60);
  int stringRows = 0;
  for (int y = Height(first) - 12; y < Height(first); ++y) {
    for (int x = 24; x < 40; ++x) {
      if (Alpha(first, x, y) > 0) {
        ++stringRows;
        break;
      }
    }
  }
  EXPECT_EQ(stringRows, 12);
}

TEST(SidePictures, TheShotRestsInTheLaunchersCup) {
  const Picture launcher = Draw("MiniGames\\sugar\\gfx/fleche.png");
  const int cx = Width(launcher) / 2, cy = Height(launcher) / 2;
  EXPECT_EQ(Alpha(launcher, cx - 12, cy + 48), 255);
  EXPECT_EQ(Alpha(launcher, cx + 12, cy + 48), 255);
  // The arrow points up: its tip is at the top, in the middle.
  EXPECT_GT(Alpha(launcher, cx, 6), 0);
  EXPECT_EQ(Alpha(launcher, 2, 6), 0);
}

}  // namespace
