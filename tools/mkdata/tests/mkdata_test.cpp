// SPDX-License-Identifier: GPL-3.0-or-later
// The data build driver: packs in catalogue order whatever the threads, fatal unknown names,
// the font, and the review decoders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include "assets/catalogue.h"
#include "assets/menu_catalogue.h"
#include "assets/pack_file.h"
#include "media/media.h"
#include "generators.h"
#include "mkdata_build.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder of its own for each test, removed afterwards.
class Scratch {
 public:
  explicit Scratch(const std::string& name)
      : path_(fs::temp_directory_path() / ("mkdata_test_" + name + "_" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Scratch() { fs::remove_all(path_); }
  std::string operator/(const std::string& leaf) const { return (path_ / leaf).string(); }
  std::string str() const { return path_.string(); }

 private:
  fs::path path_;
};

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::vector<uint8_t>> PackEntries(const std::string& path) {
  std::vector<std::vector<uint8_t>> entries;
  if (!OpenPackFile(path)) return entries;
  while (const uint8_t* entry = ReadNextEntry()) {
    entries.emplace_back(entry, entry + LastEntrySize());
  }
  ClosePackFile();
  return entries;
}

const CatalogueRow* FindRow(const std::string& fileName) {
  for (const CataloguePack& pack : MainCatalogue()) {
    for (const CatalogueRow& row : pack.rows) {
      if (row.fileName == fileName) return &row;
    }
  }
  return nullptr;
}

// A small catalogue of real rows: pictures in the three formats and a few sounds.
std::vector<CataloguePack> SmallCatalogue() {
  std::vector<CataloguePack> packs(2);
  packs[0].packName = "packs/maingfx.pak";
  packs[1].packName = "packs/sounds.pak";
  for (const char* name : {"gfx/pointer.png", "gfx/ball_16x16.tif", "gfx/explosion/Explosion0003.jpg",
                           "gfx/tiles/red/red0000.png"}) {
    const CatalogueRow* row = FindRow(name);
    EXPECT_NE(row, nullptr) << name;
    if (row) packs[0].rows.push_back(*row);
  }
  for (const char* name : {"sfx/bounce.wav", "sfx/zap.wav", "sfx/HAPPYBEL.WAV"}) {
    const CatalogueRow* row = FindRow(name);
    EXPECT_NE(row, nullptr) << name;
    if (row) packs[1].rows.push_back(*row);
  }
  return packs;
}

TEST(BuildPacks, WritesEveryRowInCatalogueOrderWhateverTheThreads) {
  const std::vector<CataloguePack> packs = SmallCatalogue();
  Scratch one("one"), three("three");
  BuildSummary summary;
  std::string error;
  ASSERT_TRUE(BuildPacks(packs, one.str(), 1, summary, error)) << error;
  EXPECT_EQ(summary.pictures, 4);
  EXPECT_EQ(summary.sounds, 3);
  ASSERT_EQ(summary.packBytes.size(), 2u);
  ASSERT_TRUE(BuildPacks(packs, three.str(), 3, summary, error)) << error;

  for (const CataloguePack& pack : packs) {
    SCOPED_TRACE(pack.packName);
    EXPECT_EQ(FileBytes(one / pack.packName), FileBytes(three / pack.packName));
    EXPECT_FALSE(fs::exists(one / (pack.packName + ".part")));
    const auto entries = PackEntries(one / pack.packName);
    ASSERT_EQ(entries.size(), pack.rows.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      std::vector<uint8_t> expected;
      ASSERT_TRUE(MakeAsset(pack.rows[i], expected, error)) << error;
      EXPECT_EQ(entries[i], expected) << pack.rows[i].fileName;
    }
  }
  EXPECT_EQ(summary.packBytes[0], fs::file_size(one / "packs/maingfx.pak"));
}

// The packs of a sharp display beside the normal ones: the same entries in the same order, each
// picture twice the size where its drawing allows and otherwise the normal one, a one-byte
// stand-in for each sound.
TEST(BuildPacks, TheDetailedPacksHoldEveryRowAtTwiceTheSizeWhereTheDrawingAllows) {
  const std::vector<CataloguePack> packs = SmallCatalogue();
  Scratch dir("detail");
  BuildSummary summary;
  std::string error;
  ASSERT_TRUE(BuildPacks(packs, dir.str(), 2, summary, error)) << error;
  ASSERT_EQ(summary.detailPackBytes.size(), 2u);
  EXPECT_GE(summary.detailedPictures, 3);  // the pointer, the ball and the brick are vector drawn
  const auto normal = PackEntries(dir / "packs/maingfx.pak");
  const auto large = PackEntries(dir / DetailPackName("packs/maingfx.pak"));
  ASSERT_EQ(large.size(), normal.size());
  int doubled = 0;
  for (size_t i = 0; i < large.size(); ++i) {
    cairo_surface_t* a = DecodePicture(normal[i].data(), normal[i].size());
    cairo_surface_t* b = DecodePicture(large[i].data(), large[i].size());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    const int wa = cairo_image_surface_get_width(a), wb = cairo_image_surface_get_width(b);
    const int ha = cairo_image_surface_get_height(a), hb = cairo_image_surface_get_height(b);
    EXPECT_TRUE((wb == 2 * wa && hb == 2 * ha) || (wb == wa && hb == ha)) << packs[0].rows[i].fileName;
    doubled += wb == 2 * wa;
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
  }
  EXPECT_EQ(doubled, summary.detailedPictures);
  const auto sounds = PackEntries(dir / DetailPackName("packs/sounds.pak"));
  ASSERT_EQ(sounds.size(), packs[1].rows.size());
  for (const auto& entry : sounds) EXPECT_EQ(entry.size(), 1u);

  // The brick drawn at twice the size is the same brick: brought down, it is the normal one
  // within the build's tolerance.
  const CatalogueRow* brick = FindRow("gfx/tiles/red/red0000.png");
  ASSERT_NE(brick, nullptr);
  std::vector<uint8_t> bytes;
  bool detailed = false;
  ASSERT_TRUE(MakeDetailedAsset(*brick, bytes, detailed));
  EXPECT_TRUE(detailed);
  EXPECT_EQ(PictureDetail(), 1);  // the thread draws at the normal size again
}

TEST(BuildPacks, ANameNoGeneratorMakesIsFatalAndNamed) {
  std::vector<CataloguePack> packs = SmallCatalogue();
  packs[0].rows.insert(packs[0].rows.begin() + 1, CatalogueRow{LoaderKind::texture, 1, "gfx/nothing.png", -1});
  packs[1].rows.push_back(CatalogueRow{LoaderKind::sound, 2, "sfx/nothing.wav", -1});
  Scratch dir("unknown");
  BuildSummary summary;
  std::string error;
  EXPECT_FALSE(BuildPacks(packs, dir.str(), 2, summary, error));
  // Every missing row is named, in catalogue order.
  EXPECT_NE(error.find("gfx/nothing.png"), std::string::npos) << error;
  EXPECT_GT(error.find("sfx/nothing.wav"), error.find("gfx/nothing.png")) << error;
  EXPECT_NE(error.find("sfx/nothing.wav"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(dir / "packs/maingfx.pak"));
  EXPECT_FALSE(fs::exists(dir / "packs/sounds.pak"));

  std::vector<uint8_t> bytes;
  EXPECT_FALSE(MakeAsset(CatalogueRow{LoaderKind::sound, 3, "sfx/nothing.ogg", -1}, bytes, error));
  EXPECT_NE(error.find("sfx/nothing.ogg"), std::string::npos);
}

// The menu's pack as the menu loads it: its 19 entries, each the size its place on the screen
// needs; and the pause picture as a plain file where the game looks for it.
TEST(BuildPacks, MenuPackAndPausePicture) {
  Scratch dir("menu");
  BuildSummary summary;
  std::string error;
  ASSERT_TRUE(BuildPacks({MenuCatalogue()}, dir.str(), 2, summary, error)) << error;
  EXPECT_EQ(summary.pictures, 18);
  EXPECT_EQ(summary.sounds, 1);
  const auto entries = PackEntries(dir / "packs/menu.pak");
  ASSERT_EQ(entries.size(), 19u);
  auto size = [&entries](int entry, int& w, int& h) {
    cairo_surface_t* picture = DecodePicture(entries[entry].data(), entries[entry].size());
    ASSERT_NE(picture, nullptr) << entry;
    w = cairo_image_surface_get_width(picture);
    h = cairo_image_surface_get_height(picture);
    cairo_surface_destroy(picture);
  };
  int w = 0, h = 0;
  size(14, w, h);  // the background fills the screen
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  // The pointer is shorter than the 26-pixel gap between two items, so it never hovers two.
  size(15, w, h);
  EXPECT_LE(h, 26);
  // The five items: START GAME, CREDITS, QUIT, then OPTIONS and HIGH SCORES, the last pictures
  // of the pack.
  for (int item : {6, 7, 8, 16, 17}) {
    size(item, w, h);
    EXPECT_EQ(w, 560) << item;
    EXPECT_LE(h, 70 - 26) << item;
  }
  EXPECT_EQ(std::memcmp(entries[18].data(), "RIFF", 4), 0);

  ASSERT_TRUE(WritePlainPicture(pausePictureFile, dir.str(), error)) << error;
  const std::vector<uint8_t> pause = FileBytes(dir / "gfx/gamepaused.png");
  ASSERT_GT(pause.size(), 8u);
  EXPECT_EQ(std::memcmp(pause.data(), "\x89PNG", 4), 0);
}

TEST(BuildPacks, PlacesTheFontUnderTheNameTheGameRegisters) {
  Scratch dir("font");
  const std::string source = dir / "face.otf";
  std::ofstream(source, std::ios::binary) << "not really a font, but bytes to copy";
  std::string error;
  ASSERT_TRUE(PlaceFont(source, dir / "game", error)) << error;
  EXPECT_EQ(FileBytes(dir / (std::string("game/") + designerBlockFile)), FileBytes(source));
  ASSERT_TRUE(PlaceFont(source, dir / "game", error)) << error;  // a rebuild overwrites
  EXPECT_FALSE(PlaceFont(dir / "missing.otf", dir / "game", error));
  EXPECT_NE(error.find("missing.otf"), std::string::npos);
}

// A folder that cannot be made (a plain file stands where it should go) is named with the
// system's reason, wherever the build writes.
TEST(BuildPacks, AFolderThatCannotBeMadeIsNamedWithTheSystemsReason) {
  Scratch dir("blocked");
  const std::string blocker = dir / "blocker";
  std::ofstream(blocker) << "a file, not a folder";
  const std::string game = blocker + "/game";
  const std::string reason = std::make_error_code(std::errc::not_a_directory).message();
  auto expectNamed = [&](const std::string& error, const std::string& folder) {
    EXPECT_NE(error.find("cannot make the folder " + folder + ": " + reason), std::string::npos) << error;
  };

  std::vector<CataloguePack> packs(1);
  packs[0].packName = "packs/maingfx.pak";
  packs[0].rows.push_back(*FindRow("gfx/pointer.png"));
  BuildSummary summary;
  std::string error;
  EXPECT_FALSE(BuildPacks(packs, game, 1, summary, error));
  expectNamed(error, game + "/packs");
  error.clear();
  EXPECT_FALSE(WritePlainPicture(pausePictureFile, game, error));
  expectNamed(error, game + "/gfx");
  error.clear();
  EXPECT_FALSE(PlaceFont(blocker, game, error));
  expectNamed(error, game);
  error.clear();
  EXPECT_FALSE(WriteAllContactSheets(dir.str(), game, error));
  expectNamed(error, game);
}

// ---------------------------------------------------------------- review tools

uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  uint32_t pixel;
  std::memcpy(&pixel, cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface) + x * 4,
              4);
  return pixel;
}

int Channel(uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 255);
}

