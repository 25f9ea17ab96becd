// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoders working on memory blocks: PNG, JPEG, TIFF and BMP, chosen from the magic
// bytes. Every decoder returns false on data it cannot read; none of them may read outside the
// block or allocate more than the picture limits allow.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "media/media_internal.h"

namespace media {

namespace {

bool SizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= maxPictureSide && height <= maxPictureSide &&
         width * height <= maxPicturePixels;
}

bool Refuse(std::string* reason, const std::string& why) {
  if (reason) *reason = why;
  return false;
}

std::string SizeWords(int64_t width, int64_t height) {
  return "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels is not taken";
}

// Deflate turns one byte of a PNG file into at most 1032 (its longest match in two bits), and a
// picture takes at least one bit a pixel: a file too short for that much is damaged, and is
// refused before the picture's memory is taken (a 59-byte file may claim 8192 x 8192).
constexpr int64_t deflateMostExpansion = 1032;

bool PngDataCanHold(int64_t width, int64_t height, std::size_t size) {
  return width * height / 8 <= static_cast<int64_t>(size) * deflateMostExpansion;
}

// ---------------------------------------------------------------- JPEG
struct JpegError {
  jpeg_error_mgr manager;
  jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  info->err->format_message(info, error->message);
  std::longjmp(error->escape, 1);
}

// libjpeg's plain reading only warns about damaged data (a file cut short, a bad code) and goes
// on filling the picture grey; our pictures come from our own tools, so a warning means damage,
// and refusing at the first one spares decoding the rest of a picture from nothing.
void JpegRefuseWarnings(j_common_ptr info, int level) {
  if (level < 0) JpegErrorExit(info);
}

// Every Huffman-coded scan spends at least one bit on each block's first coefficient, and an
// MCU (at most 32 x 32 pixels) holds at least one block of each component: a file with fewer
// bits than the picture has MCUs is damaged, and is refused before its memory is taken.
// Arithmetic coding has no such floor.
bool JpegDataCanHold(const jpeg_decompress_struct& info, std::size_t size) {
  if (info.arith_code || info.max_h_samp_factor <= 0 || info.max_v_samp_factor <= 0) return true;
  const int64_t mcuWidth = int64_t(DCTSIZE) * info.max_h_samp_factor;
  const int64_t mcuHeight = int64_t(DCTSIZE) * info.max_v_samp_factor;
  const int64_t mcus = (int64_t(info.image_width) + mcuWidth - 1) / mcuWidth *
                       ((int64_t(info.image_height) + mcuHeight - 1) / mcuHeight);
  return mcus <= static_cast<int64_t>(size) * 8;
}

// Kept apart from DecodeJpeg so that no C++ object lives across the setjmp: the rows go into the
// caller's pixels, grown a row at a time, so a file that fails halfway has touched only the rows
// it gave.
struct JpegOutput {
  std::vector<uint32_t>* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::string* reason = nullptr;
};

bool JpegDecodeInto(const uint8_t* data, std::size_t size, JpegOutput* output) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegErrorExit;
  error.manager.emit_message = JpegRefuseWarnings;
  error.message[0] = '\0';
  if (setjmp(error.escape)) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, error.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, "a JPEG file without an image");
  }
  if (!SizeAcceptable(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, SizeWords(info.image_width, info.image_height));
  }
  if (!JpegDataCanHold(info, size)) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, "a JPEG file of " + std::to_string(size) + " bytes cannot hold " +
                                      std::to_string(info.image_width) + " x " +
                                      std::to_string(info.image_height) + " pixels");
  }
  // Blue, green, red and an opaque fourth byte: a 0xFFRRGGBB word on this little-endian machine.
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  if (!SizeAcceptable(info.output_width, info.output_height) || info.output_components != 4) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, SizeAcceptable(info.output_width, info.output_height)
                                      ? "a JPEG picture that is not RGB"
                                      : SizeWords(info.output_width, info.output_height));
  }
  output->width = static_cast<int>(info.output_width);
  output->height = static_cast<int>(info.output_height);
  const std::size_t rowPixels = static_cast<std::size_t>(output->width);
  output->pixels->clear();
  output->pixels->reserve(rowPixels * output->height);
  while (info.output_scanline < info.output_height) {
    output->pixels->resize(output->pixels->size() + rowPixels);
    auto row = reinterpret_cast<JSAMPROW>(output->pixels->data() + output->pixels->size() - rowPixels);
    if (jpeg_read_scanlines(&info, &row, 1) != 1) {
      jpeg_destroy_decompress(&info);
      return Refuse(output->reason, "a JPEG file that stops before its last row");
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// ---------------------------------------------------------------- TIFF over memory
struct TiffMemory {
  const uint8_t* data;
  toff_t size;
  toff_t position;
};

tsize_t TiffRead(thandle_t handle, tdata_t buffer, tsize_t count) {
  auto* memory = static_cast<TiffMemory*>(handle);
  if (count <= 0 || memory->position >= memory->size) return 0;
  toff_t available = memory->size - memory->position;
  toff_t wanted = static_cast<toff_t>(count);
  if (wanted > available) wanted = available;
  std::memcpy(buffer, memory->data + memory->position, wanted);
  memory->position += wanted;
  return static_cast<tsize_t>(wanted);
}

tsize_t TiffWrite(thandle_t, tdata_t, tsize_t) { return 0; }

toff_t TiffSeek(thandle_t handle, toff_t offset, int whence) {
  auto* memory = static_cast<TiffMemory*>(handle);
  toff_t base = 0;
  if (whence == SEEK_CUR) base = memory->position;
  if (whence == SEEK_END) base = memory->size;
  // libtiff passes negative relative offsets as large unsigned values; wrap-around is intended.
  memory->position = base + offset;
  return memory->position;
}

int TiffClose(thandle_t) { return 0; }
toff_t TiffSize(thandle_t handle) { return static_cast<TiffMemory*>(handle)->size; }
// The block is handed over as if mapped: libtiff then checks every tag's data against the size
// before allocating for it and reads strips in place. Without it a tag claiming millions of
// values made libtiff allocate for them and find out by reading. libtiff maps files read-only
// and never writes through a mapping it reads.
int TiffMap(thandle_t handle, tdata_t* base, toff_t* size) {
  auto* memory = static_cast<TiffMemory*>(handle);
  *base = const_cast<uint8_t*>(memory->data);
  *size = memory->size;
  return 1;
}
void TiffUnmap(thandle_t, tdata_t, toff_t) {}

int TiffQuiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// libtiff's first error message, kept as the reason instead of printed.
int TiffKeepError(TIFF*, void* kept, const char*, const char* format, va_list arguments) {
  auto* reason = static_cast<std::string*>(kept);
  if (reason->empty()) {
    char message[256];
    std::vsnprintf(message, sizeof message, format, arguments);
    *reason = message;
  }
  return 1;
}

// Every strip (or tile) lies within the file and holds data, and the strips of an uncompressed
// picture hold all its rows: libtiff would find out only while filling the picture, after its
// memory is taken.
bool TiffStripsCanHold(TIFF* tiff, uint32_t height, std::size_t size) {
  const bool tiled = TIFFIsTiled(tiff) != 0;
  const uint32_t pieces = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
  if (pieces == 0 || pieces > size) return false;
  uint64_t total = 0;
  for (uint32_t piece = 0; piece < pieces; ++piece) {
    int failed = 0;
    const uint64_t at = TIFFGetStrileOffsetWithErr(tiff, piece, &failed);
    const uint64_t bytes = TIFFGetStrileByteCountWithErr(tiff, piece, &failed);
    if (failed || bytes == 0 || at > size || bytes > size - at) return false;
    total += bytes;
  }
  uint16_t compression = COMPRESSION_NONE;
  uint16_t planar = PLANARCONFIG_CONTIG;
  uint16_t samples = 1;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  if (tiled || compression != COMPRESSION_NONE) return true;
  const uint64_t planes = planar == PLANARCONFIG_SEPARATE ? samples : 1;
  return static_cast<uint64_t>(TIFFScanlineSize64(tiff)) * height * planes <= total;
}

}  // namespace

bool DecodePng(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return Refuse(reason, image.message);
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return Refuse(reason, SizeWords(image.width, image.height));
  }
  if (!PngDataCanHold(image.width, image.height, size)) {
    png_image_free(&image);
    return Refuse(reason, "a PNG file of " + std::to_string(size) + " bytes cannot hold " +
                              std::to_string(image.width) + " x " + std::to_string(image.height) +
                              " pixels");
  }
  // BGRA bytes are 0xAARRGGBB words on this little-endian machine.
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    const std::string message = image.message;
    png_image_free(&image);
    return Refuse(reason, message);
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels = std::move(pixels);
  png_image_free(&image);
  return true;
}

