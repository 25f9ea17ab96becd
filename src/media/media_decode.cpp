// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoders working on memory blocks: PNG, JPEG, TIFF and BMP, chosen from the magic
// bytes. Every decoder returns false on data it cannot read; none of them may read outside the
// block or allocate more than the picture limits allow.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
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

void JpegSilent(j_common_ptr) {}

// Kept apart from DecodeJpeg so that no C++ object lives across the setjmp: the output rows go
// into a buffer sized by the caller through the callback.
struct JpegOutput {
  uint8_t* rgb = nullptr;
  std::vector<uint8_t>* storage = nullptr;
  int width = 0;
  int height = 0;
  std::string* reason = nullptr;
};

bool JpegDecodeInto(const uint8_t* data, std::size_t size, JpegOutput* output) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegErrorExit;
  error.manager.output_message = JpegSilent;
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
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (!SizeAcceptable(info.output_width, info.output_height) || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return Refuse(output->reason, SizeAcceptable(info.output_width, info.output_height)
                                      ? "a JPEG picture that is not RGB"
                                      : SizeWords(info.output_width, info.output_height));
  }
  output->width = static_cast<int>(info.output_width);
  output->height = static_cast<int>(info.output_height);
  output->storage->assign(static_cast<std::size_t>(output->width) * output->height * 3, 0);
  output->rgb = output->storage->data();
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = output->rgb + static_cast<std::size_t>(info.output_scanline) * output->width * 3;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
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
int TiffMap(thandle_t, tdata_t*, toff_t*) { return 0; }
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
  std::vector<uint8_t> rgb;
  JpegOutput output;
  output.storage = &rgb;
  output.reason = reason;
  if (!JpegDecodeInto(data, size, &output)) return false;
  out.width = output.width;
  out.height = output.height;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    const uint8_t* p = rgb.data() + i * 3;
    out.pixels[i] = 0xFF000000u | static_cast<uint32_t>(p[0]) << 16 |
                    static_cast<uint32_t>(p[1]) << 8 | p[2];
  }
  return true;
}

bool DecodeTiff(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  TiffMemory memory{data, static_cast<toff_t>(size), 0};
  std::string message;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, TiffKeepError, &message);
  TIFFOpenOptionsSetWarningHandlerExtR(options, TiffQuiet, nullptr);
  TIFF* tiff = TIFFClientOpenExt("memory", "rm", &memory, TiffRead, TiffWrite, TiffSeek, TiffClose,
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
  std::vector<uint32_t> raster;
  if (ok) {
    raster.resize(static_cast<std::size_t>(width) * height);
    ok = TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1) == 1;
    if (!ok && message.empty()) message = "the TIFF image could not be read";
  }
  TIFFClose(tiff);
  if (!ok) return Refuse(reason, message);
  // libtiff packs 0xAABBGGRR with the colour multiplied by alpha; the sprites want it plain.
  for (uint32_t& p : raster) {
    uint32_t a = p >> 24;
    uint32_t r = p & 255;
    uint32_t g = (p >> 8) & 255;
    uint32_t b = (p >> 16) & 255;
    if (a != 0 && a != 255) {
      r = std::min(255u, (r * 255 + a / 2) / a);
      g = std::min(255u, (g * 255 + a / 2) / a);
      b = std::min(255u, (b * 255 + a / 2) / a);
    }
    p = a << 24 | r << 16 | g << 8 | b;
  }
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels = std::move(raster);
  return true;
}

// The width and height a bitmap's header declares, read before SDL allocates for them.
bool BmpHeaderSize(const uint8_t* data, std::size_t size, int64_t& width, int64_t& height) {
  auto le16 = [data](std::size_t at) { return int64_t(data[at] | (data[at + 1] << 8)); };
  auto le32 = [data](std::size_t at) {
    return int64_t(int32_t(uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 |
                           uint32_t(data[at + 2]) << 16 | uint32_t(data[at + 3]) << 24));
  };
  if (size < 26) return false;
  const int64_t headerSize = le32(14);
  if (headerSize == 12) {  // the old core header: 16-bit sizes
    width = le16(18);
    height = le16(20);
    return true;
  }
  if (headerSize < 40) return false;
  width = le32(18);
  height = le32(22);
  if (height < 0) height = -height;  // top-down rows
  return true;
}

bool DecodeBmp(const uint8_t* data, std::size_t size, Picture& out, std::string* reason) {
  if (size > static_cast<std::size_t>(INT32_MAX)) return Refuse(reason, "a bitmap file of 2 GB or more");
  // A malformed header must not make the loader allocate gigabytes.
  int64_t declaredWidth = 0, declaredHeight = 0;
  if (!BmpHeaderSize(data, size, declaredWidth, declaredHeight)) return Refuse(reason, "a bitmap header cut short");
  if (!SizeAcceptable(declaredWidth, declaredHeight)) return Refuse(reason, SizeWords(declaredWidth, declaredHeight));
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