// The share of a picture's 2 x 2 squares whose four pixels are not all alike: 0 for a picture
// whose pixels were only doubled.
double UnevenSquares(cairo_surface_t* large) {
  cairo_surface_flush(large);
  const int w = cairo_image_surface_get_width(large) / 2, h = cairo_image_surface_get_height(large) / 2;
  int uneven = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = PixelAt(large, 2 * x, 2 * y);
      uneven += PixelAt(large, 2 * x + 1, 2 * y) != p || PixelAt(large, 2 * x, 2 * y + 1) != p ||
                PixelAt(large, 2 * x + 1, 2 * y + 1) != p;
    }
  }
  return static_cast<double>(uneven) / (static_cast<double>(w) * h);
}

// The mean difference of a channel between a picture and one twice its size brought down.
double BroughtDownDifference(cairo_surface_t* normal, cairo_surface_t* large) {
  cairo_surface_flush(normal);
  const int w = cairo_image_surface_get_width(normal), h = cairo_image_surface_get_height(normal);
  double total = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = PixelAt(normal, x, y);
      for (int shift : {0, 8, 16, 24}) {
        int sum = 0;
        for (int d = 0; d < 4; ++d) sum += Channel(PixelAt(large, 2 * x + d % 2, 2 * y + d / 2), shift);
        total += std::abs((sum + 2) / 4 - Channel(p, shift));
      }
    }
  }
  return total / (4.0 * w * h);
}

