// SPDX-License-Identifier: GPL-3.0-or-later
// The arena pictures: every catalogue picture of the family is drawn at the size the game
// draws it, animations animate, the ship's layers line up, the colour-keyed and word pictures
// keep their pixel rules, and the encoders give decodable, repeatable files.
#include <gtest/gtest.h>

#include <cstdio>  // jpeglib.h needs FILE

#include <fontconfig/fontconfig.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "assets/catalogue.h"
#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "generators.h"

namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Picture = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

Picture Draw(const std::string& name) { return Picture(DrawArenaPicture(name)); }

int Width(const Picture& p) { return cairo_image_surface_get_width(p.get()); }
int Height(const Picture& p) { return cairo_image_surface_get_height(p.get()); }

// Premultiplied ARGB of one pixel.
uint32_t Pixel(const Picture& p, int x, int y) {
  cairo_surface_flush(p.get());
  uint32_t value;
  std::memcpy(&value, cairo_image_surface_get_data(p.get()) + y * cairo_image_surface_get_stride(p.get()) + x * 4, 4);
  return value;
}

int Alpha(const Picture& p, int x, int y) { return static_cast<int>(Pixel(p, x, y) >> 24); }

bool SamePixels(const Picture& a, const Picture& b) {
  if (Width(a) != Width(b) || Height(a) != Height(b)) return false;
  for (int y = 0; y < Height(a); ++y) {
    for (int x = 0; x < Width(a); ++x) {
      if (Pixel(a, x, y) != Pixel(b, x, y)) return false;
    }
  }
  return true;
}

// The pictures another generator draws (weapons, explosions, monsters, lightning).
bool IsWeaponPicture(const std::string& name) {
  auto starts = [&name](const char* prefix) { return name.rfind(prefix, 0) == 0; };
  if (starts("gfx/bonus/m/bonus_m")) return false;
  return starts("gfx/explosion/") || starts("gfx/monster/") || starts("gfx/bonus/m/") ||
         starts("gfx/bonus/f/fil") || name == "gfx/bonus/f/Laser.png" || name == "gfx/strike.tif" ||
         name == "gfx/ship/laser.png";
}

// Cairo and fontconfig keep freed patterns, font faces and the font configuration in caches
// of their own; empty them at exit so the leak checker sees only what the pictures' code
// itself failed to release.
class CairoCaches : public testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};
const testing::Environment* const cairoCaches = testing::AddGlobalTestEnvironment(new CairoCaches);

const CataloguePack& MainPack() { return MainCatalogue()[0]; }

// Size the game expects for a picture object, or {0, 0} when any size will do.
std::pair<int, int> ExpectedSize(int object) {
  if (object >= obj::brickRed && object < obj::capsuleTriple) return {64, 20};
  if (object >= obj::capsuleTriple && object < obj::letterS + 16) return {32, 32};
  if (object == obj::ball8) return {8, 8};
  if (object == obj::ball16 || object == obj::redBall) return {16, 16};
  if (object == obj::ball32) return {32, 32};
  if (object == obj::ball80) return {80, 80};
  if (object == obj::ball160) return {160, 160};
  if (object >= obj::shipLeanLeftMost && object <= obj::shipLeanRightMost) return {128, 64};
  if (object >= obj::shipBody && object <= obj::shipBodyLast) {
    const int index = object - obj::shipBody;
    return {index < 5 ? 80 + 10 * index : 130, 110};
  }
  if (object >= silverGlyphBase && object < goldGlyphBase + 256) return {64, 64};
  if (object == obj::halo || object == obj::shipEnergy) return {128, 128};
  if (object >= obj::flare && object < obj::flare + 5) return {32, 32};
  if (object == obj::panel2) return {124, 98};
  return {0, 0};
}

TEST(ArenaPictures, EveryCataloguePictureOfTheArenaIsDrawnAtItsSize) {
  int drawn = 0;
  for (const CatalogueRow& row : MainPack().rows) {
    Picture picture = Draw(row.fileName);
    if (IsWeaponPicture(row.fileName)) {
      EXPECT_EQ(picture, nullptr) << row.fileName << " belongs to the weapon pictures";
      continue;
    }
    ASSERT_NE(picture, nullptr) << row.fileName;
    ++drawn;
    EXPECT_EQ(cairo_image_surface_get_format(picture.get()), CAIRO_FORMAT_ARGB32) << row.fileName;
    const auto [w, h] = ExpectedSize(row.object);
    if (w > 0) {
      EXPECT_EQ(Width(picture), w) << row.fileName;
      EXPECT_EQ(Height(picture), h) << row.fileName;
    }
  }
  // 1 pointer, 5 balls, 11 craft, 208 bricks, 272 capsules, 11 bodies, halo, energy, door,
  // 94 glyphs, 5 flares, 2 panels, red ball, 2 word pictures.
  EXPECT_EQ(drawn, 1 + 5 + 11 + 208 + 272 + 11 + 3 + 94 + 5 + 2 + 1 + 2);
}

