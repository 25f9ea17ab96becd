// SPDX-License-Identifier: GPL-3.0-or-later
// The credits without a screen: the text and its split, the binary files it owns up to, the
// landscape, where the camera puts a point of it on the screen, and the triangle filler that
// draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/settings.h"
#include "frontend/credits.h"
#include "frontend/credits_landscape.h"
#include "frontend/credits_raster.h"

namespace {

const std::string rule(21, '-');

// ---------------------------------------------------------------- the text

TEST(CreditsText, SplitsAtEveryLineFeedAndKeepsTheLastLine) {
  EXPECT_EQ(SplitCreditsText("a\r\nb\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitCreditsText("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitCreditsText("a\nb\r"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitCreditsText("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(SplitCreditsText("").empty());
}

TEST(CreditsText, Has138LinesAndTheLastOneIsShown) {
  const std::string text = CreditsText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 137);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 137);
  EXPECT_NE(text.back(), '\n');
  const std::vector<std::string> lines = SplitCreditsText(text);
  ASSERT_EQ(lines.size(), 138u);
  // The line after the last line feed is in the list.
  EXPECT_EQ(lines.back(), text.substr(text.rfind('\n') + 1));
  EXPECT_FALSE(lines.back().empty());
}

TEST(CreditsText, OpensWithTheTitleBlockAndKeepsTheHeadingsInOrder) {
  const std::vector<std::string> lines = SplitCreditsText(CreditsText());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "KALDOVIRENT 3");
  EXPECT_EQ(lines[1], rule);
  EXPECT_EQ(lines[2], makerName);
  const char* headings[] = {"Lead Coder :",           "Additionals coders  : ", "Gfx  :",
                            "Musics : ",              "Hidden games credits : ", "REMERCIEMENTS :",
                            "Membres de l'\xC3\xA9quipe :"};
  std::size_t at = 3;
  for (const char* heading : headings) {
    const auto found = std::find(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end(), heading);
    ASSERT_NE(found, lines.end()) << "missing or out of order: \"" << heading << "\"";
    at = static_cast<std::size_t>(found - lines.begin());
    // A heading follows a blank line, after a rule.
    EXPECT_EQ(lines[at - 1], "");
    EXPECT_EQ(lines[at - 2], rule);
  }
  // Every rule is 21 hyphens.
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '-') {
      EXPECT_EQ(line, rule);
    }
  }
}

TEST(CreditsText, CreditsTheTeamTheSideGamesAndTheFreeSoftwareWithLicences) {
  const std::vector<std::string> lines = SplitCreditsText(CreditsText());
  auto lineStartingWith = [&lines](const std::string& start) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  const auto games = std::find(lines.begin(), lines.end(), "Hidden games credits : ");
  ASSERT_NE(games, lines.end());
  for (const char* command : {"1972 :", "TETRIS :", "DUCK :", "SUGAR :"}) {
    const auto line = lineStartingWith(command);
    ASSERT_NE(line, lines.end()) << command;
    EXPECT_GT(line, games);
    EXPECT_LT(line - games, 10);
  }
  EXPECT_GE(std::count(lines.begin(), lines.end(), "The Kaldovirent team"), 6);
  // Each library is followed by its licence.
  const std::pair<const char*, const char*> software[] = {
      {"SDL2", "zlib licence"},           {"SDL2_ttf", "zlib licence"},
      {"OpenAL Soft", "LGPL-2.1 or later"}, {"libpng", "libpng licence"},
      {"libjpeg-turbo", "IJG and BSD licences"}, {"libtiff", "libtiff licence"},
      {"libogg and libvorbis", "BSD-3-Clause licence"}, {"fontconfig", "MIT-style licence"},
      {"FreeType", "FreeType licence or GPL-2"}, {"Cairo", "LGPL-2.1 or MPL-1.1"},
      {"League Spartan font", "SIL Open Font License 1.1"}, {"GoogleTest", "BSD-3-Clause licence"},
      {"Google Benchmark", "Apache License 2.0"}};
  for (const auto& [name, licence] : software) {
    const auto line = std::find(lines.begin(), lines.end(), name);
    ASSERT_NE(line, lines.end()) << name;
    ASSERT_NE(line + 1, lines.end());
    EXPECT_EQ(line[1], licence) << name;
  }
}

// The files of the source tree holding a NUL byte in their first 8000 bytes (git's own test for
// a binary file), as paths from the top; the build folders and hidden ones are left out.
std::vector<std::string> BinaryFilesInTheSources() {
  namespace fs = std::filesystem;
  const fs::path top = fs::path(__FILE__).parent_path().parent_path().parent_path();
  std::vector<std::string> found;
  for (auto it = fs::recursive_directory_iterator(top); it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() && (name.starts_with(".") || (it.depth() == 0 && name.starts_with("build")))) {
      it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file()) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::string head(8000, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (head.find('\0') != std::string::npos) {
      found.push_back(it->path().lexically_relative(top).generic_string());
    }
  }
  return found;
}