// Pictures painted pixel by pixel from noise are painted again at twice the size, each smaller
// pixel from its own point, and still bring down to the normal picture.
TEST(BuildPacks, PixelPaintedPicturesAreDrawnFinerAtTwiceTheSize) {
  for (const char* name : {"gfx/background/water/water.jpg", "gfx\\background\\water\\water.png",
                           "gfx/background/panel_left.png", "gfx/cloudwa.jpg"}) {
    SCOPED_TRACE(name);
    cairo_surface_t* normal = DrawSceneryPicture(name);
    SetPictureDetail(2);
    cairo_surface_t* large = DrawSceneryPicture(name);
    SetPictureDetail(1);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(large, nullptr);
    ASSERT_EQ(cairo_image_surface_get_width(large), 2 * cairo_image_surface_get_width(normal));
    ASSERT_EQ(cairo_image_surface_get_height(large), 2 * cairo_image_surface_get_height(normal));
    const double uneven = UnevenSquares(large);
    EXPECT_GT(uneven, 0.2);
    const double difference = BroughtDownDifference(normal, large);
    EXPECT_LE(difference, detailTolerance);
    std::printf("%s: %.0f %% of the squares uneven, %.2f apart brought down\n", name, 100 * uneven, difference);
    cairo_surface_destroy(normal);
    cairo_surface_destroy(large);
  }
}