TEST(ArenaPictures, NamesOutsideTheFamiliesGiveNothing) {
  for (const char* name : {"gfx/tiles/red/red0016.png", "gfx/tiles/grey/grey0000.png",
                           "gfx/bonus/x/bonus_x0000.png", "gfx/ship/bouclier/Bouclier.11.png",
                           "gfx/ship/gauche/ShipOne.06g.png", "gfx/fonts/silver/silver-47.png",
                           "gfx/fonts/gold/gold-0.png", "gfx/flare_12345G.png", "gfx/ball_9x9.tif",
                           "gfx/ship/laser.png", "gfx/strike.tif", "", "sfx/zap.wav"}) {
    EXPECT_EQ(Draw(name), nullptr) << name;
  }
}

TEST(ArenaPictures, EveryAnimationFrameDiffersFromTheNext) {
  // Walk the catalogue's 16-frame families: bricks and capsules.
  const auto& rows = MainPack().rows;
  for (const CatalogueRow& row : rows) {
    const int object = row.object;
    if (object < obj::brickRed || object >= obj::letterS + 16) continue;
    const int base = object - (object - obj::brickRed) % 16;
    const int next = base + ((object - base + 1) % 16);
    const auto nextRow = std::find_if(rows.begin(), rows.end(), [next](const CatalogueRow& r) { return r.object == next; });
    ASSERT_NE(nextRow, rows.end());
    EXPECT_FALSE(SamePixels(Draw(row.fileName), Draw(nextRow->fileName)))
        << row.fileName << " and " << nextRow->fileName;
  }
}

TEST(ArenaPictures, WidestBodiesFormAnEnergyCycle) {
  // Bodies 5..10 are all full width and loop while the enlargement holds: each differs from
  // the next, and the widths before them grow by ten pixels a step.
  auto body = [](int i) {
    char name[64];
    std::snprintf(name, sizeof name, "gfx/ship/bouclier/Bouclier.%02d.png", i);
    return Draw(name);
  };
  for (int i = 5; i <= 10; ++i) {
    const int following = i == 10 ? 5 : i + 1;
    EXPECT_FALSE(SamePixels(body(i), body(following))) << i << " vs " << following;
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Width(body(i + 1)) - Width(body(i)), 10);
}

TEST(ArenaPictures, BodyBarSitsOnTheShipCentreLineUnderTheDome) {
  // The body's top is drawn 96 above the ship's centre: row 96 is the bar (opaque in the
  // middle and at both ends), the dome's skin peaks 40 rows above it, and the top rows are
  // nearly clear so the body does not hide the bricks above the ship.
  for (int i = 0; i <= 10; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "gfx/ship/bouclier/Bouclier.%02d.png", i);
    Picture body = Draw(name);
    const int w = Width(body);
    EXPECT_EQ(Alpha(body, w / 2, 96), 255) << name;
    EXPECT_EQ(Alpha(body, 4, 96), 255) << name;
    EXPECT_EQ(Alpha(body, w - 5, 96), 255) << name;
    // The skin is the first row lit across most of the width (sparks above it are small).
    int skinRow = -1;
    for (int y = 0; y < 90 && skinRow < 0; ++y) {
      int lit = 0;
      for (int x = 0; x < w; ++x) lit += Alpha(body, x, y) > 100;
      if (lit > w / 2) skinRow = y;
    }
    EXPECT_NEAR(skinRow, 56, 2) << name;
    int topAlpha = 0;
    for (int x = 0; x < w; ++x) topAlpha = std::max(topAlpha, Alpha(body, x, 0));
    EXPECT_LT(topAlpha, 64) << name;
  }
}

// Mean row of the opaque pixels in a band of columns.
double MeanInkRow(const Picture& p, int x0, int x1) {
  double sum = 0, count = 0;
  for (int y = 0; y < Height(p); ++y) {
    for (int x = x0; x < x1; ++x) {
      if (Alpha(p, x, y) > 128) {
        sum += y;
        count += 1;
      }
    }
  }
  return count > 0 ? sum / count : -1;
}