bool DecodeJpeg(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  std::vector<uint32_t> pixels;
  JpegOutput output;
  output.pixels = &pixels;
  output.reason = reason;
  if (!JpegDecodeInto(data, size, &output)) return false;
  out.width = output.width;
  out.height = output.height;
  out.pixels = std::move(pixels);
  return true;
}

bool DecodeTiff(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  TiffMemory memory{data, static_cast<toff_t>(size), 0};
  std::string message;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, TiffKeepError, &message);
  TIFFOpenOptionsSetWarningHandlerExtR(options, TiffQuiet, nullptr);
  TIFF* tiff = TIFFClientOpenExt("memory", "r", &memory, TiffRead, TiffWrite, TiffSeek, TiffClose,
                                 TiffSize, TiffMap, TiffUnmap, options);
  TIFFOpenOptionsFree(options);
  if (!tiff) return Refuse(reason, message.empty() ? "not a TIFF file libtiff can open" : message);
  uint32_t width = 0;
  uint32_t height = 0;
  bool ok = TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) == 1 &&
            TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) == 1;
  if (!ok && message.empty()) message = "a TIFF file without its size";
  if (ok && !SizeAcceptable(width, height)) {
    ok = false;
    message = SizeWords(width, height);
  }
  if (ok && !TiffStripsCanHold(tiff, height, size)) {
    ok = false;
    message = "a TIFF file whose strips do not hold its " + std::to_string(width) + " x " +
              std::to_string(height) + " pixels";
  }
  // Left unfilled: libtiff writes every pixel of a picture it reads whole.
  std::unique_ptr<uint32_t[]> raster;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  if (ok) {
    raster = std::make_unique_for_overwrite<uint32_t[]>(count);
    ok = TIFFReadRGBAImageOriented(tiff, width, height, raster.get(), ORIENTATION_TOPLEFT, 1) == 1;
    if (!ok && message.empty()) message = "the TIFF image could not be read";
  }
  TIFFClose(tiff);
  if (!ok) return Refuse(reason, message);
  // libtiff packs 0xAABBGGRR with the colour multiplied by alpha; the sprites want it plain.
  std::vector<uint32_t> pixels;
  pixels.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const uint32_t p = raster[i];
    const uint32_t a = p >> 24;
    uint32_t r = p & 255;
    uint32_t g = (p >> 8) & 255;
    uint32_t b = (p >> 16) & 255;
    if (a != 0 && a != 255) {
      r = std::min(255u, (r * 255 + a / 2) / a);
      g = std::min(255u, (g * 255 + a / 2) / a);
      b = std::min(255u, (b * 255 + a / 2) / a);
    }
    pixels.push_back(a << 24 | r << 16 | g << 8 | b);
  }
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels = std::move(pixels);
  return true;
}