TEST(ReviewTools, DecodesWhatThePictureEncoderWrites) {
  // Left half opaque orange, right half half-transparent blue (premultiplied 0x80000080).
  cairo_surface_t* source = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 8);
  cairo_t* cr = cairo_create(source);
  cairo_set_source_rgb(cr, 1.0, 0.5, 0.0);
  cairo_rectangle(cr, 0, 0, 8, 8);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.0, 0.0, 1.0, 0.5);
  cairo_rectangle(cr, 8, 0, 8, 8);
  cairo_fill(cr);
  cairo_destroy(cr);

  for (const char* name : {"x.png", "x.tif", "x.jpg"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> bytes = EncodePicture(source, name);
    cairo_surface_t* decoded = DecodePicture(bytes.data(), bytes.size());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(decoded), 16);
    EXPECT_EQ(cairo_image_surface_get_height(decoded), 8);
    const bool lossy = std::strcmp(name, "x.jpg") == 0;
    const int tolerance = lossy ? 24 : 2;
    const uint32_t left = PixelAt(decoded, 2, 4), right = PixelAt(decoded, 13, 4);
    EXPECT_NEAR(Channel(left, 16), 255, tolerance);
    EXPECT_NEAR(Channel(left, 8), 128, tolerance);
    EXPECT_NEAR(Channel(left, 0), 0, tolerance);
    if (lossy) {
      // JPEG has no alpha: the blue lies over black.
      EXPECT_NEAR(Channel(right, 0), 128, tolerance);
    } else {
      EXPECT_NEAR(Channel(right, 24), 128, tolerance);
      EXPECT_NEAR(Channel(right, 0), 128, tolerance);
      EXPECT_NEAR(Channel(right, 16), 0, tolerance);
    }
    cairo_surface_destroy(decoded);
  }
  cairo_surface_destroy(source);

  const uint8_t garbage[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  EXPECT_EQ(DecodePicture(garbage, sizeof garbage), nullptr);
  const uint8_t cutPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13};
  EXPECT_EQ(DecodePicture(cutPng, sizeof cutPng), nullptr);
}