TEST(ArenaPictures, CraftBanksTowardsItsLean) {
  Picture upright = Draw("gfx/ship/ShipOne.00.png");
  EXPECT_NEAR(MeanInkRow(upright, 0, 40), MeanInkRow(upright, 88, 128), 0.5);
  double previousTilt = 0;
  for (int step = 1; step <= 5; ++step) {
    const std::string d = std::to_string(step);
    Picture left = Draw("gfx/ship/gauche/ShipOne.0" + d + "g.png");
    Picture right = Draw("gfx/ship/droite/ShipOne.0" + d + "d.png");
    // Leaning left drops the left wing; leaning right drops the right one, a little more at
    // each step.
    const double leftTilt = MeanInkRow(left, 0, 40) - MeanInkRow(left, 88, 128);
    const double rightTilt = MeanInkRow(right, 88, 128) - MeanInkRow(right, 0, 40);
    EXPECT_GT(leftTilt, previousTilt) << step;
    EXPECT_NEAR(leftTilt, rightTilt, 1.0) << step;
    previousTilt = leftTilt;
  }
}

TEST(ArenaPictures, BallsAreRoundWithClearCorners) {
  for (int size : {8, 16, 32, 80, 160}) {
    const std::string n = std::to_string(size);
    Picture ball = Draw("gfx/ball_" + n + "x" + n + ".tif");
    EXPECT_EQ(Alpha(ball, size / 2, size / 2), 255) << size;
    EXPECT_EQ(Alpha(ball, 0, 0), 0) << size;
    EXPECT_EQ(Alpha(ball, size - 1, size - 1), 0) << size;
  }
}

TEST(ArenaPictures, GlowsFadeOutToTheirEdges) {
  for (const char* name : {"gfx/halo.png", "gfx/ship/ship_energy.png", "gfx/flare_F3A80C.png"}) {
    Picture glow = Draw(name);
    const int w = Width(glow);
    EXPECT_GT(Alpha(glow, w / 2, w / 2), 0) << name;
    EXPECT_EQ(Alpha(glow, 0, 0), 0) << name;
    EXPECT_EQ(Alpha(glow, w - 1, w / 2), 0) << name;
  }
  // Flares take their tint from their names.
  Picture amber = Draw("gfx/flare_F3A80C.png");
  Picture grey = Draw("gfx/flare_7F7F7F.png");
  const uint32_t a = Pixel(amber, 16, 10), g = Pixel(grey, 16, 10);
  EXPECT_GT((a >> 16 & 255), (a & 255) + 20);  // red well above blue
  EXPECT_NEAR(static_cast<int>(g >> 16 & 255), static_cast<int>(g & 255), 2);
}

TEST(ArenaPictures, GlyphsHaveInkExceptTheSpace) {
  for (int gold = 0; gold < 2; ++gold) {
    const std::string_view order = gold ? goldGlyphOrder : silverGlyphOrder;
    const std::string prefix = gold ? "gfx/fonts/gold/gold-" : "gfx/fonts/silver/silver-";
    Picture previous;
    for (std::size_t i = 0; i < order.size(); ++i) {
      Picture glyph = Draw(prefix + std::to_string(i + 1) + ".png");
      int ink = 0, edgeInk = 0;
      for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
          if (Alpha(glyph, x, y) > 128) {
            ++ink;
            if (x < 4 || x >= 60) ++edgeInk;
          }
        }
      }
      if (order[i] == ' ') {
        EXPECT_EQ(ink, 0);
      } else {
        EXPECT_GT(ink, 40) << order[i];
        EXPECT_EQ(edgeInk, 0) << order[i] << " spills into the neighbouring glyphs";
      }
      if (previous) {
        EXPECT_FALSE(SamePixels(previous, glyph)) << order[i];
      }
      previous = std::move(glyph);
    }
  }
}

