// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a Cairo surface as PNG (RGBA), JPEG (RGB) or TIFF (RGBA, unassociated alpha), entirely
// in memory. Nothing time- or host-dependent goes into the files, so the same surface always
// gives the same bytes.
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "arena_common.h"
#include "generators.h"

namespace {

// The surface's pixels as straight (not premultiplied) RGBA rows, top row first.
std::vector<uint8_t> StraightRgba(cairo_surface_t* surface, int& width, int& height) {
  cairo_surface_flush(surface);
  width = cairo_image_surface_get_width(surface);
  height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
  std::vector<uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, data + y * stride + x * 4, 4);
      const uint32_t a = hasAlpha ? pixel >> 24 : 255;
      uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      for (int c = 0; c < 3; ++c) {
        const uint32_t v = (pixel >> (16 - 8 * c)) & 255;
        // Undo the premultiplication, rounding to nearest.
        out[c] = a == 0 ? 0 : static_cast<uint8_t>(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
      }
      out[3] = static_cast<uint8_t>(a);
    }
  }
  return rgba;
}

// ---- PNG ----

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void PngFlush(png_structp) {}

std::vector<uint8_t> EncodePng(cairo_surface_t* surface) {
  int width, height;
  std::vector<uint8_t> rgba = StraightRgba(surface, width, height);
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return {};
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgba[static_cast<std::size_t>(y) * width * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---- JPEG ----

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

std::vector<uint8_t> EncodeJpeg(cairo_surface_t* surface) {
  int width, height;
  const std::vector<uint8_t> rgba = StraightRgba(surface, width, height);
  // JPEG has no alpha: composite over black, which is what a premultiplied pixel already is.
  std::vector<uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
    for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = static_cast<uint8_t>((rgba[i * 4 + c] * rgba[i * 4 + 3] + 127) / 255);
  }
  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// ---- TIFF ----

// A growable in-memory file for libtiff's client procedures.
struct MemoryFile {
  std::vector<uint8_t> bytes;
  toff_t position = 0;
};

tsize_t TiffRead(thandle_t handle, tdata_t data, tsize_t size) {
  auto* file = static_cast<MemoryFile*>(handle);
  if (file->position >= file->bytes.size()) return 0;
  const tsize_t count = std::min<tsize_t>(size, static_cast<tsize_t>(file->bytes.size() - file->position));
  std::memcpy(data, file->bytes.data() + file->position, count);
  file->position += count;
  return count;
}

tsize_t TiffWrite(thandle_t handle, tdata_t data, tsize_t size) {
  auto* file = static_cast<MemoryFile*>(handle);
  if (file->position + size > file->bytes.size()) file->bytes.resize(file->position + size);
  std::memcpy(file->bytes.data() + file->position, data, size);
  file->position += size;
  return size;
}

toff_t TiffSeek(thandle_t handle, toff_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(handle);
  toff_t base = 0;
  if (whence == SEEK_CUR) base = file->position;
  else if (whence == SEEK_END) base = file->bytes.size();
  file->position = base + offset;
  return file->position;
}

int TiffClose(thandle_t) { return 0; }

toff_t TiffSize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }

int TiffMap(thandle_t, tdata_t*, toff_t*) { return 0; }

void TiffUnmap(thandle_t, tdata_t, toff_t) {}

std::vector<uint8_t> EncodeTiff(cairo_surface_t* surface) {
  int width, height;
  std::vector<uint8_t> rgba = StraightRgba(surface, width, height);
  MemoryFile file;
  TIFF* tiff = TIFFClientOpen("picture.tif", "w", &file, TiffRead, TiffWrite, TiffSeek, TiffClose,
                              TiffSize, TiffMap, TiffUnmap);
  if (!tiff) return {};
  const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(height));
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(height));
  bool ok = true;
  for (int y = 0; y < height && ok; ++y) {
    ok = TIFFWriteScanline(tiff, &rgba[static_cast<std::size_t>(y) * width * 4], y, 0) == 1;
  }
  TIFFClose(tiff);
  if (!ok) return {};
  return file.bytes;
}

}  // namespace

std::vector<uint8_t> EncodePicture(cairo_surface_t* surface, const std::string& fileName) {
  if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return {};
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return {};
  std::string lower = fileName;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (arena::EndsWith(lower, ".png")) return EncodePng(surface);
  if (arena::EndsWith(lower, ".jpg") || arena::EndsWith(lower, ".jpeg")) return EncodeJpeg(surface);
  if (arena::EndsWith(lower, ".tif") || arena::EndsWith(lower, ".tiff")) return EncodeTiff(surface);
  return {};
}
