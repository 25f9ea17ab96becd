// SPDX-License-Identifier: GPL-3.0-or-later
// The weapon, monster and explosion pictures: every catalogue name of the family is drawn at its
// designed size, animations really change from frame to frame, the output is repeatable, and
// the pictures keep the properties the game's drawing relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "assets/catalogue.h"
#include "generators.h"

namespace {

using Picture = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Picture Draw(const std::string& name) { return Picture(DrawWeaponPicture(name), cairo_surface_destroy); }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The sizes the pictures were designed at; nullopt for names that are not ours.
std::optional<std::pair<int, int>> DesignedSize(const std::string& name) {
  if (StartsWith(name, "gfx/bonus/m/bonus_m") || StartsWith(name, "gfx/bonus/f/bonus_f")) return std::nullopt;
  if (StartsWith(name, "gfx/bonus/f/fil")) return std::pair{720, 16};
  if (name == "gfx/bonus/f/Laser.png") return std::pair{24, 16};
  if (name == "gfx/ship/laser.png") return std::pair{12, 32};
  if (StartsWith(name, "gfx/bonus/m/missile_decal_")) return std::pair{64, 64};
  if (StartsWith(name, "gfx/bonus/m/missile")) return std::pair{32, 96};
  if (name == "gfx/bonus/m/Target_text.png") return std::pair{128, 64};
  if (StartsWith(name, "gfx/bonus/m/Target_")) return std::pair{96, 96};
  if (StartsWith(name, "gfx/bonus/m/smoke_")) return std::pair{64, 64};
  if (StartsWith(name, "gfx/bonus/m/P_Tool_")) return std::pair{256, 256};
  if (StartsWith(name, "gfx/bonus/m/Ammo_")) return std::pair{256, 256};
  if (name == "gfx/bonus/m/Chaingun.png" || name == "gfx/bonus/m/GunTarget.png") return std::pair{128, 128};
  if (name == "gfx/bonus/m/ChaingunMuzzle.png" || name == "gfx/bonus/m/Bullet.png") return std::pair{64, 64};
  if (StartsWith(name, "gfx/explosion/tiles_explosion")) return std::pair{96, 96};
  if (StartsWith(name, "gfx/explosion/Explosion")) return std::pair{128, 128};
  if (StartsWith(name, "gfx/monster/")) return std::pair{64, 64};
  if (name == "gfx/strike.tif") return std::pair{1024, 768};
  return std::nullopt;
}

uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

int Alpha(cairo_surface_t* s, int x, int y) { return Pixel(s, x, y) >> 24; }

std::vector<uint8_t> Bytes(cairo_surface_t* s) {
  cairo_surface_flush(s);
  const int size = cairo_image_surface_get_stride(s) * cairo_image_surface_get_height(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  return std::vector<uint8_t>(data, data + size);
}

// Sum of the (premultiplied) colour channels, and of alpha, over the whole picture.
double Brightness(cairo_surface_t* s) {
  double sum = 0;
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
      const uint32_t p = Pixel(s, x, y);
      sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
    }
  }
  return sum;
}

double Coverage(cairo_surface_t* s) {
  double sum = 0;
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) sum += Alpha(s, x, y);
  }
  return sum;
}

std::string Frame(const std::string& prefix, int i, const std::string& suffix) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", i);
  return prefix + digits + suffix;
}

struct Animation {
  std::string prefix, suffix;
  int frames;
};

const Animation animations[] = {{"gfx/bonus/f/fil", ".png", 22},
                                {"gfx/bonus/m/missile", ".png", 32},
                                {"gfx/explosion/tiles_explosion", ".png", 31},
                                {"gfx/explosion/Explosion", ".jpg", 24},
                                {"gfx/monster/02_", ".png", 16},
                                {"gfx/monster/03_", ".png", 16},
                                {"gfx/monster/06_", ".png", 16},
                                {"gfx/monster/04_", ".png", 32},
                                {"gfx/monster/05_", ".png", 32}};

