// SPDX-License-Identifier: GPL-3.0-or-later
// The flip on a rasteriser that draws on the CPU. SDL_RenderPresent needs the back buffer copied
// into the window's GL buffer as a textured pass: on llvmpipe that pass alone was 4 of the idle
// menu's 12 ms of CPU a frame, run over every pixel by its pixel program. The window's picture is
// memory of the process either way, so when the back buffer has the window's own size its rows
// are read straight into SDL's window surface and put to the window as an image (in shared memory
// on X11): about a tenth of the cost, and the same pixels. A letterbox, a scaled screen, a graphics
// card or a video driver without window surfaces keeps the renderer's present.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "media/media_diagnostics.h"
#include "media/media_internal.h"

namespace media {

namespace {

// On unless the tests switch it off to compare both flips (AllowSurfaceFlips).
bool& Allowed() {
  static bool allowed = true;
  return allowed;
}

uint64_t& Count() {
  static uint64_t count = 0;
  return count;
}

uint64_t& PartCount() {
  static uint64_t count = 0;
  return count;
}

uint64_t& ChangedPartCount() {
  static uint64_t count = 0;
  return count;
}

bool VideoDriverHasSurfaces() {
  const char* driver = SDL_GetCurrentVideoDriver();
  // Drivers known to put a window surface beside a GL context on the same window; others (Wayland
  // builds its surface as a second renderer on the window, which SDL refuses) keep the present.
  return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// 32-bit pixels, blue in the lowest byte: the layout of the back buffer's reads and of images.
bool BlueFirst(const SDL_Surface* surface) {
  const Uint32 format = surface->format->format;
  return (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) && surface->pitch % 4 == 0;
}

// Where a part of the back buffer goes in the surface's memory.
void* PlaceOf(SDL_Surface* surface, const SDL_Rect& part) {
  return static_cast<uint8_t*>(surface->pixels) + static_cast<std::size_t>(part.y) * surface->pitch +
         static_cast<std::size_t>(part.x) * 4;
}

bool ReadBackBufferInto(SDL_Surface* surface, const SDL_Rect& part) {
  MediaState& s = State();
  // The back buffer is the renderer's target: read red first straight into the surface's memory
  // when the layouts agree (SDL's own read goes through a buffer of its own and a conversion).
  if (BlueFirst(surface)) {
    return ReadTargetPixels(&part, static_cast<uint32_t*>(PlaceOf(surface, part)), surface->pitch);
  }
  return SDL_RenderReadPixels(s.renderer, &part, surface->format->format, PlaceOf(surface, part), surface->pitch) == 0;
}

// The part of the back buffer a limit let change, in its pixels.
SDL_Rect ChangedPart(const SDL_Rect& limit) {
  MediaState& s = State();
  const int left = static_cast<int>(std::floor(static_cast<float>(limit.x) * s.scaleX));
  const int top = static_cast<int>(std::floor(static_cast<float>(limit.y) * s.scaleY));
  const int right = static_cast<int>(std::ceil(static_cast<float>(limit.x + limit.w) * s.scaleX));
  const int bottom = static_cast<int>(std::ceil(static_cast<float>(limit.y + limit.h) * s.scaleY));
  const SDL_Rect wanted{left, top, right - left, bottom - top};
  const SDL_Rect all{0, 0, s.backWidth, s.backHeight};
  SDL_Rect part{0, 0, 0, 0};
  SDL_IntersectRect(&wanted, &all, &part);
  return part;
}

// Whether a rectangle lies within the surface.
bool Placeable(const SDL_Surface* surface, const SDL_Rect& rect) {
  return rect.x >= 0 && rect.y >= 0 && rect.w > 0 && rect.h > 0 && rect.x + rect.w <= surface->w &&
         rect.y + rect.h <= surface->h;
}

// The held pixels into the surface's memory, opaque as a read of the back buffer leaves them.
void PutHeldPixels(SDL_Surface* surface, const WindowCopy& copy) {
  for (int y = 0; y < copy.rect.h; ++y) {
    const uint32_t* __restrict from = copy.pixels.data() + static_cast<std::size_t>(y) * copy.rect.w;
    auto* __restrict to =
        static_cast<uint32_t*>(PlaceOf(surface, SDL_Rect{copy.rect.x, copy.rect.y + y, copy.rect.w, 1}));
    for (int x = 0; x < copy.rect.w; ++x) to[x] = from[x] | 0xFF000000u;
  }
}

// The back buffer takes a held copy's pixels, and the copy is no longer held.
void SettleWindowCopy(std::size_t index) {
  MediaState& s = State();
  std::vector<WindowCopy>& copies = s.windowCopies;
  if (index >= copies.size()) return;
  const WindowCopy copy = std::move(copies[index]);
  copies.erase(copies.begin() + static_cast<std::ptrdiff_t>(index));
  if (!s.renderer || !s.backBuffer) return;
  FlushQuads();
  UploadPixelsToTexture(s.backBuffer, &copy.rect, copy.pixels.data(), copy.rect.w, copy.rect.h, copy.rect.w, true);
}

}  // namespace

void ChooseSurfaceFlips(bool softwareRasteriser) {
  MediaState& s = State();
  s.surfaceFlips = SurfaceFlips{};
  if (!softwareRasteriser || !VideoDriverHasSurfaces()) return;
  // The window surface must be SDL's plain one: made as a texture it would need a second renderer.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  s.surfaceFlips.usable = true;
}

bool FlipThroughSurface() {
  MediaState& s = State();
  const bool windowHasTheRest = s.surfaceFlips.wholeShown && !s.windowSpoilt;
  s.surfaceFlips.wholeShown = false;
  if (!s.surfaceFlips.usable || s.surfaceFlips.failed || !Allowed() || !s.window) return false;
  int width = 0;
  int height = 0;
  SDL_GetWindowSizeInPixels(s.window, &width, &height);
  if (width != s.backWidth || height != s.backHeight) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(s.window);
  if (!surface || surface->w != s.backWidth || surface->h != s.backHeight) {
    if (!surface) s.surfaceFlips.failed = true;
    return false;
  }
  std::vector<WindowCopy>& copies = s.windowCopies;
  // Only a surface laid out as the images are takes the held pixels as they are.
  const bool placeable = std::all_of(copies.begin(), copies.end(),
                                     [surface](const WindowCopy& c) { return Placeable(surface, c.rect); });
  if (!BlueFirst(surface) || !placeable) SettleWindowCopies();
  FlushQuads();
  BindTexture(s.backBuffer);
  if (SDL_LockSurface(surface) != 0) {
    s.surfaceFlips.failed = true;
    return false;
  }
  // A screen whose changes were limited to parts gives the window those parts alone, once the
  // window holds the rest.
  const bool partly = !s.limitedParts.empty() && !s.drawnOutsideParts && !s.changeLimited && !s.screenWritten &&
                      windowHasTheRest && s.Drawings() == s.drawingsAtLimitEnd;
  std::vector<SDL_Rect>& parts = s.flipParts;
  parts.clear();
  // Otherwise a frame drawn over the same base as the last gives the window the parts drawn on
  // in either frame.
  const bool changedParts = !partly && windowHasTheRest && copies.empty() && ScreenChangedParts(parts);
  if (partly) {
    for (const SDL_Rect& limit : s.limitedParts) {
      const SDL_Rect part = ChangedPart(limit);
      if (part.w > 0 && part.h > 0) parts.push_back(part);
    }
  } else if (!changedParts) {
    parts.push_back(SDL_Rect{0, 0, s.backWidth, s.backHeight});
  }
  // The back buffer is read wherever it may hold news; a part that held pixels cover is theirs.
  // Held pixels are put where they are new or a read went over them.
  bool read = true;
  for (const SDL_Rect& part : parts) {
    auto covers = [&part](const WindowCopy& c) {
      SDL_Rect meeting{0, 0, 0, 0};
      return SDL_IntersectRect(&part, &c.rect, &meeting) && SDL_RectEquals(&meeting, &part);
    };
    if (std::any_of(copies.begin(), copies.end(), covers)) continue;
    read = read && ReadBackBufferInto(surface, part);
    for (WindowCopy& copy : copies) {
      if (SDL_HasIntersection(&part, &copy.rect)) copy.shown = false;
    }
  }
  for (WindowCopy& copy : copies) {
    if (!read || copy.shown) continue;
    PutHeldPixels(surface, copy);
    copy.shown = true;
  }
  if (read && s.keepPresented) {
    s.presented.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                          static_cast<std::size_t>(y) * surface->pitch);
      uint32_t* out = s.presented.data() + static_cast<std::size_t>(y) * width;
      for (int x = 0; x < width; ++x) out[x] = row[x] & 0x00FFFFFFu;
    }
    s.presentedWidth = width;
    s.presentedHeight = height;
  }
  SDL_UnlockSurface(surface);
  // A window that cannot take its picture this way gets the renderer's from then on.
  const bool someParts = partly || changedParts;
  const bool put = read && (someParts ? parts.empty() || SDL_UpdateWindowSurfaceRects(s.window, parts.data(),
                                                                                     static_cast<int>(parts.size())) == 0
                                      : SDL_UpdateWindowSurface(s.window) == 0);
  if (!put) {
    s.surfaceFlips.failed = true;
    for (WindowCopy& copy : copies) copy.shown = false;
    return false;
  }
  s.surfaceFlips.wholeShown = true;
  ++Count();
  if (partly) ++PartCount();
  if (changedParts) ++ChangedPartCount();
  return true;
}

