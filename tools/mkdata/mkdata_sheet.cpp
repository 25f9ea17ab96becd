// SPDX-License-Identifier: GPL-3.0-or-later
// Review tools: decoding the pictures of a pack back and laying them out on a contact sheet.
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>
#include <tiffio.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <filesystem>

#include "assets/pack_file.h"
#include "mkdata_build.h"


namespace {

// ---------------------------------------------------------------- PNG

struct ByteReader {
  const uint8_t* data;
  std::size_t size;
  std::size_t at;
};

cairo_status_t ReadPngBytes(void* closure, unsigned char* out, unsigned int length) {
  ByteReader& reader = *static_cast<ByteReader*>(closure);
  if (reader.size - reader.at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader.data + reader.at, length);
  reader.at += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* DecodePng(const uint8_t* data, std::size_t size) {
  ByteReader reader{data, size, 0};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadPngBytes, &reader);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return surface;
}

// ---------------------------------------------------------------- JPEG

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
};

void JpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1);
}

void JpegQuiet(j_common_ptr, int) {}

cairo_surface_t* DecodeJpeg(const uint8_t* data, std::size_t size) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  error.manager.emit_message = JpegQuiet;
  cairo_surface_t* surface = nullptr;
  if (setjmp(error.escape)) {
    jpeg_destroy_decompress(&info);
    if (surface) cairo_surface_destroy(surface);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<uint8_t> row(static_cast<std::size_t>(width) * 3);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = 0xFF000000u | uint32_t(row[x * 3]) << 16 | uint32_t(row[x * 3 + 1]) << 8 |
                             uint32_t(row[x * 3 + 2]);
      std::memcpy(pixels + y * stride + x * 4, &pixel, 4);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  cairo_surface_mark_dirty(surface);
  return surface;
}

// ---------------------------------------------------------------- TIFF

tsize_t TiffRead(thandle_t handle, tdata_t out, tsize_t length) {
  ByteReader& reader = *static_cast<ByteReader*>(handle);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), reader.size - reader.at);
  std::memcpy(out, reader.data + reader.at, n);
  reader.at += n;
  return static_cast<tsize_t>(n);
}

tsize_t TiffWrite(thandle_t, tdata_t, tsize_t) { return 0; }

toff_t TiffSeek(thandle_t handle, toff_t offset, int whence) {
  ByteReader& reader = *static_cast<ByteReader*>(handle);
  uint64_t base = whence == SEEK_CUR ? reader.at : whence == SEEK_END ? reader.size : 0;
  const uint64_t target = base + offset;
  if (target > reader.size) return static_cast<toff_t>(-1);
  reader.at = static_cast<std::size_t>(target);
  return reader.at;
}

int TiffClose(thandle_t) { return 0; }
toff_t TiffSize(thandle_t handle) { return static_cast<ByteReader*>(handle)->size; }
int TiffMap(thandle_t, tdata_t*, toff_t*) { return 0; }
void TiffUnmap(thandle_t, tdata_t, toff_t) {}

cairo_surface_t* DecodeTiff(const uint8_t* data, std::size_t size) {
  ByteReader reader{data, size, 0};
  TIFF* tiff = TIFFClientOpen("pack entry", "rm", &reader, TiffRead, TiffWrite, TiffSeek, TiffClose,
                              TiffSize, TiffMap, TiffUnmap);
  if (!tiff) return nullptr;
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  if (width == 0 || height == 0 || width > 16384 || height > 16384) {
    TIFFClose(tiff);
    return nullptr;
  }
  std::vector<uint32_t> raster(static_cast<std::size_t>(width) * height);
  // libtiff hands back premultiplied RGBA, bytes R, G, B, A in each word's low-to-high order.
  const int ok = TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0);
  TIFFClose(tiff);
  if (!ok) return nullptr;
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t abgr = raster[y * width + x];
      const uint32_t argb = (TIFFGetA(abgr) << 24) | (TIFFGetR(abgr) << 16) | (TIFFGetG(abgr) << 8) |
                            TIFFGetB(abgr);
      std::memcpy(pixels + y * stride + x * 4, &argb, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

bool StartsWith(const uint8_t* data, std::size_t size, const char* magic, std::size_t length) {
  return size >= length && std::memcmp(data, magic, length) == 0;
}

// ---------------------------------------------------------------- the sheet

constexpr int cellWidth = 150, cellHeight = 152, thumbWidth = 140, thumbHeight = 120;
// A cell of a pack and its detail pack: the picture at its size, then the one drawn at twice the
// size, at the same size on the sheet, so the finer drawing shows beside the normal one.
constexpr int pairedCellWidth = 2 * cellWidth - 5;
constexpr int columnsOfCells = 12, columnsOfPairs = 6;

void DrawChecker(cairo_t* cr, double x, double y) {
  for (int cy = 0; cy < thumbHeight; cy += 10) {
    for (int cx = 0; cx < thumbWidth; cx += 10) {
      const double shade = ((cx + cy) / 10) % 2 ? 0.26 : 0.32;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x + cx, y + cy, 10, 10);
      cairo_fill(cr);
    }
  }
}

