// SPDX-License-Identifier: GPL-3.0-or-later
// The scenery pictures: every row of the scenery packs is drawn and encodes, backgrounds fill
// their area and are opaque, the panels fit the frame, the guardian really animates, and the
// output is repeatable.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assets/scenery_catalogue.h"
#include "generators.h"

namespace {

using Picture = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Picture Draw(const std::string& name) { return Picture(DrawSceneryPicture(name), cairo_surface_destroy); }

uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

std::vector<uint8_t> Bytes(cairo_surface_t* s) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  return {data, data + cairo_image_surface_get_stride(s) * cairo_image_surface_get_height(s)};
}

int Width(const Picture& p) { return cairo_image_surface_get_width(p.get()); }
int Height(const Picture& p) { return cairo_image_surface_get_height(p.get()); }

TEST(SceneryPictures, EveryRowOfTheSceneryPacksIsDrawnAndEncoded) {
  for (const CataloguePack& pack : SceneryCatalogue()) {
    for (const CatalogueRow& row : pack.rows) {
      SCOPED_TRACE(pack.packName + " " + row.fileName);
      Picture p = Draw(row.fileName);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(cairo_surface_status(p.get()), CAIRO_STATUS_SUCCESS);
      EXPECT_FALSE(EncodePicture(p.get(), row.fileName).empty());
    }
  }
  EXPECT_EQ(Draw("gfx/background/nosuch/other.jpg"), nullptr);
  EXPECT_EQ(Draw("gfx/taron/taron8.png"), nullptr);
  EXPECT_EQ(Draw("gfx/plaque/plaque_128x128_5.png"), nullptr);
}

TEST(SceneryPictures, BackgroundsFillTheirAreaOpaqueAndThePanelsFitTheFrame) {
  for (const std::string& style : StyleNames()) {
    SCOPED_TRACE(style);
    Picture p = Draw(StylePack(style).rows.at(0).fileName);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Width(p), 740);   // from x 80 to the right panel at 820
    EXPECT_EQ(Height(p), 748);  // from y 20 to the bottom
    for (int y : {0, 374, 747}) {
      for (int x : {0, 370, 739}) EXPECT_EQ(Pixel(p.get(), x, y) >> 24, 255u);
    }
  }
  const struct { const char* name; int w, h; } panels[] = {
      {"gfx/background/panel_top.png", 740, 20},
      {"gfx/background/panel_left.png", 80, 768},
      {"gfx/background/panel_right.png", 204, 768}};
  for (const auto& panel : panels) {
    Picture p = Draw(panel.name);
    ASSERT_NE(p, nullptr) << panel.name;
    EXPECT_EQ(Width(p), panel.w) << panel.name;
    EXPECT_EQ(Height(p), panel.h) << panel.name;
  }
}

TEST(SceneryPictures, GlowsFadeToNothingAtTheirEdgesAndShineInTheMiddle) {
  for (const char* name : {"gfx/flare/centralglowFF0000.png", "gfx/flare/centralrainbow.png",
                           "gfx/flare/starFF0000_128x128.png", "gfx/mariostar.png"}) {
    Picture p = Draw(name);
    ASSERT_NE(p, nullptr) << name;
    EXPECT_EQ(Pixel(p.get(), 0, 0) >> 24, 0u) << name;
    EXPECT_GT(Pixel(p.get(), Width(p) / 2, Height(p) / 2) >> 24, 200u) << name;
  }
}

TEST(SceneryPictures, TheGuardianAnimatesAndEveryPictureIsRepeatable) {
  std::vector<std::vector<uint8_t>> frames;
  for (int i = 0; i < 8; ++i) {
    Picture frame = Draw("gfx/taron/taron" + std::to_string(i) + ".png");
    ASSERT_NE(frame, nullptr);
    frames.push_back(Bytes(frame.get()));
  }
  // No two frames of the loop are alike.
  for (int i = 0; i < 8; ++i) {
    for (int j = i + 1; j < 8; ++j) EXPECT_NE(frames[i], frames[j]) << i << " and " << j;
  }
  EXPECT_NE(Bytes(Draw("gfx/taron/taronwin.png").get()), Bytes(Draw("gfx/taron/taronlost.png").get()));
  for (const char* name : {"gfx/taron/taron3.png", "gfx/background/storm/storm.jpg",
                           "gfx\\background\\psyche\\psyche1.png"}) {
    EXPECT_EQ(Bytes(Draw(name).get()), Bytes(Draw(name).get())) << name;
  }
}

}  // namespace