TEST(CreditsText, NamesTheOnlyBinaryFilesOurSourcesKeep) {
  const std::string text = CreditsText();
  EXPECT_EQ(text.find("no binary file"), std::string::npos);
  EXPECT_NE(text.find("recorded test games"), std::string::npos);
  EXPECT_NE(text.find("fuzz inputs"), std::string::npos);
  EXPECT_NE(text.find("README's screenshot"), std::string::npos);
  // And those are all there is: any other binary file makes that line untrue.
  int replays = 0;
  for (const std::string& path : BinaryFilesInTheSources()) {
    const bool replay = path.starts_with("tests/replays/") && path.ends_with(".rec");
    const bool fuzzInput = path.starts_with("fuzz/corpus/");
    EXPECT_TRUE(replay || fuzzInput || path == "docs/screenshot.png")
        << path << " is binary; the credits do not own up to it";
    replays += replay;
  }
  EXPECT_GT(replays, 0);
}

// ---------------------------------------------------------------- the landscape and its camera

TEST(CreditsLandscape, IsTheSameEveryTimeWithHillsBelowTheCamerasLowestPass) {
  Landscape a, b;
  BuildLandscape(a);
  BuildLandscape(b);
  ASSERT_EQ(a.heights.size(), 76u * 76u);
  EXPECT_EQ(a.heights, b.heights);
  EXPECT_EQ(a.faceColours, b.faceColours);
  ASSERT_EQ(a.faceColours.size(), 75u * 75u * 2u);
  const auto [low, high] = std::minmax_element(a.heights.begin(), a.heights.end());
  EXPECT_GE(*low, 0.0f);
  EXPECT_GT(*high - *low, 1500.0f);  // real hills and valleys
  // The camera's height is 1500 cos(t / 1500) + 4500: never below 3000.
  EXPECT_LT(*high, 3000.0f);
  // The sun lights some slopes and leaves others in shade.
  const auto [dark, bright] = std::minmax_element(a.faceColours.begin(), a.faceColours.end(),
                                                  [](uint32_t p, uint32_t q) { return (p >> 8 & 255) < (q >> 8 & 255); });
  EXPECT_GT((*bright >> 8 & 255) - (*dark >> 8 & 255), 60u);
}

TEST(CreditsLandscape, TheCameraCirclesTheCentreAboveTheHillsLookingDown) {
  CreditsCamera camera;
  for (int frame = 0; frame < 20000; ++frame) {
    const int64_t ms = frame * 40;
    StepCreditsCamera(camera, ms);
    ASSERT_LE(std::fabs(camera.x + 37500), 4000.01f) << ms;
    ASSERT_LE(std::fabs(camera.z + 37500), 4000.01f) << ms;
    ASSERT_GE(camera.y, 3000.0f - 0.01f) << ms;
    ASSERT_FLOAT_EQ(camera.pitch, -0.3490658f);
  }
  EXPECT_NEAR(camera.yaw, 20000 * 0.004f, 0.01f);
}

TEST(CreditsProjection, PutsPointsAheadOnTheScreenAndRefusesPointsBehind) {
  CreditsCamera camera{0, 1000, 0, 0, 0, 0};
  const float focal = 512 / std::tan(40 * 3.14159265f / 180);  // 80 degrees across
  float x = 0, y = 0;
  ASSERT_TRUE(ProjectToScreen(camera, 0, 1000, 5000, 1024, 768, x, y));
  EXPECT_NEAR(x, 512, 0.01);
  EXPECT_NEAR(y, 384, 0.01);
  ASSERT_TRUE(ProjectToScreen(camera, 1000, 2000, 5000, 1024, 768, x, y));
  EXPECT_NEAR(x, 512 + focal / 5, 0.01);  // right and up
  EXPECT_NEAR(y, 384 - focal / 5, 0.01);
  EXPECT_FALSE(ProjectToScreen(camera, 0, 1000, -5000, 1024, 768, x, y));

  // A quarter turn of yaw looks along +x; +z is then on the left.
  camera.yaw = 3.14159265f / 2;
  ASSERT_TRUE(ProjectToScreen(camera, 5000, 1000, 0, 1024, 768, x, y));
  EXPECT_NEAR(x, 512, 0.01);
  ASSERT_TRUE(ProjectToScreen(camera, 5000, 1000, 1000, 1024, 768, x, y));
  EXPECT_NEAR(x, 512 - focal / 5, 0.01);
}