TEST(WeaponPictures, EveryCatalogueNameOfTheFamilyIsDrawnAtItsSize) {
  int drawn = 0;
  for (const CatalogueRow& row : MainCatalogue()[0].rows) {
    const auto size = DesignedSize(row.fileName);
    Picture picture = Draw(row.fileName);
    if (!size) {
      EXPECT_EQ(picture, nullptr) << row.fileName;
      continue;
    }
    ASSERT_NE(picture, nullptr) << row.fileName;
    EXPECT_EQ(cairo_surface_status(picture.get()), CAIRO_STATUS_SUCCESS) << row.fileName;
    EXPECT_EQ(cairo_image_surface_get_format(picture.get()), CAIRO_FORMAT_ARGB32) << row.fileName;
    EXPECT_EQ(cairo_image_surface_get_width(picture.get()), size->first) << row.fileName;
    EXPECT_EQ(cairo_image_surface_get_height(picture.get()), size->second) << row.fileName;
    ++drawn;
  }
  EXPECT_EQ(drawn, 248);
  EXPECT_EQ(Draw("gfx/monster/02_0016.png"), nullptr);
  EXPECT_EQ(Draw("gfx/bonus/m/Ammo_06.png"), nullptr);
}

TEST(WeaponPictures, AnimationFramesChangeAndDrawingRepeats) {
  for (const Animation& a : animations) {
    std::vector<uint8_t> first, previous;
    for (int i = 0; i < a.frames; ++i) {
      const std::string name = Frame(a.prefix, i, a.suffix);
      std::vector<uint8_t> bytes = Bytes(Draw(name).get());
      if (i > 0) EXPECT_NE(bytes, previous) << name << " repeats the frame before it";
      else first = bytes;
      previous = std::move(bytes);
    }
    EXPECT_EQ(Bytes(Draw(Frame(a.prefix, 0, a.suffix)).get()), first) << a.prefix << " is not repeatable";
  }
  for (const char* name : {"gfx/strike.tif", "gfx/bonus/m/smoke_c.png", "gfx/bonus/m/missile_decal_2.png",
                           "gfx/bonus/m/Chaingun.png", "gfx/bonus/m/Ammo_03.png"}) {
    EXPECT_EQ(Bytes(Draw(name).get()), Bytes(Draw(name).get())) << name;
  }
}

TEST(WeaponPictures, FireballsAreOpaqueOnBlackAndBurnOut) {
  double peak = 0;
  for (int i = 0; i < 24; ++i) {
    Picture p = Draw(Frame("gfx/explosion/Explosion", i, ".jpg"));
    for (auto [x, y] : {std::pair{0, 0}, {127, 0}, {0, 127}, {127, 127}}) {
      EXPECT_EQ(Pixel(p.get(), x, y), 0xFF000000u) << "frame " << i;
    }
    int translucent = 0;
    for (int y = 0; y < 128; ++y) {
      for (int x = 0; x < 128; ++x) translucent += Alpha(p.get(), x, y) != 255;
    }
    EXPECT_EQ(translucent, 0) << "frame " << i;
    const double brightness = Brightness(p.get());
    if (i <= 6) {
      EXPECT_GT(brightness, peak * 0.9) << "frame " << i << " should still be flaring";
    }
    peak = std::max(peak, brightness);
    if (i == 23) {
      EXPECT_LT(brightness, peak * 0.01) << "the last frame should be black";
    }
  }
  EXPECT_GT(peak, 128 * 128 * 60.0);
}