TEST(ArenaPictures, PanelIsOpaqueOrExactlyMagenta) {
  Picture panel = Draw("gfx/panel.png");
  int magenta = 0;
  for (int y = 0; y < Height(panel); ++y) {
    for (int x = 0; x < Width(panel); ++x) {
      const uint32_t p = Pixel(panel, x, y);
      ASSERT_EQ(p >> 24, 255u) << x << "," << y;
      if ((p & 0xFFFFFF) == 0xFF00FF) ++magenta;
    }
  }
  EXPECT_EQ(Pixel(panel, 0, 0), 0xFFFF00FFu);
  EXPECT_GT(magenta, 0);
  // The readout's window (13, 30, 124 x 97) lies inside the frame, not on the keyed colour.
  EXPECT_NE(Pixel(panel, 13, 30) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_NE(Pixel(panel, 136, 126) & 0xFFFFFF, 0xFF00FFu);
}

TEST(ArenaPictures, ReadoutIsOpaqueAndScrollsSeamlessly) {
  Picture readout = Draw("gfx/panel2.png");
  auto rowDifference = [&readout](int a, int b) {
    int diff = 0;
    for (int x = 0; x < 124; ++x) {
      const uint32_t p = Pixel(readout, x, a), q = Pixel(readout, x, b);
      for (int s = 0; s < 24; s += 8) diff += std::abs(static_cast<int>(p >> s & 255) - static_cast<int>(q >> s & 255));
    }
    return diff;
  };
  int largest = 0;
  for (int y = 0; y + 1 < 98; ++y) largest = std::max(largest, rowDifference(y, y + 1));
  // The seam from the last row back to the first is no harsher than any row step inside.
  EXPECT_LE(rowDifference(97, 0), largest);
  for (int y = 0; y < 98; ++y) EXPECT_EQ(Alpha(readout, 5, y), 255);
}

TEST(ArenaPictures, WordPicturesAreBlackWithWhiteLetters) {
  for (const char* name : {"gfx\\bonus.png", "gfx\\winner.png"}) {
    Picture word = Draw(name);
    ASSERT_NE(word, nullptr);
    EXPECT_LE(Width(word), 72) << name;
    int white = 0;
    for (int y = 0; y < Height(word); ++y) {
      for (int x = 0; x < Width(word); ++x) {
        const uint32_t p = Pixel(word, x, y);
        EXPECT_TRUE(p == 0xFFFFFFFFu || p == 0xFF000000u) << name << " " << x << "," << y;
        if (p == 0xFFFFFFFFu) ++white;
      }
    }
    EXPECT_GT(white, 100) << name;
  }
  EXPECT_FALSE(SamePixels(Draw("gfx\\bonus.png"), Draw("gfx\\winner.png")));
}

TEST(ArenaPictures, DrawingIsRepeatable) {
  for (const char* name : {"gfx/tiles/tp/tp0003.png", "gfx/bonus/malus/malus_0007.png",
                           "gfx/fonts/gold/gold-7.png", "gfx/ship/bouclier/Bouclier.08.png",
                           "gfx/panel2.png"}) {
    EXPECT_TRUE(SamePixels(Draw(name), Draw(name))) << name;
  }
}

// ---- Encoding ----

struct Decoded {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // straight alpha
};

Decoded DecodePng(const std::vector<uint8_t>& bytes) {
  Decoded out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return {};
  out.width = image.width;
  out.height = image.height;
  return out;
}

Decoded DecodeJpeg(const std::vector<uint8_t>& bytes) {
  Decoded out;
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), bytes.size());
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return out;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<uint8_t> row(info.output_width * 3);
  out.width = info.output_width;
  out.height = info.output_height;
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < out.width; ++x) {
      out.rgba.insert(out.rgba.end(), {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255});
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
}

struct TiffMemory {
  const std::vector<uint8_t>* bytes;
  toff_t position = 0;
};

Decoded DecodeTiff(const std::vector<uint8_t>& bytes, uint16_t& extraSample) {
  TiffMemory memory{&bytes};
  auto read = [](thandle_t h, tdata_t data, tsize_t size) -> tsize_t {
    auto* m = static_cast<TiffMemory*>(h);
    const tsize_t count = std::min<tsize_t>(size, static_cast<tsize_t>(m->bytes->size()) - static_cast<tsize_t>(m->position));
    if (count <= 0) return 0;
    std::memcpy(data, m->bytes->data() + m->position, count);
    m->position += count;
    return count;
  };
  auto write = [](thandle_t, tdata_t, tsize_t) -> tsize_t { return 0; };
  auto seek = [](thandle_t h, toff_t offset, int whence) -> toff_t {
    auto* m = static_cast<TiffMemory*>(h);
    m->position = (whence == SEEK_CUR ? m->position : whence == SEEK_END ? m->bytes->size() : 0) + offset;
    return m->position;
  };
  auto close = [](thandle_t) { return 0; };
  auto size = [](thandle_t h) -> toff_t { return static_cast<TiffMemory*>(h)->bytes->size(); };
  auto map = [](thandle_t, tdata_t*, toff_t*) { return 0; };
  auto unmap = [](thandle_t, tdata_t, toff_t) {};
  Decoded out;
  TIFF* tiff = TIFFClientOpen("test.tif", "r", &memory, read, write, seek, close, size, map, unmap);
  if (!tiff) return out;
  uint32_t w = 0, h = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
  uint16_t count = 0;
  uint16_t* samples = nullptr;
  extraSample = 0;
  if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &samples) && count == 1) extraSample = samples[0];
  // The stored samples themselves (the RGBA reading helpers of libtiff would premultiply).
  uint16_t samplesPerPixel = 0;
  TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
  if (samplesPerPixel == 4 && TIFFScanlineSize(tiff) == static_cast<tmsize_t>(w) * 4) {
    out.rgba.resize(static_cast<std::size_t>(w) * h * 4);
    bool ok = true;
    for (uint32_t y = 0; y < h && ok; ++y) ok = TIFFReadScanline(tiff, &out.rgba[y * w * 4], y, 0) == 1;
    if (ok) {
      out.width = w;
      out.height = h;
    }
  }
  TIFFClose(tiff);
  return out;
}

