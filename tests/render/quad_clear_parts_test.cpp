// SPDX-License-Identifier: GPL-3.0-or-later
// Quads drawn only over the visible parts of their texture: a turning star, a glow or a bar must
// give the pixels the whole quad gives (within the rounding of texture coordinates along the
// pieces' edges) while far fewer pixels go to the rasteriser; blends under which a clear texel
// still changes the target, and quads that are not parallelograms, are drawn whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "media/media.h"
#include "media/media_diagnostics.h"
#include "support/headless.h"

namespace {

constexpr int width = 480;
constexpr int height = 360;
enum { starQuad = 1, canvasSprite = 10, backdropSprite = 11 };

// Most each colour channel of one pixel may differ: a texel fetched at a coordinate rounded
// otherwise along a piece's edge.
constexpr int channelTolerance = 2;

struct Frame {
  std::vector<uint32_t> pixels;
  double quadPixels = 0;
};

class QuadClearPartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenMediaScreen(width, height);
    // A star: a soft disc and six thin rays, clear between the rays and in the corners.
    PaintSprite(starQuad, 128, 128, spriteTexture | spriteAlpha, [](int x, int y) {
      const double dx = x - 63.5, dy = y - 63.5;
      const double r = std::sqrt(dx * dx + dy * dy);
      double alpha = r < 34 ? 1 - r / 34 : 0;
      for (int ray = 0; ray < 6; ++ray) {
        const double a = ray * 3.14159265 / 3;
        const double along = dx * std::cos(a) + dy * std::sin(a);
        const double across = std::fabs(-dx * std::sin(a) + dy * std::cos(a));
        const double length = ray % 3 == 0 ? 62 : 44;
        if (along > 0 && along < length && across < 1.6) alpha = std::max(alpha, 1 - along / length);
      }
      // A hard-edged bead on the edges of the tiles about it: the filter blends it into them.
      if (x >= 104 && x < 112 && y >= 16 && y < 24) alpha = 1;
      const auto a8 = static_cast<uint32_t>(std::lround(alpha * 255));
      return a8 << 24 | (a8 ? 0xFF6030u + (x * 2 & 0xFF) : 0x123456u);
    });
    ASSERT_TRUE(CreateSprite3D(starQuad, starQuad));
    // A busy backdrop, so that a pixel changed where it should not be shows.
    PaintSprite(backdropSprite, width, height, 0,
                [](int x, int y) { return static_cast<uint32_t>((x * 7 ^ y * 5) & 0x3F3F3F); });
  }
  void TearDown() override {
    SkipClearPartsOfQuads(true);
    ShutdownMedia();
  }

  static Frame Draw(bool skipClearParts, const std::function<void()>& scene) {
    SkipClearPartsOfQuads(skipClearParts);
    DisplaySprite(backdropSprite, 0, 0);
    ResetRendererCalls();
    EXPECT_TRUE(Start3D());
    scene();
    Stop3D();
    Frame frame;
    frame.quadPixels = RendererCalls().quadPixels;
    frame.pixels = ScreenPixels(width, height);
    return frame;
  }

  static int ChannelDifference(uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift : {0, 8, 16}) {
      most = std::max(most, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
    }
    return most;
  }

  // The scene drawn whole and in visible parts: returns the share of quad pixels the parts kept.
  static double ExpectSamePicture(const std::function<void()>& scene) {
    const Frame whole = Draw(false, scene);
    const Frame parts = Draw(true, scene);
    EXPECT_EQ(whole.pixels.size(), parts.pixels.size());
    int worst = 0;
    int differing = 0;
    for (std::size_t i = 0; i < whole.pixels.size() && i < parts.pixels.size(); ++i) {
      const int difference = ChannelDifference(whole.pixels[i], parts.pixels[i]);
      worst = std::max(worst, difference);
      if (difference > 0) ++differing;
    }
    EXPECT_LE(worst, channelTolerance);
    EXPECT_LT(differing, static_cast<int>(whole.pixels.size() / 200)) << "pixels that differ at all";
    return whole.quadPixels > 0 ? parts.quadPixels / whole.quadPixels : 1;
  }
};

// Stars turning at every angle, zoomed, at fractional places, under each blend that leaves the
// screen as it was under a clear texel.
TEST_F(QuadClearPartsTest, TurningStarsGiveTheWholeQuadsPicturesFromFarFewerPixels) {
  for (const BlendPair blend : {blendAdditive, blendTransparent, blendAlphaWeightedSum}) {
    for (const int quality : {1, 0}) {
      SCOPED_TRACE(testing::Message() << "blend " << blend.sourceFactor << "/" << blend.destinationFactor
                                      << " quality " << quality);
      const double kept = ExpectSamePicture([blend, quality] {
        Sprite3DBlendingMode(blend);
        Sprite3DQuality(quality);
        for (int i = 0; i < 12; ++i) {
          ZoomSprite3D(starQuad, 60 + i * 17, 50 + i * 13);
          RotateSprite3D(starQuad, i * 31, 0);
          DisplaySprite3D(starQuad, 10 + i * 37 % 400, 5 + i * 53 % 290, 90 + i * 13);
        }
        ZoomSprite3D(starQuad, 128, 128);
        RotateSprite3D(starQuad, 0, 0);
        DisplaySprite3D(starQuad, 300, 200, 255);  // upright at its size
      });
      if (quality == 0) {
        EXPECT_EQ(kept, 1.0);  // a nearest texel could flip at a piece's edge
      } else {
        EXPECT_LT(kept, 0.6);
      }
    }
  }
}

// Under a blend that reads the target's alpha, a clear texel changes a sprite's pixels, and a
// quad whose corners are no parallelogram maps its texture per triangle: both are drawn whole.
TEST_F(QuadClearPartsTest, QuadsWhoseClearTexelsCountAreDrawnWhole) {
  const double intoSprite = ExpectSamePicture([] {
    ASSERT_TRUE(CreateSprite(canvasSprite, 200, 200, spriteTexture | spriteAlpha));
    DrawIntoSprite(canvasSprite);
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    RotateSprite3D(starQuad, 40, 0);
    DisplaySprite3D(starQuad, 20, 20, 200);
    DrawIntoSprite(-1);
    DisplaySprite(canvasSprite, 100, 100);
  });
  EXPECT_EQ(intoSprite, 1.0);
  const double trapezium = ExpectSamePicture([] {
    Sprite3DBlendingMode(blendAdditive);
    SetSprite3DCorners(starQuad, QuadCorners{{0, 128, -30, 160}, {0, 0, 128, 128}});
    DisplaySprite3D(starQuad, 150, 100, 255);
  });
  EXPECT_EQ(trapezium, 1.0);
}

}  // namespace