// What a bitmap's header declares, read before SDL allocates for it.
struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;
  int64_t bitsPerPixel = 0;
  int64_t compression = 0;
  int64_t pixelsAt = 0;  // where the rows start in the file
};

constexpr int64_t bmpRle8 = 1;
constexpr int64_t bmpRle4 = 2;

bool ReadBmpHeader(const uint8_t* data, std::size_t size, BmpHeader& header) {
  auto le16 = [data](std::size_t at) { return int64_t(data[at] | (data[at + 1] << 8)); };
  auto le32u = [data](std::size_t at) {
    return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
           uint32_t(data[at + 3]) << 24;
  };
  auto le32 = [&le32u](std::size_t at) { return int64_t(int32_t(le32u(at))); };
  if (size < 26) return false;
  header.pixelsAt = le32u(10);
  const int64_t headerSize = le32(14);
  if (headerSize == 12) {  // the old core header: 16-bit sizes, no compression
    header.width = le16(18);
    header.height = le16(20);
    header.bitsPerPixel = le16(24);
    return true;
  }
  if (headerSize < 40 || size < 34) return false;
  header.width = le32(18);
  header.height = le32(22);
  if (header.height < 0) header.height = -header.height;  // top-down rows
  header.bitsPerPixel = le16(28);
  header.compression = le32u(30);
  return true;
}

// The file size an uncompressed bitmap needs for its rows, each padded to four bytes. SDL reads
// the rows of 8 bits a pixel and more whole, padding included, but skips the padding of 1- and
// 4-bit rows without checking it is there, so the last of those may end short of it. Run-length
// bitmaps can end the picture with any pixel, and have no such floor.
bool BmpDataCanHold(const BmpHeader& header, std::size_t size) {
  if (header.compression == bmpRle8 || header.compression == bmpRle4) return true;
  const int64_t bits = header.bitsPerPixel < 8 ? header.width * header.bitsPerPixel
                                               : header.width * ((header.bitsPerPixel + 7) / 8) * 8;
  const int64_t paddedRow = (bits + 31) / 32 * 4;
  const int64_t lastRow = header.bitsPerPixel < 8 ? (bits + 7) / 8 : paddedRow;
  return header.pixelsAt + paddedRow * (header.height - 1) + lastRow <= static_cast<int64_t>(size);
}