// A camera 20 degrees above a grid point, looking down at it from 6000 units: the point lands
// in the middle of the screen, and the drawn landscape shows ground there, with sky above the
// horizon.
TEST(CreditsProjection, AGridPointSeenStraightOnIsDrawnInTheMiddle) {
  Landscape landscape;
  BuildLandscape(landscape);
  const int column = 30, row = 44;
  const float px = landscapeOrigin + column * landscapeSpacing;
  const float pz = landscapeOrigin + row * landscapeSpacing;
  const float py = LandscapeHeight(landscape, column, row);
  const float distance = 6000, down = 0.3490658f;
  CreditsCamera camera{px, py + distance * std::sin(down), pz - distance * std::cos(down), -down, 0, 0};
  float x = 0, y = 0;
  ASSERT_TRUE(ProjectToScreen(camera, px, py, pz, 1024, 768, x, y));
  EXPECT_NEAR(x, 512, 0.05);
  EXPECT_NEAR(y, 384, 0.05);

  std::vector<uint32_t> pixels(1024 * 768, 0xFFFFFFFFu);
  DrawLandscape(landscape, camera, pixels.data(), 1024, 768, 1024);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFFFFFFFFu), 0);  // every pixel drawn
  // The pixel shows one of the six faces that meet at the point, barely touched by the fog.
  const uint32_t centre = pixels[384 * 1024 + 512];
  int closest = 1 << 30;
  for (int cell : {(row - 1) * 75 + column - 1, (row - 1) * 75 + column, row * 75 + column - 1, row * 75 + column}) {
    for (int face = 0; face < 2; ++face) {
      const uint32_t lit = landscape.faceColours[cell * 2 + face];
      int difference = 0;
      for (int shift : {16, 8, 0}) difference += std::abs(static_cast<int>(centre >> shift & 255) - static_cast<int>(lit >> shift & 255));
      closest = std::min(closest, difference);
    }
  }
  EXPECT_LT(closest, 30);
  EXPECT_EQ(pixels[0], 0u);  // the sky is black overhead
}

// ---------------------------------------------------------------- the triangle filler

struct Canvas {
  static constexpr int width = 40, height = 30, guard = 8;
  std::vector<uint32_t> pixels = std::vector<uint32_t>((width + 2 * guard) * (height + 2 * guard), 0xDEADu);
  RasterTarget Target() { return RasterTarget{&pixels[guard * (width + 2 * guard) + guard], width, height, width + 2 * guard}; }
  uint32_t At(int x, int y) const { return pixels[(y + guard) * (width + 2 * guard) + x + guard]; }
};

TEST(CreditsRaster, TrianglesSharingAnEdgeCoverTheirSquareExactlyOnce) {
  Canvas first, second;
  const RasterVertex a{3.3f, 2.7f, 255, 255, 255}, b{31.6f, 4.1f, 255, 255, 255},
      c{29.2f, 27.4f, 255, 255, 255}, d{5.1f, 25.9f, 255, 255, 255};
  FillTriangle(first.Target(), a, b, c);
  FillTriangle(second.Target(), a, c, d);
  int covered = 0;
  for (int y = 0; y < Canvas::height; ++y) {
    for (int x = 0; x < Canvas::width; ++x) {
      const bool inFirst = first.At(x, y) != 0xDEADu, inSecond = second.At(x, y) != 0xDEADu;
      EXPECT_FALSE(inFirst && inSecond) << x << "," << y;
      covered += inFirst || inSecond;
    }
  }
  // The quadrilateral's area, to within its outline.
  EXPECT_NEAR(covered, 0.5 * std::fabs((b.x - d.x) * (c.y - a.y) - (c.x - a.x) * (b.y - d.y)), 30);
}

TEST(CreditsRaster, ColoursBlendBetweenTheCornersAndNothingIsWrittenOffTheTarget) {
  Canvas canvas;
  // Corners far outside the target on every side.
  FillTriangle(canvas.Target(), RasterVertex{-500, -400, 255, 0, 0}, RasterVertex{900, -10, 0, 255, 0},
               RasterVertex{20, 800, 0, 0, 255});
  const int stride = Canvas::width + 2 * Canvas::guard;
  for (int y = -Canvas::guard; y < Canvas::height + Canvas::guard; ++y) {
    for (int x = -Canvas::guard; x < Canvas::width + Canvas::guard; ++x) {
      const bool inside = x >= 0 && y >= 0 && x < Canvas::width && y < Canvas::height;
      const uint32_t p = canvas.pixels[(y + Canvas::guard) * stride + x + Canvas::guard];
      if (!inside) {
        ASSERT_EQ(p, 0xDEADu) << x << "," << y;
      }
    }
  }
  Canvas small;
  FillTriangle(small.Target(), RasterVertex{0, 0, 255, 0, 0}, RasterVertex{40, 0, 0, 255, 0},
               RasterVertex{0, 30, 0, 0, 255});
  EXPECT_GT(small.At(0, 0) >> 16 & 255, 240u);            // red at its corner
  EXPECT_GT(small.At(38, 0) >> 8 & 255, 220u);            // green towards its corner
  EXPECT_GT(small.At(0, 28) & 255, 220u);                 // blue towards its corner
  const uint32_t middle = small.At(13, 10);               // about a third of each
  for (int shift : {16, 8, 0}) EXPECT_NEAR(static_cast<int>(middle >> shift & 255), 85, 15) << shift;
  EXPECT_EQ(small.At(39, 29), 0xDEADu);                   // beyond the long edge
}

}  // namespace
