// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding from memory: PNG, JPEG, TIFF and BMP pictures made here with their own
// libraries, chosen by their magic bytes; damaged data is refused, never read past.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "media/media.h"
#include "support/jpeg_file.h"

namespace {

constexpr int width = 4;
constexpr int height = 3;

// RGBA test card: distinct colours per pixel, alpha falling along the row.
void CardPixel(int x, int y, uint8_t rgba[4]) {
  rgba[0] = static_cast<uint8_t>(x * 60);
  rgba[1] = static_cast<uint8_t>(y * 100);
  rgba[2] = static_cast<uint8_t>(200 - x * 20);
  rgba[3] = static_cast<uint8_t>(255 - x * 40);
}

int CardColour(int x, int y) {
  uint8_t p[4];
  CardPixel(x, y, p);
  return RGB(p[0], p[1], p[2]);
}

std::string MakePng() {
  std::vector<uint8_t> rgba(width * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) CardPixel(x, y, &rgba[(y * width + x) * 4]);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr));
  std::string out(size, '\0');
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr));
  out.resize(size);
  return out;
}

// A flat 16 x 16 JPEG of one colour: flat blocks survive compression almost exactly.
std::string MakeJpeg(uint8_t r, uint8_t g, uint8_t b) {
  return JpegFile(16, 16, [&](int, int, int channel) { return channel == 0 ? r : channel == 1 ? g : b; });
}

std::string MakeTiff() {
  std::string path = ::testing::TempDir() + "card.tif";
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  EXPECT_NE(tiff, nullptr);
  if (!tiff) return "";
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
  for (int y = 0; y < height; ++y) {
    uint8_t row[width * 4];
    for (int x = 0; x < width; ++x) CardPixel(x, y, &row[x * 4]);
    TIFFWriteScanline(tiff, row, y, 0);
  }
  TIFFClose(tiff);
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes));
  return bytes;
}

std::string MakeBmp() {
  std::string path = ::testing::TempDir() + "card.bmp";
  EXPECT_TRUE(CreateImage(90, width, height));
  EXPECT_TRUE(StartDrawing(drawImage, 90));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) Plot(x, y, CardColour(x, y));
  }
  StopDrawing();
  EXPECT_TRUE(SaveImage(90, path));
  FreeImage(90);
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes));
  return bytes;
}

// Every pixel of an image against the test card. TIFF hands colours over multiplied by alpha,
// so dividing it out again may be a step off.
void ExpectCard(int image, int tolerance = 0) {
  ASSERT_EQ(ImageWidth(image), width);
  ASSERT_EQ(ImageHeight(image), height);
  ASSERT_TRUE(StartDrawing(drawImage, image));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int got = Point(x, y);
      int want = CardColour(x, y);
      EXPECT_NEAR(Red(got), Red(want), tolerance) << x << "," << y;
      EXPECT_NEAR(Green(got), Green(want), tolerance) << x << "," << y;
      EXPECT_NEAR(Blue(got), Blue(want), tolerance) << x << "," << y;
    }
  }
  StopDrawing();
}

// A file header and an info header that claim 100000 x 100000 pixels, and no pixels.
// The PNG checksum over a chunk's type and data.
uint32_t PngCrc(const std::string& bytes) {
  uint32_t crc = 0xffffffffu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A well-formed PNG header for 8192 x 8192 pixels, with only a zlib header for its data.
std::string HugePng() {
  auto big32 = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  auto chunk = [&](const std::string& type, const std::string& data) {
    return big32(uint32_t(data.size())) + type + data + big32(PngCrc(type + data));
  };
  const std::string header = big32(8192) + big32(8192) + std::string("\x08\x06\0\0\0", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) +
         chunk("IDAT", "\x78\x9c") + chunk("IEND", "");
}

std::string HugeBitmap() {
  std::string bmp = "BM";
  auto put32 = [&bmp](uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i)));
  };
  put32(54);
  put32(0);
  put32(54);
  put32(40);
  put32(100000);
  put32(100000);
  bmp += std::string("\x01\x00\x18\x00", 4);
  bmp += std::string(24, '\0');
  return bmp;
}

class DecodeTest : public ::testing::Test {
 protected:
  void TearDown() override { ShutdownMedia(); }
};

TEST_F(DecodeTest, EachFormatIsRecognisedAndDecoded) {
  std::string png = MakePng();
  ASSERT_TRUE(CatchImage(1, png.data(), png.size()));
  ExpectCard(1);
  std::string tiff = MakeTiff();
  ASSERT_TRUE(CatchImage(2, tiff.data(), tiff.size()));
  ExpectCard(2, 1);
  std::string bmp = MakeBmp();
  ASSERT_TRUE(CatchImage(3, bmp.data(), bmp.size()));
  ExpectCard(3);

  std::string jpeg = MakeJpeg(200, 100, 50);
  ASSERT_TRUE(CatchImage(4, jpeg.data(), jpeg.size()));
  ASSERT_EQ(ImageWidth(4), 16);
  ASSERT_TRUE(StartDrawing(drawImage, 4));
  int colour = Point(8, 8);
  StopDrawing();
  EXPECT_NEAR(Red(colour), 200, 3);
  EXPECT_NEAR(Green(colour), 100, 3);
  EXPECT_NEAR(Blue(colour), 50, 3);
}

