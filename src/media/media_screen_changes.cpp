// SPDX-License-Identifier: GPL-3.0-or-later
// What changed on the screen since the last flip. A level's frame starts by copying the same
// opaque pictures (its backdrop and panels) and draws the ship, the balls and the bricks' shine
// over them: most of the screen is the same as in the last frame. Every drawing says where it
// draws (CountDrawing, NoteScreenPixels); where neither this frame nor the last drew over the
// same base copies, the window already shows the right pixels, so the flip reads and puts only the
// rest, and the base copies themselves are made again only where the last frame drew over them.
// Anything that cannot say where it drew, a write of pixels into the back buffer, or a write into
// a picture of the base makes the flip whole and the next frame's base copies whole.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>

#include "media/media_diagnostics.h"
#include "media/media_internal.h"

namespace media {

namespace {

// Side of the squares the changed parts are gathered in.
constexpr int tileSide = 16;
// Changed squares this close on a row are read as one run: a call of its own costs more than the
// pixels between.
constexpr int bridgedTiles = 4;
// Filtering and the renderer's rounding of an edge may reach this far past a drawing's rectangle.
constexpr int edgeMargin = 2;

// On unless a test or benchmark switches it off (FollowScreenChanges).
bool& Followed() {
  static bool followed = true;
  return followed;
}

bool OnScreen(const MediaState& s) { return s.backBuffer && s.boundTargetValid && s.boundTarget == s.backBuffer; }

void AddDrawn(ScreenChanges& changes, int left, int top, int right, int bottom) {
  changes.inBase = false;
  if (right <= left || bottom <= top) return;
  changes.drawn.push_back(SDL_Rect{left, top, right - left, bottom - top});
}

bool SameCopy(const BaseCopy& a, const BaseCopy& b) {
  return a.texture == b.texture && !a.written && SDL_RectEquals(&a.source, &b.source) &&
         SDL_RectEquals(&a.destination, &b.destination);
}

}  // namespace

void CountDrawing(uint64_t& counter, const SDL_Rect* part) {
  ++counter;
  MediaState& s = State();
  if (!OnScreen(s)) return;
  ScreenChanges& changes = s.changes;
  if (!part) {
    changes.inBase = false;
    changes.bounded = false;
    return;
  }
  // The renderer's scale takes screen pixels to the back buffer's.
  const float sx = s.scaleX;
  const float sy = s.scaleY;
  AddDrawn(changes, static_cast<int>(std::floor(static_cast<float>(part->x) * sx)) - edgeMargin,
           static_cast<int>(std::floor(static_cast<float>(part->y) * sy)) - edgeMargin,
           static_cast<int>(std::ceil(static_cast<float>(part->x + part->w) * sx)) + edgeMargin,
           static_cast<int>(std::ceil(static_cast<float>(part->y + part->h) * sy)) + edgeMargin);
}

void NoteScreenPixels(int left, int top, int right, int bottom) {
  MediaState& s = State();
  if (!OnScreen(s)) return;
  AddDrawn(s.changes, left - edgeMargin, top - edgeMargin, right + 1 + edgeMargin, bottom + 1 + edgeMargin);
}

void NoteScreenWrittenAnywhere() {
  ScreenChanges& changes = State().changes;
  changes.inBase = false;
  changes.bounded = false;
  // The back buffer no longer holds the last frame's base where it drew nothing over it.
  changes.lastBounded = false;
}

void NoteTextureWritten(SDL_Texture* texture) {
  MediaState& s = State();
  if (!texture) return;
  if (texture == s.backBuffer) {
    NoteScreenWrittenAnywhere();
    return;
  }
  for (BaseCopy& copy : s.changes.base) copy.written = copy.written || copy.texture == texture;
  for (BaseCopy& copy : s.changes.lastBase) copy.written = copy.written || copy.texture == texture;
}

BaseCopyKind StartBaseCopy(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& destination,
                           bool partsPossible, std::vector<SDL_Rect>& parts) {
  MediaState& s = State();
  ScreenChanges& changes = s.changes;
  if (!changes.inBase || s.changeLimited || !OnScreen(s)) return BaseCopyKind::notBase;
  const std::size_t index = changes.base.size();
  changes.base.push_back(BaseCopy{texture, source, destination, false, false});
  const bool repeats = changes.sameBase && index < changes.lastBase.size() &&
                       SameCopy(changes.lastBase[index], changes.base.back());
  changes.sameBase = repeats;
  // Outside what the last frame drew over it, a copy that no other copy of the last base met
  // left its own pixels in the back buffer.
  if (!repeats || !partsPossible || !changes.lastBounded || !changes.lastBase[index].alone || !Followed()) {
    return BaseCopyKind::whole;
  }
  parts.clear();
  for (const SDL_Rect& drawn : changes.lastDrawn) {
    SDL_Rect part;
    if (SDL_IntersectRect(&drawn, &destination, &part)) parts.push_back(part);
  }
  return BaseCopyKind::inParts;
}

void ForgetScreenChanges() {
  ScreenChanges& changes = State().changes;
  changes.base.clear();
  changes.lastBase.clear();
  changes.drawn.clear();
  changes.lastDrawn.clear();
  changes.inBase = false;
  changes.bounded = false;
  changes.lastBounded = false;
  changes.sameBase = false;
}

bool ScreenChangedParts(std::vector<SDL_Rect>& parts) {
  MediaState& s = State();
  ScreenChanges& changes = s.changes;
  if (!Followed() || !changes.bounded || !changes.lastBounded || !changes.sameBase || changes.base.empty() ||
      changes.base.size() != changes.lastBase.size()) {
    return false;
  }
  // Pixels may differ where this frame drew over the base, and where the last one did.
  std::vector<SDL_Rect> both = changes.drawn;
  both.insert(both.end(), changes.lastDrawn.begin(), changes.lastDrawn.end());
  GatherIntoRectangles(both, s.backWidth, s.backHeight, changes.tiles, parts);
  return true;
}

void EndScreenChangesFrame() {
  MediaState& s = State();
  ScreenChanges& changes = s.changes;
  changes.lastBase.swap(changes.base);
  changes.base.clear();
  for (BaseCopy& copy : changes.lastBase) {
    copy.alone = std::none_of(changes.lastBase.begin(), changes.lastBase.end(), [&copy](const BaseCopy& other) {
      return &other != &copy && SDL_HasIntersection(&other.destination, &copy.destination);
    });
  }
  GatherIntoRectangles(changes.drawn, s.backWidth, s.backHeight, changes.tiles, changes.lastDrawn);
  changes.drawn.clear();
  changes.lastBounded = changes.bounded;
  changes.bounded = true;
  changes.inBase = true;
  changes.sameBase = true;
}

void GatherIntoRectangles(const std::vector<SDL_Rect>& rects, int width, int height, std::vector<uint8_t>& tiles,
                          std::vector<SDL_Rect>& gathered) {
  gathered.clear();
  if (width <= 0 || height <= 0 || rects.empty()) return;
  const int columns = (width + tileSide - 1) / tileSide;
  const int rows = (height + tileSide - 1) / tileSide;
  tiles.assign(static_cast<std::size_t>(columns) * rows, 0);
  const SDL_Rect all{0, 0, width, height};
  for (const SDL_Rect& rect : rects) {
    SDL_Rect part;
    if (!SDL_IntersectRect(&rect, &all, &part)) continue;
    const int c1 = (part.x + part.w - 1) / tileSide;
    const int r1 = (part.y + part.h - 1) / tileSide;
    for (int r = part.y / tileSide; r <= r1; ++r) {
      std::fill_n(tiles.begin() + static_cast<std::ptrdiff_t>(r) * columns + part.x / tileSide, c1 - part.x / tileSide + 1,
                  uint8_t{1});
    }
  }
  RectanglesOfTiles(tiles, columns, rows, tileSide, width, height, bridgedTiles, gathered);
}

}  // namespace media

void FollowScreenChanges(bool follow) { media::Followed() = follow; }