void DrawCross(cairo_t* cr, double x, double y) {
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + thumbWidth, y + thumbHeight);
  cairo_move_to(cr, x + thumbWidth, y);
  cairo_line_to(cr, x, y + thumbHeight);
  cairo_stroke(cr);
}

// One thumbnail on its checker at (x, y): the picture scaled by scale, or a red cross for none.
void DrawThumb(cairo_t* cr, double x, double y, cairo_surface_t* picture, double scale) {
  DrawChecker(cr, x, y);
  if (!picture) {
    DrawCross(cr, x, y);
    return;
  }
  const int w = cairo_image_surface_get_width(picture);
  const int h = cairo_image_surface_get_height(picture);
  cairo_save(cr);
  cairo_translate(cr, x + (thumbWidth - w * scale) / 2, y + (thumbHeight - h * scale) / 2);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, picture, 0, 0);
  // Small pictures are enlarged pixel for pixel so their detail can be judged.
  cairo_pattern_set_filter(cairo_get_source(cr), scale > 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

// The scale that fits a picture of that size in a thumbnail, at most 8.
double ThumbScale(int width, int height) {
  return std::min({double(thumbWidth) / width, double(thumbHeight) / height, 8.0});
}

void DrawLabel(cairo_t* cr, double x, double y, int object, const std::string& size, const std::string& name) {
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  cairo_set_source_rgb(cr, 1.0, 0.85, 0.3);
  cairo_move_to(cr, x + 5, y + thumbHeight + 14);
  cairo_show_text(cr, (std::to_string(object) + "  " + size).c_str());
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 9);
  cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
  cairo_move_to(cr, x + 5, y + thumbHeight + 26);
  std::string shown = name;
  if (shown.size() > 26) shown = "..." + shown.substr(shown.size() - 23);
  cairo_show_text(cr, shown.c_str());
}

std::string SizeText(cairo_surface_t* picture) {
  if (!picture) return "undecodable";
  return std::to_string(cairo_image_surface_get_width(picture)) + "x" +
         std::to_string(cairo_image_surface_get_height(picture));
}

void DrawCell(cairo_t* cr, double x, double y, cairo_surface_t* picture, int object,
              const std::string& name) {
  const double scale = picture ? ThumbScale(cairo_image_surface_get_width(picture),
                                            cairo_image_surface_get_height(picture))
                               : 1.0;
  DrawThumb(cr, x + 5, y + 2, picture, scale);
  DrawLabel(cr, x, y, object, SizeText(picture), name);
}

// The picture and its detail side by side. The detail is drawn at half the picture's scale, so
// both stand the same size; one that is not twice the picture's size (the normal picture kept
// where the drawing has no larger form) is said so under it.
void DrawPairedCell(cairo_t* cr, double x, double y, cairo_surface_t* picture, cairo_surface_t* detail,
                    int object, const std::string& name) {
  DrawCell(cr, x, y, picture, object, name);
  const double right = x + cellWidth;
  if (!picture) {
    DrawThumb(cr, right, y + 2, nullptr, 1.0);
    return;
  }
  if (!detail) detail = picture;  // a stand-in: the picture has only its normal size
  const int w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
  const bool doubled =
      cairo_image_surface_get_width(detail) == 2 * w && cairo_image_surface_get_height(detail) == 2 * h;
  const double scale = ThumbScale(w, h);
  DrawThumb(cr, right, y + 2, detail, doubled ? scale / 2 : scale);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  cairo_set_source_rgb(cr, doubled ? 0.5 : 1.0, doubled ? 0.9 : 0.45, doubled ? 1.0 : 0.3);
  cairo_move_to(cr, right, y + thumbHeight + 14);
  cairo_show_text(cr, doubled ? ("2x  " + SizeText(detail)).c_str() : "normal size only");
}

bool IsPictureName(const std::string& name) {
  const std::string ext = std::filesystem::path(name).extension().string();
  return ext == ".png" || ext == ".jpg" || ext == ".tif";
}

}  // namespace

cairo_surface_t* DecodePicture(const uint8_t* data, std::size_t size) {
  if (StartsWith(data, size, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(data, size);
  if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return DecodeJpeg(data, size);
  if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4)) {
    return DecodeTiff(data, size);
  }
  return nullptr;
}