bool CopyImageToWindow(const ImageRecord& image, int x, int y) {
  MediaState& s = State();
  const SDL_Rect rect{x, y, image.width, image.height};
  const SDL_Rect screen{0, 0, s.screenWidth, s.screenHeight};
  SDL_Rect inLimit{0, 0, 0, 0};
  SDL_Rect onScreen{0, 0, 0, 0};
  const bool whole = SDL_IntersectRect(&rect, &s.changeLimit, &inLimit) && SDL_RectEquals(&inLimit, &rect) &&
                     SDL_IntersectRect(&rect, &screen, &onScreen) && SDL_RectEquals(&onScreen, &rect);
  // Within a limited part, at the back buffer's own scale, on a window that is watched.
  if (!s.changeLimited || !whole || !s.surfaceFlips.usable || s.surfaceFlips.failed || !Allowed() ||
      (s.windowUnwatched && !s.keepPresented) || s.scaleX != 1.0f || s.scaleY != 1.0f || s.backWidth != s.screenWidth ||
      s.backHeight != s.screenHeight || image.pixels.size() != static_cast<std::size_t>(rect.w) * rect.h) {
    return false;
  }
  // A copy held for the same place is replaced; one it overlaps goes into the back buffer first.
  std::vector<WindowCopy>& copies = s.windowCopies;
  auto same = std::find_if(copies.begin(), copies.end(),
                           [&rect](const WindowCopy& c) { return SDL_RectEquals(&c.rect, &rect); });
  if (same == copies.end()) {
    for (std::size_t i = copies.size(); i-- > 0;) {
      if (SDL_HasIntersection(&copies[i].rect, &rect)) SettleWindowCopy(i);
    }
    copies.emplace_back();
    same = copies.end() - 1;
  }
  same->shown = false;
  same->rect = rect;
  same->pixels = image.pixels;
  ++s.memoryCopies;
  // The back buffer lacks these pixels until they are settled into it.
  NoteScreenWrittenAnywhere();
  s.copyPixels += static_cast<double>(rect.w) * rect.h;
  return true;
}

void SettleWindowCopies() {
  for (std::size_t i = State().windowCopies.size(); i-- > 0;) SettleWindowCopy(i);
}

void SettleWindowCopiesBeforeDrawing() {
  MediaState& s = State();
  for (std::size_t i = s.windowCopies.size(); i-- > 0;) {
    if (!s.changeLimited || SDL_HasIntersection(&s.changeLimit, &s.windowCopies[i].rect)) SettleWindowCopy(i);
  }
}

void ForgetWindowCopies() { State().windowCopies = std::vector<WindowCopy>{}; }

}  // namespace media

void AllowSurfaceFlips(bool allowed) { media::Allowed() = allowed; }

uint64_t SurfaceFlipCount() { return media::Count(); }

uint64_t PartSurfaceFlipCount() { return media::PartCount(); }

uint64_t ChangedPartsSurfaceFlipCount() { return media::ChangedPartCount(); }