TEST(ReviewTools, ContactSheetShowsEveryPictureOfThePack) {
  const std::vector<CataloguePack> packs = SmallCatalogue();
  Scratch dir("sheet");
  BuildSummary summary;
  std::string error;
  ASSERT_TRUE(BuildPacks(packs, dir.str(), 2, summary, error)) << error;
  ASSERT_TRUE(WriteContactSheet(dir / "packs/maingfx.pak", dir / "sheet.png", 0, -1, error)) << error;
  cairo_surface_t* sheet = cairo_image_surface_create_from_png((dir / "sheet.png").c_str());
  ASSERT_EQ(cairo_surface_status(sheet), CAIRO_STATUS_SUCCESS);
  // Four pictures side by side on one row of cells.
  EXPECT_GT(cairo_image_surface_get_width(sheet), 3 * cairo_image_surface_get_height(sheet));
  cairo_surface_destroy(sheet);
  // Given the detail pack, each picture stands beside its form at twice the size: the cells are
  // twice as wide, and both halves of a cell show the same picture at one size on the sheet.
  const std::string detailPack = dir / DetailPackName("packs/maingfx.pak");
  ASSERT_TRUE(WriteContactSheet(dir / "packs/maingfx.pak", dir / "paired.png", 0, -1, error, detailPack))
      << error;
  cairo_surface_t* paired = cairo_image_surface_create_from_png((dir / "paired.png").c_str());
  ASSERT_EQ(cairo_surface_status(paired), CAIRO_STATUS_SUCCESS);
  sheet = cairo_image_surface_create_from_png((dir / "sheet.png").c_str());
  const int cell = cairo_image_surface_get_width(sheet) / 4;
  const int pairedCell = cairo_image_surface_get_width(paired) / 4;
  EXPECT_EQ(cairo_image_surface_get_height(paired), cairo_image_surface_get_height(sheet));
  EXPECT_GT(pairedCell, 2 * cell - 10);
  // The ball (the second cell): its thumbnail's pixels on the left match the left of the single
  // sheet, and the right half holds a picture of about the same colours, not the bare checker.
  const int ball = 1;
  double leftSum = 0, rightSum = 0, singleSum = 0, checkerDiff = 0;
  for (int y = 2; y < 122; ++y) {
    for (int x = 5; x < 145; ++x) {
      const uint32_t left = PixelAt(paired, ball * pairedCell + x, y);
      const uint32_t right = PixelAt(paired, ball * pairedCell + cell + x - 5, y);
      const uint32_t single = PixelAt(sheet, ball * cell + x, y);
      leftSum += Channel(left, 16) + Channel(left, 8) + Channel(left, 0);
      rightSum += Channel(right, 16) + Channel(right, 8) + Channel(right, 0);
      singleSum += Channel(single, 16) + Channel(single, 8) + Channel(single, 0);
      const int shade = Channel(right, 8);
      checkerDiff += std::min(std::abs(shade - 66), std::abs(shade - 82));  // 0.26 and 0.32 grey
    }
  }
  const double pixels = 140.0 * 120.0 * 3;
  EXPECT_NEAR(leftSum / pixels, singleSum / pixels, 0.5);
  EXPECT_NEAR(rightSum / pixels, leftSum / pixels, 4.0);
  EXPECT_GT(checkerDiff / (140.0 * 120.0), 5.0) << "the right half shows only the checker";
  cairo_surface_destroy(paired);
  cairo_surface_destroy(sheet);
  // A range of one picture makes a sheet of one cell.
  ASSERT_TRUE(WriteContactSheet(dir / "packs/maingfx.pak", dir / "one.png", 2, 1, error)) << error;
  sheet = cairo_image_surface_create_from_png((dir / "one.png").c_str());
  EXPECT_LT(cairo_image_surface_get_width(sheet), 2 * cairo_image_surface_get_height(sheet));
  cairo_surface_destroy(sheet);

  // The sound pack has no pictures; an unknown pack has no object numbers.
  EXPECT_FALSE(WriteContactSheet(dir / "packs/sounds.pak", dir / "none.png", 0, -1, error));
  fs::copy_file(dir / "packs/maingfx.pak", dir / "other.pak");
  EXPECT_FALSE(WriteContactSheet(dir / "other.pak", dir / "none.png", 0, -1, error));
  EXPECT_NE(error.find("other.pak"), std::string::npos);
}

TEST(ReviewTools, WritesEverySoundForListening) {
  Scratch dir("sounds");
  std::string error;
  ASSERT_TRUE(WriteSounds(dir.str(), error)) << error;
  int files = 0;
  for (const CataloguePack& pack : AllPacks()) {
    for (const CatalogueRow& row : pack.rows) {
      if (row.loader != LoaderKind::sound) continue;
      std::string name = row.fileName;
      std::replace(name.begin(), name.end(), '\\', '/');
      const std::vector<uint8_t> bytes = FileBytes(dir / fs::path(name).filename().string());
      if (row.fileName.ends_with(".ogg")) {
        // The music is checked in depth elsewhere; making it twice here would only cost time.
        ASSERT_GT(bytes.size(), 100000u);
        EXPECT_EQ(std::memcmp(bytes.data(), "OggS", 4), 0);
      } else {
        std::vector<uint8_t> expected;
        ASSERT_TRUE(MakeSound(row.fileName, expected));
        EXPECT_EQ(bytes, expected) << row.fileName;
      }
      ++files;
    }
  }
  // One file a sound row, nothing else in the folder; the game's own sounds at least.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.str()), fs::directory_iterator{}), files);
  EXPECT_GE(files, 18);
}

}  // namespace

namespace {

// Cairo and fontconfig keep their font caches for the life of the process; releasing them at
// the end keeps the leak checker to our own memory.
class ReleaseFontCaches : public testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

[[maybe_unused]] testing::Environment* const fontCaches =
    testing::AddGlobalTestEnvironment(new ReleaseFontCaches);

}  // namespace