TEST(WeaponPictures, SpritesFadeToTransparentEdgesAndBurstsDieAway) {
  for (const CatalogueRow& row : MainCatalogue()[0].rows) {
    const auto size = DesignedSize(row.fileName);
    if (!size || row.fileName == "gfx/strike.tif" || StartsWith(row.fileName, "gfx/explosion/Explosion")) {
      continue;
    }
    Picture p = Draw(row.fileName);
    const int w = size->first - 1, h = size->second - 1;
    for (auto [x, y] : {std::pair{0, 0}, {w, 0}, {0, h}, {w, h}}) {
      EXPECT_LT(Alpha(p.get(), x, y), 16) << row.fileName << " corner " << x << "," << y;
    }
  }
  // Smoke is soft: its middle is partly see-through rather than solid.
  Picture smoke = Draw("gfx/bonus/m/smoke_a.png");
  EXPECT_GT(Alpha(smoke.get(), 32, 32), 40);
  EXPECT_LT(Alpha(smoke.get(), 32, 32), 250);
  // The burst swells and then fades to almost nothing.
  const double start = Coverage(Draw(Frame("gfx/explosion/tiles_explosion", 0, ".png")).get());
  const double middle = Coverage(Draw(Frame("gfx/explosion/tiles_explosion", 12, ".png")).get());
  const double end = Coverage(Draw(Frame("gfx/explosion/tiles_explosion", 30, ".png")).get());
  EXPECT_GT(middle, 3 * start);
  EXPECT_LT(end, middle * 0.05);
}

TEST(WeaponPictures, PicturesMatchHowTheGameUsesThem) {
  // The glider's frame follows its horizontal speed: frame 0 (moving left) banks with its left
  // side low, frame 15 with its right side low, and the bank changes steadily in between.
  auto bank = [](cairo_surface_t* s) {
    double y[2] = {0, 0}, total[2] = {0, 0};
    for (int row = 0; row < 64; ++row) {
      for (int x = 0; x < 64; ++x) {
        y[x >= 32] += row * Alpha(s, x, row);
        total[x >= 32] += Alpha(s, x, row);
      }
    }
    return y[0] / total[0] - y[1] / total[1];
  };
  double previousBank = 1e9;
  for (int i = 0; i < 16; ++i) {
    const double b = bank(Draw(Frame("gfx/monster/02_", i, ".png")).get());
    EXPECT_LT(b, previousBank) << "frame " << i;
    if (i == 0) {
      EXPECT_GT(b, 2);
    }
    if (i == 15) {
      EXPECT_LT(b, -2);
    }
    previousBank = b;
  }

  // Ammo_00 is the full gauge and every later state shows less.
  double previous = 1e18;
  for (int i = 0; i < 6; ++i) {
    const double brightness = Brightness(Draw("gfx/bonus/m/Ammo_0" + std::to_string(i) + ".png").get());
    EXPECT_LT(brightness, previous) << "Ammo_0" << i;
    previous = brightness;
  }

  // The gun turns about (64, 96); the bullets leave 94 pixels away at 20 degrees either side.
  Picture gun = Draw("gfx/bonus/m/Chaingun.png");
  EXPECT_EQ(Alpha(gun.get(), 64, 96), 255);
  const double s = std::sin(20 * M_PI / 180), c = std::cos(20 * M_PI / 180);
  for (int side = -1; side <= 1; side += 2) {
    const int x = static_cast<int>(std::lround(64 + side * 90 * s)), y = static_cast<int>(std::lround(96 - 90 * c));
    EXPECT_EQ(Alpha(gun.get(), x, y), 255) << "muzzle side " << side;
  }
  EXPECT_LT(Alpha(gun.get(), 64, 20), 16) << "nothing between the barrels";

  // The aiming cross and the bullet are drawn at (point - half size): their middle is the point.
  EXPECT_GT(Alpha(Draw("gfx/bonus/m/GunTarget.png").get(), 64, 64), 200);
  EXPECT_GT(Alpha(Draw("gfx/bonus/m/Bullet.png").get(), 32, 32), 200);

  // The needle turns about the middle of its picture and points up from it.
  Picture needle = Draw("gfx/bonus/m/P_Tool_Bar.png");
  EXPECT_GT(Alpha(needle.get(), 128, 128), 200);
  EXPECT_GT(Alpha(needle.get(), 128, 30), 200);
  EXPECT_LT(Alpha(needle.get(), 128, 226), 16);

  // The caption scrolls vertically, so its top and bottom rows must be empty to tile cleanly.
  Picture caption = Draw("gfx/bonus/m/Target_text.png");
  for (int x = 0; x < 128; ++x) {
    EXPECT_EQ(Alpha(caption.get(), x, 0), 0) << x;
    EXPECT_EQ(Alpha(caption.get(), x, 63), 0) << x;
  }
}

}  // namespace