namespace {

struct Cell {
  cairo_surface_t* picture;
  cairo_surface_t* detail;
  int object;
  std::string name;
};

// The decoded pictures of a pack's entries first .. first + count - 1 (count < 0: to the end), in
// order, with their rows' names; entries of rows that are not pictures are left out. False, with
// the reason in error, when the pack cannot be opened.
bool ReadCells(const std::string& packPath, const CataloguePack& pack, int first, int count,
               std::vector<Cell>& cells, int& undecodable, std::string& error) {
  cells.clear();
  if (!OpenPackFile(packPath)) {
    error = "cannot open " + packPath;
    return false;
  }
  for (int index = 0;; ++index) {
    const uint8_t* entry = ReadNextEntry();
    if (!entry) break;
    if (index < first || (count >= 0 && index >= first + count)) continue;
    const bool known = index < static_cast<int>(pack.rows.size());
    const std::string name = known ? pack.rows[index].fileName : "(not in the catalogue)";
    if (known && !IsPictureName(name)) continue;
    // A detail pack's one-byte stand-in (an image of 2D drawing has no larger form) is no fault.
    if (LastEntrySize() <= 1) {
      cells.push_back({nullptr, nullptr, known ? pack.rows[index].object : -1, name});
      continue;
    }
    cairo_surface_t* picture = DecodePicture(entry, static_cast<std::size_t>(LastEntrySize()));
    if (!picture) {
      ++undecodable;
      std::fprintf(stderr, "mkdata: entry %d of %s (%s) does not decode\n", index, packPath.c_str(),
                   name.c_str());
    }
    cells.push_back({picture, nullptr, known ? pack.rows[index].object : -1, name});
  }
  ClosePackFile();
  return true;
}

}  // namespace

bool WriteContactSheet(const std::string& packPath, const std::string& outPng, int first, int count,
                       std::string& error, const std::string& detailPackPath) {
  const CataloguePack* pack = nullptr;
  const std::string packFile = std::filesystem::path(packPath).filename().string();
  for (const CataloguePack& p : AllPacks()) {
    if (std::filesystem::path(p.packName).filename().string() == packFile) pack = &p;
  }
  if (!pack) {
    error = packPath + " is not one of the catalogue's packs";
    return false;
  }
  int undecodable = 0;
  std::vector<Cell> cells;
  if (!ReadCells(packPath, *pack, first, count, cells, undecodable, error)) return false;
  const bool paired = !detailPackPath.empty();
  if (paired) {
    // The same entries of the detail pack, matched by their place; a short pack leaves crosses.
    std::vector<Cell> details;
    if (!ReadCells(detailPackPath, *pack, first, count, details, undecodable, error)) {
      for (Cell& cell : cells) {
        if (cell.picture) cairo_surface_destroy(cell.picture);
      }
      return false;
    }
    for (std::size_t i = 0; i < details.size(); ++i) {
      if (i < cells.size()) cells[i].detail = details[i].picture;
      else if (details[i].picture) cairo_surface_destroy(details[i].picture);
    }
  }
  if (cells.empty()) {
    error = "no pictures in that range of " + packPath;
    return false;
  }

  const int width = paired ? pairedCellWidth : cellWidth;
  const int columns = std::min<int>(paired ? columnsOfPairs : columnsOfCells, static_cast<int>(cells.size()));
  const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * width, rows * cellHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.08, 0.08, 0.1);
  cairo_paint(cr);
  for (size_t i = 0; i < cells.size(); ++i) {
    const double x = static_cast<double>(i % columns) * width;
    const double y = static_cast<double>(i / columns) * cellHeight;
    if (paired) {
      DrawPairedCell(cr, x, y, cells[i].picture, cells[i].detail, cells[i].object, cells[i].name);
    } else {
      DrawCell(cr, x, y, cells[i].picture, cells[i].object, cells[i].name);
    }
    if (cells[i].picture) cairo_surface_destroy(cells[i].picture);
    if (cells[i].detail) cairo_surface_destroy(cells[i].detail);
  }
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, outPng.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + outPng + ": " + cairo_status_to_string(status);
    return false;
  }
  std::printf("mkdata: %zu pictures%s on %s (%d undecodable)\n", cells.size(),
              paired ? " at both sizes" : "", outPng.c_str(), undecodable);
  return true;
}

bool WriteAllContactSheets(const std::string& gameDir, const std::string& outDir, std::string& error) {
  namespace fs = std::filesystem;
  if (!MakeFolder(outDir, error)) return false;
  for (const CataloguePack& pack : AllPacks()) {
    const bool pictures = std::any_of(pack.rows.begin(), pack.rows.end(),
                                      [](const CatalogueRow& row) { return IsPictureName(row.fileName); });
    if (!pictures) continue;
    const fs::path sheet = fs::path(outDir) / (fs::path(pack.packName).stem().string() + ".png");
    // Each picture beside its form at twice the size, when the packs of a sharp display are built.
    const fs::path detailPack = fs::path(gameDir) / DetailPackName(pack.packName);
    const std::string detail = fs::exists(detailPack) ? detailPack.string() : std::string();
    if (!WriteContactSheet((fs::path(gameDir) / pack.packName).string(), sheet.string(), 0, -1, error, detail)) {
      return false;
    }
  }
  return true;
}