bool DecodeBmp(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  if (size > static_cast<std::size_t>(INT32_MAX)) return Refuse(reason, "a bitmap file of 2 GB or more");
  // A malformed header must not make the loader allocate gigabytes.
  BmpHeader header;
  if (!ReadBmpHeader(data, size, header)) return Refuse(reason, "a bitmap header cut short");
  if (!SizeAcceptable(header.width, header.height)) return Refuse(reason, SizeWords(header.width, header.height));
  if (header.bitsPerPixel > 0 && !BmpDataCanHold(header, size)) {
    return Refuse(reason, "a bitmap file of " + std::to_string(size) + " bytes cannot hold " +
                              std::to_string(header.width) + " x " + std::to_string(header.height) +
                              " pixels of " + std::to_string(header.bitsPerPixel) + " bits");
  }
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!stream) return Refuse(reason, SDL_GetError());
  SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
  if (!loaded) return Refuse(reason, SDL_GetError());
  if (!SizeAcceptable(loaded->w, loaded->h)) {
    SDL_FreeSurface(loaded);
    return Refuse(reason, SizeWords(loaded->w, loaded->h));
  }
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!converted) return Refuse(reason, SDL_GetError());
  out.width = converted->w;
  out.height = converted->h;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  SDL_LockSurface(converted);
  for (int y = 0; y < out.height; ++y) {
    std::memcpy(out.pixels.data() + static_cast<std::size_t>(y) * out.width,
                static_cast<const uint8_t*>(converted->pixels) + static_cast<std::size_t>(y) * converted->pitch,
                static_cast<std::size_t>(out.width) * 4);
  }
  SDL_UnlockSurface(converted);
  SDL_FreeSurface(converted);
  return true;
}

bool DecodePicture(const void* data, std::size_t size, Picture& out, std::string* reason) {
  if (!data || size < 4) return Refuse(reason, "too short for a picture");
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0) return DecodePng(bytes, size, out, reason);
  if (bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return DecodeJpeg(bytes, size, out, reason);
  if (std::memcmp(bytes, "II*\0", 4) == 0 || std::memcmp(bytes, "MM\0*", 4) == 0) {
    return DecodeTiff(bytes, size, out, reason);
  }
  if (bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes, size, out, reason);
  return Refuse(reason, "neither a PNG, JPEG, TIFF nor BMP picture");
}

bool WriteBmp(const std::string& fileName, int width, int height, const uint32_t* pixels,
              int pitchPixels) {
  if (width <= 0 || height <= 0) return false;
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(height);
  uint8_t header[54] = {};
  auto put32 = [&header](int at, uint32_t value) {
    for (int i = 0; i < 4; ++i) header[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  header[0] = 'B';
  header[1] = 'M';
  put32(2, 54 + dataBytes);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  header[26] = 1;   // planes
  header[28] = 24;  // bits per pixel
  put32(34, dataBytes);
  put32(38, 2835);  // 72 dots per inch
  put32(42, 2835);
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
  std::vector<uint8_t> row(rowBytes, 0);
  // Rows go bottom-up.
  for (int y = height - 1; ok && y >= 0; --y) {
    const uint32_t* source = pixels + static_cast<std::size_t>(y) * pitchPixels;
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<uint8_t>(source[x]);
      row[x * 3 + 1] = static_cast<uint8_t>(source[x] >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(source[x] >> 16);
    }
    ok = std::fwrite(row.data(), 1, rowBytes, file) == rowBytes;
  }
  return std::fclose(file) == 0 && ok;
}

namespace {

bool WritePng(const std::string& fileName, int width, int height, const uint32_t* pixels,
              int pitchPixels) {
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint32_t* source = pixels + static_cast<std::size_t>(y) * pitchPixels;
    uint8_t* out = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      out[x * 3] = static_cast<uint8_t>(source[x] >> 16);
      out[x * 3 + 1] = static_cast<uint8_t>(source[x] >> 8);
      out[x * 3 + 2] = static_cast<uint8_t>(source[x]);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const bool ok = png_image_write_to_file(&image, NativePath(fileName).c_str(), 0, rgb.data(),
                                          width * 3, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace

bool WritePictureFile(const std::string& fileName, int width, int height, const uint32_t* pixels,
                      int pitchPixels) {
  const std::string png = ".png";
  const bool asPng = fileName.size() >= png.size() &&
                     fileName.compare(fileName.size() - png.size(), png.size(), png) == 0;
  return asPng ? WritePng(fileName, width, height, pixels, pitchPixels)
               : WriteBmp(fileName, width, height, pixels, pitchPixels);
}

}  // namespace media
