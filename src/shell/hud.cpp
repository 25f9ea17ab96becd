#include "shell/hud.h"

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "core/game_state.h"
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

void DrawHud(const std::string& teamName, int score, int letterMask) {
  DrawSilverText(teamName, hudRightEdge, teamY);
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

void DrawSidePanels() {
  DisplayTransparentSprite(obj::panel, panelX, panelY);
  DisplaySprite(obj::panel2, scrollX, scrollY);
  // Scroll the lower panel's picture up: its top row moves to the bottom, the rest up by one.
  // The last clip stays set, so from the second frame on only rows 1 to 97 are shown above.
  DrawIntoSprite(obj::panel2);
  for (int i = 0; i < scrollPixelsPerFrame; ++i) {
    ClipSprite(obj::panel2, 0, 0, scrollWidth, 1);
    DisplaySprite(obj::panel2, 0, scrollHeight - 1);
    ClipSprite(obj::panel2, 0, 1, scrollWidth, scrollHeight - 1);
    DisplaySprite(obj::panel2, 0, 0);
  }
  DrawIntoScreen();
}