TEST_F(DecodeTest, SpritesKeepAlphaOnlyWhenAsked) {
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(OpenWindow(0, 0, 0, 1024, 768, "Kaldov1rent", false));
  ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
  std::string png = MakePng();
  ASSERT_TRUE(CatchSprite(5, png.data(), png.size(), spriteTexture | spriteAlpha));
  ASSERT_TRUE(CatchSprite(6, png.data(), png.size(), spriteTexture));
  ASSERT_TRUE(CreateSprite3D(5, 5));
  ASSERT_TRUE(CreateSprite3D(6, 6));
  ClearScreen(RGB(0, 0, 0));
  ASSERT_TRUE(Start3D());
  Sprite3DQuality(0);
  Sprite3DBlendingMode(5, 6);
  DisplaySprite3D(5, 0, 0);
  DisplaySprite3D(6, 0, 10);
  Stop3D();
  ASSERT_TRUE(StartDrawing());
  // Column 3 has alpha 135: about half of it shows with alpha kept.
  EXPECT_NEAR(Red(Point(3, 0)), 180 * 135 / 255, 2);
  EXPECT_EQ(Point(3, 10), CardColour(3, 0));
  StopDrawing();
}

TEST_F(DecodeTest, DamagedPicturesAreRefused) {
  std::string png = MakePng();
  std::string jpeg = MakeJpeg(10, 20, 30);
  std::string tiff = MakeTiff();
  std::string bmp = MakeBmp();
  std::vector<std::string> bad;
  for (const std::string* good : {&png, &jpeg, &tiff, &bmp}) {
    bad.push_back(good->substr(0, 8));  // the magic bytes and nothing more
    bad.push_back(good->substr(0, good->size() / 2));
  }
  std::string hugePng = png;
  hugePng[16] = '\x7F';  // width 2 thousand million, refused before any allocation
  bad.push_back(hugePng);
  bad.push_back(std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, '\xAB'));
  bad.push_back(std::string("BM") + std::string(60, '\xFF'));
  bad.push_back(std::string("GIF89a") + std::string(60, '\0'));
  bad.push_back("");
  for (std::size_t i = 0; i < bad.size(); ++i) {
    EXPECT_FALSE(CatchImage(7, bad[i].data(), bad[i].size())) << "case " << i;
    EXPECT_FALSE(CatchSprite(7, bad[i].data(), bad[i].size(), 0)) << "case " << i;
  }
  EXPECT_FALSE(IsImage(7));
  EXPECT_FALSE(IsSprite(7));
}

// The asset loader's alert names the file; the line before it says what the decoder found.
TEST_F(DecodeTest, ARefusedPictureSaysWhyOnStderr) {
  const std::string png = MakePng();
  const std::string tiff = MakeTiff();
  const struct {
    std::string bytes;
    std::string reason;  // what the line must say; empty: the codec's own words, whatever they are
  } cases[] = {{std::string("GIF89a") + std::string(60, '\0'), "neither a PNG, JPEG, TIFF nor BMP picture"},
               {HugeBitmap(), "a picture of 100000 x 100000 pixels is not taken"},
               {HugePng(), "a PNG file of 59 bytes cannot hold 8192 x 8192 pixels"},
               {png.substr(0, png.size() / 2), ""},
               {tiff.substr(0, 8), ""}};
  for (const auto& refused : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CatchSprite(7, refused.bytes.data(), refused.bytes.size(), 0));
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string opening = "Sprite 7 could not be decoded: ";
    ASSERT_EQ(said.rfind(opening, 0), 0u) << said;
    const std::string reason = said.substr(opening.size());
    EXPECT_GT(reason.size(), 2u) << said;
    EXPECT_EQ(reason.find("no reason given"), std::string::npos) << said;
    EXPECT_NE(reason.find(refused.reason), std::string::npos) << said;
  }
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(CatchImage(8, png.data(), 20));
  EXPECT_EQ(::testing::internal::GetCapturedStderr().rfind("Image 8 could not be decoded: ", 0), 0u);
}

TEST_F(DecodeTest, ABitmapDeclaringAHugePictureIsRefusedBeforeAnythingIsAllocated) {
  const std::string bmp = HugeBitmap();
  EXPECT_FALSE(CatchSprite(8, bmp.data(), bmp.size(), 0));
  EXPECT_FALSE(IsSprite(8));
}

}  // namespace