// Largest difference between a decoded picture, premultiplied again, and the surface.
int LargestError(const Picture& picture, const Decoded& decoded) {
  int largest = 0;
  for (int y = 0; y < decoded.height; ++y) {
    for (int x = 0; x < decoded.width; ++x) {
      const uint32_t p = Pixel(picture, x, y);
      const uint8_t* d = &decoded.rgba[(static_cast<std::size_t>(y) * decoded.width + x) * 4];
      const int a = p >> 24;
      largest = std::max(largest, std::abs(d[3] - a));
      for (int c = 0; c < 3; ++c) {
        const int expected = static_cast<int>(p >> (16 - 8 * c) & 255);
        largest = std::max(largest, std::abs((d[c] * a + 127) / 255 - expected));
      }
    }
  }
  return largest;
}

TEST(EncodePicture, PngKeepsEveryPixelAndAlpha) {
  for (const char* name : {"gfx/bonus/t/bonus_t0003.png", "gfx/halo.png", "gfx\\winner.png"}) {
    Picture picture = Draw(name);
    const std::vector<uint8_t> bytes = EncodePicture(picture.get(), name);
    ASSERT_GT(bytes.size(), 8u);
    const Decoded decoded = DecodePng(bytes);
    EXPECT_EQ(decoded.width, Width(picture)) << name;
    EXPECT_EQ(decoded.height, Height(picture)) << name;
    EXPECT_LE(LargestError(picture, decoded), 1) << name;
  }
}

TEST(EncodePicture, TiffKeepsUnassociatedAlpha) {
  for (int size : {8, 32, 160}) {
    const std::string n = std::to_string(size);
    const std::string name = "gfx/ball_" + n + "x" + n + ".tif";
    Picture ball = Draw(name);
    const std::vector<uint8_t> bytes = EncodePicture(ball.get(), name);
    uint16_t extra = 0;
    const Decoded decoded = DecodeTiff(bytes, extra);
    EXPECT_EQ(decoded.width, size);
    EXPECT_EQ(decoded.height, size);
    EXPECT_EQ(extra, EXTRASAMPLE_UNASSALPHA);
    EXPECT_LE(LargestError(ball, decoded), 1) << name;
  }
}

TEST(EncodePicture, JpegIsOpaqueAndClose) {
  // An opaque picture, as the JPEG pictures of the game are.
  Picture readout = Draw("gfx/panel2.png");
  const std::vector<uint8_t> bytes = EncodePicture(readout.get(), "gfx/readout.jpg");
  const Decoded decoded = DecodeJpeg(bytes);
  ASSERT_EQ(decoded.width, 124);
  ASSERT_EQ(decoded.height, 98);
  double total = 0;
  for (int y = 0; y < 98; ++y) {
    for (int x = 0; x < 124; ++x) {
      const uint32_t p = Pixel(readout, x, y);
      for (int c = 0; c < 3; ++c) {
        total += std::abs(decoded.rgba[(y * 124 + x) * 4 + c] - static_cast<int>(p >> (16 - 8 * c) & 255));
      }
    }
  }
  EXPECT_LT(total / (124 * 98 * 3), 8.0);
}

TEST(EncodePicture, SameSurfaceGivesSameBytes) {
  for (const char* name : {"gfx/pointer.png", "gfx/ball_16x16.tif", "gfx/panel.png"}) {
    Picture a = Draw(name), b = Draw(name);
    const std::vector<uint8_t> first = EncodePicture(a.get(), name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_EQ(first, EncodePicture(b.get(), name)) << name;
  }
  Picture a = Draw("gfx/panel2.png");
  EXPECT_EQ(EncodePicture(a.get(), "x.jpg"), EncodePicture(a.get(), "x.jpg"));
}

TEST(EncodePicture, UnknownFormatGivesNothing) {
  Picture a = Draw("gfx/pointer.png");
  EXPECT_TRUE(EncodePicture(a.get(), "gfx/pointer.bmp").empty());
  EXPECT_TRUE(EncodePicture(nullptr, "gfx/pointer.png").empty());
}

}  // namespace
