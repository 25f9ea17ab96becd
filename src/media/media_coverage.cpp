// SPDX-License-Identifier: GPL-3.0-or-later
// Where a picture has something to show. A frame or a menu line is mostly clear, and on a
// software rasteriser every pixel of a copy costs the same whether it shows anything or not, so
// a picture with large clear parts is copied as the rectangles that hold its visible pixels.
#include <algorithm>
#include <vector>

#include "media/media_internal.h"

namespace media {

namespace {

constexpr int coverageTile = 32;
// Smaller pictures, or ones with less clear area than this share, are copied whole: the extra
// copies would cost more than the pixels they save.
constexpr int coverageMinimumPixels = 128 * 128;
constexpr int coverageClearShareNeeded = 4;  // at least a quarter of the picture clear

bool TileIsClear(const uint32_t* pixels, int width, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    const uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
    for (int x = left; x < right; ++x) {
      if (row[x] >= 0x01000000u) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<SDL_Rect> VisibleRectangles(const uint32_t* pixels, int width, int height) {
  std::vector<SDL_Rect> rectangles;
  if (static_cast<int64_t>(width) * height < coverageMinimumPixels) return rectangles;
  const int columns = (width + coverageTile - 1) / coverageTile;
  const int rows = (height + coverageTile - 1) / coverageTile;
  std::vector<bool> shows(static_cast<std::size_t>(columns) * rows);
  int64_t clearPixels = 0;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int left = column * coverageTile;
      const int top = row * coverageTile;
      const int right = std::min(left + coverageTile, width);
      const int bottom = std::min(top + coverageTile, height);
      const bool clear = TileIsClear(pixels, width, left, top, right, bottom);
      shows[static_cast<std::size_t>(row) * columns + column] = !clear;
      if (clear) clearPixels += static_cast<int64_t>(right - left) * (bottom - top);
    }
  }
  if (clearPixels * coverageClearShareNeeded < static_cast<int64_t>(width) * height) return rectangles;
  // Runs of showing tiles along each row of tiles; a run under one of the same columns that
  // ended on the row above extends it downwards.
  std::vector<std::size_t> openAbove;
  for (int row = 0; row < rows; ++row) {
    std::vector<std::size_t> open;
    const int top = row * coverageTile;
    const int bottom = std::min(top + coverageTile, height);
    for (int column = 0; column < columns;) {
      if (!shows[static_cast<std::size_t>(row) * columns + column]) {
        ++column;
        continue;
      }
      int end = column;
      while (end < columns && shows[static_cast<std::size_t>(row) * columns + end]) ++end;
      const int left = column * coverageTile;
      const int right = std::min(end * coverageTile, width);
      bool extended = false;
      for (std::size_t index : openAbove) {
        SDL_Rect& above = rectangles[index];
        if (above.x == left && above.w == right - left && above.y + above.h == top) {
          above.h = bottom - above.y;
          open.push_back(index);
          extended = true;
          break;
        }
      }
      if (!extended) {
        rectangles.push_back(SDL_Rect{left, top, right - left, bottom - top});
        open.push_back(rectangles.size() - 1);
      }
      column = end;
    }
    openAbove = std::move(open);
  }
  return rectangles;
}

}  // namespace media
