// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding of damaged or lying files: a JPEG, TIFF or bitmap whose data cannot give the
// picture its header claims is refused at the first sign, before the picture's memory is taken,
// and the pictures our tools write still decode pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <tiffio.h>

#include "media/media_internal.h"
#include "support/jpeg_file.h"

namespace {

// A side that passes the size limits (64 million pixels) but makes a picture of 256 MB.
constexpr int claimedSide = 8000;

// Noise that compresses poorly, so a picture's data is long enough to cut.
uint8_t Noise(int x, int y, int channel) {
  return static_cast<uint8_t>((x * 73 + y * 151 + channel * 29) ^ (x * y * 7));
}

std::string MakeJpeg(int width, int height) { return JpegFile(width, height, Noise); }

// libjpeg's own reading of a whole, undamaged file, as 0xFFRRGGBB pixels.
std::vector<uint32_t> LibjpegPixels(const std::string& jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<uint8_t> row(info.output_width * 3);
  std::vector<uint32_t> pixels;
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (std::size_t x = 0; x < info.output_width; ++x) {
      pixels.push_back(0xFF000000u | uint32_t(row[x * 3]) << 16 | uint32_t(row[x * 3 + 1]) << 8 |
                       row[x * 3 + 2]);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return pixels;
}

// The same file with its frame header claiming another size.
std::string WithJpegSize(std::string jpeg, int width, int height) {
  const std::size_t frame = jpeg.find("\xFF\xC0");
  EXPECT_NE(frame, std::string::npos);
  if (frame == std::string::npos) return jpeg;
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width);
  return jpeg;
}

std::string Little16(int v) { return {char(v), char(v >> 8)}; }
std::string Little32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// A bitmap's two headers (file and 40-byte info), the rows starting right after them.
std::string BitmapHeaders(int width, int height, int bitsPerPixel, int paletteColours) {
  const uint32_t pixelsAt = 54 + paletteColours * 4;
  return "BM" + Little32(0) + Little32(0) + Little32(pixelsAt) + Little32(40) + Little32(width) +
         Little32(height) + Little16(1) + Little16(bitsPerPixel) + Little32(0) + Little32(0) +
         Little32(2835) + Little32(2835) + Little32(paletteColours) + Little32(0);
}

// A little-endian TIFF of one grey strip: its header, one directory, then strip bytes.
std::string GreyTiff(uint32_t width, uint32_t height, uint32_t stripAt, uint32_t stripBytes,
                     const std::string& strip) {
  const int entries = 8;
  auto entry = [](int tag, int type, uint32_t value) {
    return Little16(tag) + Little16(type) + Little32(1) +
           (type == 3 ? Little16(static_cast<int>(value)) + Little16(0) : Little32(value));
  };
  std::string tiff = "II" + Little16(42) + Little32(8) + Little16(entries);
  tiff += entry(256, 4, width);                 // width
  tiff += entry(257, 4, height);                // height
  tiff += entry(258, 3, 8);                     // bits a sample
  tiff += entry(259, 3, 1);                     // no compression
  tiff += entry(262, 3, 1);                     // black is zero
  tiff += entry(273, 4, stripAt);               // where the strip is
  tiff += entry(278, 4, height);                // one strip holds every row
  tiff += entry(279, 4, stripBytes);            // the strip's length
  tiff += Little32(0);                          // no next directory
  return tiff + strip;
}

// Where GreyTiff's strip starts: 8 bytes of header, 2 + 8 * 12 + 4 of directory.
constexpr uint32_t greyTiffStripAt = 8 + 2 + 8 * 12 + 4;

TEST(PictureLimits, AJpegFileTooShortForItsClaimedSizeIsRefusedBeforeDecoding) {
  const std::string small = MakeJpeg(16, 16);
  const std::string claiming = WithJpegSize(small, claimedSide, claimedSide);
  media::Picture picture;
  std::string reason;
  EXPECT_FALSE(media::DecodePicture(claiming.data(), claiming.size(), picture, &reason));
  EXPECT_NE(reason.find("cannot hold 8000 x 8000 pixels"), std::string::npos) << reason;
  EXPECT_TRUE(picture.pixels.empty());
}

TEST(PictureLimits, ACutJpegIsRefusedNotFilledGrey) {
  const std::string whole = MakeJpeg(64, 64);
  media::Picture picture;
  ASSERT_TRUE(media::DecodePicture(whole.data(), whole.size(), picture));
  for (const std::size_t kept : {whole.size() * 3 / 4, whole.size() - 2}) {
    const std::string cut = whole.substr(0, kept);
    std::string reason;
    EXPECT_FALSE(media::DecodePicture(cut.data(), cut.size(), picture, &reason)) << kept;
    EXPECT_FALSE(reason.empty());
  }
}

TEST(PictureLimits, AWholeJpegDecodesAsLibjpegReadsIt) {
  for (const auto& [width, height] : {std::pair{64, 48}, std::pair{37, 21}, std::pair{1, 1}}) {
    const std::string jpeg = MakeJpeg(width, height);
    media::Picture picture;
    std::string reason;
    ASSERT_TRUE(media::DecodePicture(jpeg.data(), jpeg.size(), picture, &reason)) << reason;
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    EXPECT_EQ(picture.pixels, LibjpegPixels(jpeg)) << width << " x " << height;
  }
}

TEST(PictureLimits, ABitmapShorterThanItsRowsIsRefusedBeforeAllocating) {
  media::Picture picture;
  std::string reason;
  const std::string huge = BitmapHeaders(claimedSide, claimedSide, 24, 0);
  EXPECT_FALSE(media::DecodePicture(huge.data(), huge.size(), picture, &reason));
  EXPECT_EQ(reason, "a bitmap file of 54 bytes cannot hold 8000 x 8000 pixels of 24 bits");

  // Three rows of 5 pixels at 24 bits take 16 bytes each, padding included: one byte short.
  const std::string rows(3 * 16 - 1, '\x40');
  const std::string short24 = BitmapHeaders(5, 3, 24, 0) + rows;
  EXPECT_FALSE(media::DecodePicture(short24.data(), short24.size(), picture, &reason));
  EXPECT_NE(reason.find("cannot hold 5 x 3 pixels"), std::string::npos) << reason;
  const std::string whole24 = short24 + '\x40';
  ASSERT_TRUE(media::DecodePicture(whole24.data(), whole24.size(), picture, &reason)) << reason;
  EXPECT_EQ(picture.pixels, std::vector<uint32_t>(15, 0xFF404040u));
}

TEST(PictureLimits, AOneBitBitmapMayEndWithoutItsLastRowsPadding) {
  // Two colours, three rows of 10 pixels: two bytes of pixels and two of padding a row.
  const std::string palette = Little32(0x000000) + Little32(0xFFFFFF);
  const std::string row = std::string("\xFF\xC0", 2);
  const std::string padding(2, '\0');
  const std::string bitmap = BitmapHeaders(10, 3, 1, 2) + palette + row + padding + row + padding + row;
  media::Picture picture;
  std::string reason;
  ASSERT_TRUE(media::DecodePicture(bitmap.data(), bitmap.size(), picture, &reason)) << reason;
  EXPECT_EQ(picture.width, 10);
  EXPECT_EQ(picture.pixels, std::vector<uint32_t>(30, 0xFFFFFFFFu));
  const std::string cut = bitmap.substr(0, bitmap.size() - 1);
  EXPECT_FALSE(media::DecodePicture(cut.data(), cut.size(), picture, &reason));
}

TEST(PictureLimits, ATiffWhoseStripIsNotInTheFileIsRefusedBeforeAllocating) {
  media::Picture picture;
  std::string reason;
  const uint32_t side = claimedSide;
  const std::string pastTheEnd = GreyTiff(side, side, 1000, side * side, "");
  EXPECT_FALSE(media::DecodePicture(pastTheEnd.data(), pastTheEnd.size(), picture, &reason));
  EXPECT_EQ(reason, "a TIFF file whose strips do not hold its 8000 x 8000 pixels");

  // A strip inside the file but far shorter than 8000 rows of 8000 bytes.
  const std::string tooShort = GreyTiff(side, side, greyTiffStripAt, 16, std::string(16, '\x80'));
  EXPECT_FALSE(media::DecodePicture(tooShort.data(), tooShort.size(), picture, &reason));
  EXPECT_EQ(reason, "a TIFF file whose strips do not hold its 8000 x 8000 pixels");

  const std::string whole = GreyTiff(4, 4, greyTiffStripAt, 16, std::string(16, '\x80'));
  ASSERT_TRUE(media::DecodePicture(whole.data(), whole.size(), picture, &reason)) << reason;
  EXPECT_EQ(picture.pixels, std::vector<uint32_t>(16, 0xFF808080u));
}

// libtiff reads the block in place; a big-endian file has its samples swapped on the way.
TEST(PictureLimits, TiffFilesOfEitherByteOrderDecode) {
  for (const char* mode : {"wl", "wb"}) {
    const std::string path = ::testing::TempDir() + "order.tif";
    TIFF* tiff = TIFFOpen(path.c_str(), mode);
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 5);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 3);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
    for (uint32_t y = 0; y < 3; ++y) {
      uint16_t row[5 * 3];
      for (int x = 0; x < 5; ++x) {
        for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<uint16_t>(Noise(x, y, c) * 257);
      }
      TIFFWriteScanline(tiff, row, y, 0);
    }
    TIFFClose(tiff);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    media::Picture picture;
    std::string reason;
    ASSERT_TRUE(media::DecodePicture(bytes.data(), bytes.size(), picture, &reason)) << mode << reason;
    ASSERT_EQ(picture.pixels.size(), 15u);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const uint32_t want = 0xFF000000u | uint32_t(Noise(x, y, 0)) << 16 |
                              uint32_t(Noise(x, y, 1)) << 8 | Noise(x, y, 2);
        EXPECT_EQ(picture.pixels[y * 5 + x], want) << mode << " " << x << "," << y;
      }
    }
  }
}

}  // namespace
