// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's data: every row of its pack is made, at the size the game draws it,
// the relief maps tile, and its music is a loop of over a minute of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "assets/objects.h"
#include "assets/tetris_catalogue.h"
#include "generators.h"
#include "mkdata_build.h"
#include "sound_synth.h"

namespace {

struct Size {
  int width, height;
};

Size ExpectedSize(const std::string& name) {
  if (name.find("Tile_") != std::string::npos) return {32, 32};
  if (name.find("Bump") != std::string::npos || name.find("Diffuse") != std::string::npos) return {128, 128};
  if (name.find("Fond") != std::string::npos || name.find("Background_2") != std::string::npos) return {1024, 768};
  if (name.find("Line") != std::string::npos) return {640, 32};
  return {128, 128};  // the light
}

uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(s);
  return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(s))[x];
}

TEST(TetrisPack, EveryPictureIsMadeAtItsSizeAndTheGameIsInTheBuild) {
  bool inBuild = false;
  for (const CataloguePack& pack : GamePacks()) inBuild |= pack.packName == tetrisPackName;
  EXPECT_TRUE(inBuild);
  int pictures = 0;
  for (const CatalogueRow& row : TetrisCatalogue().rows) {
    if (row.loader == LoaderKind::sound) continue;
    cairo_surface_t* s = DrawTetrisPicture(row.fileName);
    ASSERT_NE(s, nullptr) << row.fileName;
    const Size size = ExpectedSize(row.fileName);
    EXPECT_EQ(cairo_image_surface_get_width(s), size.width) << row.fileName;
    EXPECT_EQ(cairo_image_surface_get_height(s), size.height) << row.fileName;
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(MakeAsset(row, bytes, error)) << error;
    cairo_surface_destroy(s);
    ++pictures;
  }
  EXPECT_EQ(pictures, 13);
}

TEST(TetrisPack, TheFrameIsOpenOverTheBoardAndSolidRoundIt) {
  cairo_surface_t* s = DrawTetrisPicture("MiniGames/Tetris/Background_2.png");
  ASSERT_NE(s, nullptr);
  cairo_surface_flush(s);
  EXPECT_EQ(Pixel(s, 352, 352) >> 24, 0u);   // the board's middle
  EXPECT_EQ(Pixel(s, 900, 150) >> 24, 0u);   // the next piece's window
  EXPECT_EQ(Pixel(s, 24, 300) >> 24, 255u);  // the frame's left side
  EXPECT_EQ(Pixel(s, 300, 678) >> 24, 255u); // and its bottom
  cairo_surface_destroy(s);
}

TEST(TetrisPack, TheReliefMapsTile) {
  for (const char* name : {"MiniGames/Tetris/Bump.png", "MiniGames/Tetris/Diffuse.png"}) {
    cairo_surface_t* s = DrawTetrisPicture(name);
    ASSERT_NE(s, nullptr);
    cairo_surface_flush(s);
    // Each plate is bevelled alike on its four sides, so the texels across the wrap match.
    for (int i = 0; i < 128; ++i) {
      EXPECT_EQ(Pixel(s, 0, i), Pixel(s, 127, i)) << name << " row " << i;
      EXPECT_EQ(Pixel(s, i, 0), Pixel(s, i, 127)) << name << " column " << i;
    }
    // Not flat.
    std::vector<uint32_t> values;
    for (int x = 0; x < 128; ++x) values.push_back(Pixel(s, x, 16) & 0xFFFFFF);
    std::sort(values.begin(), values.end());
    EXPECT_GT(std::unique(values.begin(), values.end()) - values.begin(), 8) << name;
    cairo_surface_destroy(s);
  }
}

TEST(TetrisMusic, LoopsForOverAMinuteWithoutASeamAndIsNotTheGamesTrack) {
  Samples left, right;
  RenderTetrisMusic(left, right);
  ASSERT_EQ(left.size(), right.size());
  EXPECT_GE(left.size(), 60u * musicRate);
  const float peak = std::max(PeakOf(left), PeakOf(right));
  EXPECT_LT(peak, 1.0f);
  EXPECT_GT(peak, 0.5f);
  std::vector<float> steps;
  double side = 0, energy = 0;
  for (size_t i = 1; i < left.size(); ++i) {
    steps.push_back(std::fabs(left[i] - left[i - 1]));
    side += (left[i] - right[i]) * (left[i] - right[i]);
    energy += left[i] * left[i] + right[i] * right[i];
  }
  EXPECT_GT(side, 0.01 * energy);
  std::sort(steps.begin(), steps.end());
  const float typicalLargeStep = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::fabs(left.front() - left.back()), typicalLargeStep);
  EXPECT_LE(std::fabs(right.front() - right.back()), typicalLargeStep);

  // Another piece than the game's own: the two hardly correlate.
  Samples gameLeft, gameRight;
  RenderMusic(gameLeft, gameRight);
  double both = 0, own = 0, theirs = 0;
  for (size_t i = 0; i < std::min(left.size(), gameLeft.size()); ++i) {
    both += left[i] * gameLeft[i];
    own += left[i] * left[i];
    theirs += gameLeft[i] * gameLeft[i];
  }
  EXPECT_LT(std::fabs(both) / std::sqrt(own * theirs), 0.2);

  std::vector<uint8_t> ogg;
  ASSERT_TRUE(MakeSound("MiniGames/Tetris/koltl01a.ogg", ogg));
  ASSERT_GT(ogg.size(), 100000u);
  EXPECT_EQ(std::memcmp(ogg.data(), "OggS", 4), 0);
}

}  // namespace
