// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hud.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/player_text.h"
#include "media/media.h"

namespace {

constexpr int glyphStep = 20;
constexpr int glyphSize = 36;
constexpr int hudRightEdge = 994;
constexpr int teamY = playTop + 32;
constexpr int scoreY = teamY + 120;
constexpr int lifeIconSize = 16;
constexpr int lifeIconY = 300;
constexpr int letterY = 419;

struct LetterSlot {
  int bit;
  int quad;
  int x;
};
constexpr LetterSlot letterSlots[] = {{16, obj::letterB, 820},
                                      {8, obj::letterO, 856},
                                      {4, obj::letterN, 893},
                                      {2, obj::letterU, 930},
                                      {1, obj::letterS, 966}};

constexpr int panelX = 851, panelY = 600;
constexpr int scrollX = 864, scrollY = 630;
constexpr int scrollWidth = 124, scrollHeight = 98;
constexpr int scrollPixelsPerFrame = 6;
constexpr int shownRows = scrollHeight - 1;  // the top row is the scroll's own

}  // namespace


void DrawSilverText(const std::string& text, int rightEdge, int y) {
  int x = rightEdge - glyphStep * static_cast<int>(text.size());
  for (unsigned char c : text) {
    // A character without a glyph names a quad that was never loaded and draws nothing.
    const int quad = silverGlyphBase + c;
    ZoomSprite3D(quad, glyphSize, glyphSize);
    RotateSprite3D(quad, 0, 0);
    DisplaySprite3D(quad, x, y, 255);
    x += glyphStep;
  }
}

std::string SilverName(const std::string& name) {
  std::string shown;
  for (uint32_t codePoint : CodePoints(name)) {
    if (codePoint < 128) codePoint = static_cast<uint32_t>(std::toupper(static_cast<int>(codePoint)));
    shown += codePoint < 128 && silverGlyphs[codePoint] ? static_cast<char>(codePoint) : '?';
  }
  return shown;
}

void DrawHud(const std::string& teamName, int score, int letterMask) {
  DrawSilverText(SilverName(teamName), hudRightEdge, teamY);
  DrawSilverText(std::to_string(score), hudRightEdge, scoreY);

  ZoomSprite3D(obj::shipUpright, lifeIconSize, lifeIconSize);
  for (int i = 1; i <= game.lives; ++i) {
    DisplaySprite3D(obj::shipUpright, playRight + lifeIconSize * i + 16, lifeIconY);
  }
  // The same quad draws the ship in the playfield.
  ZoomSprite3D(obj::shipUpright, SpriteWidth(obj::shipUpright), SpriteHeight(obj::shipUpright));

  for (const LetterSlot& slot : letterSlots) {
    if (letterMask & slot.bit) DisplaySprite3D(slot.quad, slot.x, letterY);
  }
}

namespace {

// The picture's rows from row 1 on, as the row-by-row scroll leaves them, onto the screen. They
// are an image of their own: a still screen gives them to the window without a drawing.
void ShowLowerPanel() {
  const int width = std::min(ImageWidth(obj::panel2), scrollWidth);
  if (width <= 0 || ImageHeight(obj::panel2) != scrollHeight) return;
  if (ImageWidth(obj::panel2Shown) != width || ImageHeight(obj::panel2Shown) != shownRows) {
    CreateImage(obj::panel2Shown, width, shownRows);
  }
  if (StartDrawing(drawImage, obj::panel2Shown)) {
    DrawImage(obj::panel2, 0, -1);
    StopDrawing();
  }
  ShowLowerPanelAgain();
}

// The lower panel's picture scrolls up six rows a frame, row by row: the top row is copied to the
// bottom, then rows 1 to 97 move up by one. After the first step the bottom two rows are alike,
// so six steps turn rows 0 to 96 round by six and copy the new row 96 to row 97; done on the
// picture's pixels in one pass instead of twelve copies of the picture into itself.
void ScrollLowerPanel() {
  if (!StartDrawing(drawImage, obj::panel2)) return;
  uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  const int width = std::min(ImageWidth(obj::panel2), scrollWidth);
  if (pixels && ImageHeight(obj::panel2) == scrollHeight && pitch >= width) {
    constexpr int turning = scrollHeight - 1;
    std::vector<uint32_t> rows(static_cast<std::size_t>(turning) * width);
    for (int y = 0; y < turning; ++y) {
      const uint32_t* from = pixels + static_cast<std::size_t>((y + scrollPixelsPerFrame) % turning) * pitch;
      std::copy(from, from + width, rows.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    for (int y = 0; y < turning; ++y) {
      std::copy(rows.begin() + static_cast<std::ptrdiff_t>(y) * width,
                rows.begin() + static_cast<std::ptrdiff_t>(y + 1) * width, pixels + static_cast<std::size_t>(y) * pitch);
    }
    std::copy(rows.end() - width, rows.end(), pixels + static_cast<std::size_t>(turning) * pitch);
  }
  StopDrawing();
}

}  // namespace

void LimitScreenToLowerPanel() { LimitScreenChanges(scrollX, scrollY, scrollWidth, shownRows); }

void DrawSidePanels() {
  DisplayTransparentSprite(obj::panel, panelX, panelY);
  ShowLowerPanel();
  ScrollLowerPanel();
}

void ShowLowerPanelAgain() { DisplayImage(obj::panel2Shown, scrollX, scrollY); }
