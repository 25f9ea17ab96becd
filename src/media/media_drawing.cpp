// SPDX-License-Identifier: GPL-3.0-or-later
// 2D drawing between StartDrawing and StopDrawing: text, boxes, lines, points and direct pixel
// access. Drawing goes through the renderer until the game asks for the target's pixels; from
// then on it works on that CPU copy, which is written back before the next GPU drawing.
#include <algorithm>
#include <cstdlib>

#include "media/media_internal.h"

using namespace media;

namespace {

// StartDrawing on the screen follows DrawIntoSprite, as the rest of the screen drawing does.
TargetKind EffectiveKind(int& number) {
  MediaState& s = State();
  TargetKind kind = s.drawing ? s.drawKind : TargetKind::screen;
  number = s.drawing ? s.drawNumber : 0;
  if (kind == TargetKind::screen && s.drawIntoSprite >= 0) {
    kind = TargetKind::sprite;
    number = s.drawIntoSprite;
  }
  return kind;
}

// Fetches the pixels of a screen or sprite target for CPU drawing.
bool TakeCopy() {
  MediaState& s = State();
  if (s.copyTaken) return true;
  int number = 0;
  TargetKind kind = EffectiveKind(number);
  if (kind == TargetKind::image) return false;
  if (kind == TargetKind::sprite) {
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite) return false;
    // The copy is drawn on: its pixels are the sprite's own from now on.
    ClaimSpritePixels(*sprite);
    ReadBackSprite(*sprite);
  } else {
    if (!s.renderer || !s.backBuffer) return false;
    s.screenCopy.resize(static_cast<std::size_t>(s.screenWidth) * s.screenHeight);
    SDL_Rect all{0, 0, s.screenWidth, s.screenHeight};
    if (!ReadScreenPixels(all, s.screenCopy.data())) return false;
  }
  s.copyTaken = true;
  s.copyModified = false;
  return true;
}

Uint8 TargetAlpha(int colour) {
  int number = 0;
  if (EffectiveKind(number) != TargetKind::sprite) return 255;
  SpriteRecord* sprite = FindSprite(number);
  if (!sprite || (sprite->flags & spriteAlpha)) return 255;
  return (colour & 0xFFFFFF) == sprite->colourKey ? 0 : 255;
}

bool PrepareGpuDraw(int colour) {
  MediaState& s = State();
  bool intoScreen = true;
  int width = 0;
  int height = 0;
  if (!BindDrawTarget(intoScreen, width, height)) return false;
  ApplyClip(nullptr);
  SDL_SetRenderDrawBlendMode(s.renderer, CopyBlend(intoScreen));
  SDL_SetRenderDrawColor(s.renderer, Red(colour), Green(colour), Blue(colour), TargetAlpha(colour));
  return true;
}

void CpuFill(const PixelView& view, int x, int y, int width, int height, int colour) {
  int left = std::max(x, 0);
  int top = std::max(y, 0);
  int right = std::min(x + width, view.width);
  int bottom = std::min(y + height, view.height);
  const uint32_t pixel = PixelFromColour(colour) | view.alpha;
  for (int row = top; row < bottom; ++row) {
    std::fill(view.pixels + static_cast<std::size_t>(row) * view.pitch + left,
              view.pixels + static_cast<std::size_t>(row) * view.pitch + std::max(left, right), pixel);
  }
  MarkCpuModified();
}

void CpuPlot(const PixelView& view, int x, int y, int colour) {
  if (x < 0 || y < 0 || x >= view.width || y >= view.height) return;
  view.pixels[static_cast<std::size_t>(y) * view.pitch + x] = PixelFromColour(colour) | view.alpha;
  MarkCpuModified();
}

void CpuLine(const PixelView& view, int x1, int y1, int x2, int y2, int colour) {
  int dx = std::abs(x2 - x1);
  int dy = -std::abs(y2 - y1);
  int stepX = x1 < x2 ? 1 : -1;
  int stepY = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    CpuPlot(view, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x1 += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y1 += stepY;
    }
  }
}

void DrawTextIn(int x, int y, const std::string& text, int front, int back) {
  MediaState& s = State();
  TTF_Font* face = FontOf(s.drawFont);
  if (!face || text.empty()) return;
  const bool opaque = (s.drawMode & 1) == 0;
  // Text on the screen or a sprite goes through the renderer and its cache of rendered lines
  // (a fetched pixel copy is written back first); only images draw text on the CPU.
  int number = 0;
  const bool onCpu = EffectiveKind(number) == TargetKind::image || !s.renderer;
  PixelView view;
  if (onCpu && CpuView(view)) {
    if (y >= view.height || y + TTF_FontHeight(face) < 0) return;
    SDL_Color fg{static_cast<Uint8>(Red(front)), static_cast<Uint8>(Green(front)),
                 static_cast<Uint8>(Blue(front)), 255};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(face, TextAsUtf8(text).c_str(), fg);
    if (!rendered) return;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!surface) return;
    if (opaque) CpuFill(view, x, y, surface->w, surface->h, back);
    SDL_LockSurface(surface);
    BlitPixels(view, x, y, static_cast<const uint32_t*>(surface->pixels), surface->w, surface->h,
               surface->pitch / 4, true);
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return;
  }
  bool intoScreen = true;
  int targetWidth = 0;
  int targetHeight = 0;
  if (!BindDrawTarget(intoScreen, targetWidth, targetHeight)) return;
  // Lines far off the target are common (scrolling credits): skip them before rendering.
  if (y >= targetHeight || y + TTF_FontHeight(face) < 0 || x >= targetWidth) return;
  int width = 0;
  int height = 0;
  // On a scaled screen the line is rendered in the larger face, in the screen's box of the line.
  SDL_Texture* texture = TextTexture(s.drawFont, text, front, width, height, ScaledTarget());
  if (!texture) return;
  ApplyClip(nullptr);
  SDL_Rect destination{x, y, width, height};
  if (opaque) {
    PrepareGpuDraw(back);
    SDL_RenderFillRect(s.renderer, &destination);
    CountDrawing(s.drawCalls, &destination);
  }
  SDL_SetTextureBlendMode(texture, OverBlend(intoScreen));
  SDL_RenderCopy(s.renderer, texture, nullptr, &destination);
  CountDrawing(s.drawCalls, &destination);
}

}  // namespace

namespace media {

void WriteCopyIntoScaledScreen();

bool CpuView(PixelView& view) {
  MediaState& s = State();
  int number = 0;
  TargetKind kind = EffectiveKind(number);
  if (kind == TargetKind::image) {
    ImageRecord* image = FindImage(number);
    if (!image) return false;
    view = PixelView{image->pixels.data(), image->width, image->height, image->width, 0};
    return true;
  }
  // A sprite without a renderer can only be drawn on the CPU.
  if (!s.copyTaken && !(kind == TargetKind::sprite && !s.renderer)) return false;
  if (!TakeCopy()) return false;
  if (kind == TargetKind::sprite) {
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite) return false;
    view = PixelView{sprite->pixels.data(), sprite->width, sprite->height, sprite->width, 0xFF000000u};
    return true;
  }
  view = PixelView{s.screenCopy.data(), s.screenWidth, s.screenHeight, s.screenWidth, 0};
  return true;
}

void MarkCpuModified() {
  MediaState& s = State();
  if (s.copyTaken) s.copyModified = true;
}

void BlitPixels(const PixelView& view, int x, int y, const uint32_t* source, int width, int height,
                int pitchPixels, bool blendAlpha) {
  int left = std::max(x, 0);
  int top = std::max(y, 0);
  int right = std::min(x + width, view.width);
  int bottom = std::min(y + height, view.height);
  for (int row = top; row < bottom; ++row) {
    const uint32_t* from = source + static_cast<std::size_t>(row - y) * pitchPixels + (left - x);
    uint32_t* to = view.pixels + static_cast<std::size_t>(row) * view.pitch + left;
    for (int column = left; column < right; ++column, ++from, ++to) {
      uint32_t p = *from;
      if (!blendAlpha) {
        *to = (p & 0x00FFFFFFu) | view.alpha;
        continue;
      }
      uint32_t a = p >> 24;
      if (a == 0) continue;
      uint32_t d = *to;
      uint32_t r = (((p >> 16) & 255) * a + ((d >> 16) & 255) * (255 - a) + 127) / 255;
      uint32_t g = (((p >> 8) & 255) * a + ((d >> 8) & 255) * (255 - a) + 127) / 255;
      uint32_t b = ((p & 255) * a + (d & 255) * (255 - a) + 127) / 255;
      *to = r << 16 | g << 8 | b | view.alpha;
    }
  }
  MarkCpuModified();
}

void SyncDrawingCopy() {
  MediaState& s = State();
  if (!s.copyTaken) return;
  s.copyTaken = false;
  if (!s.copyModified) return;
  s.copyModified = false;
  int number = 0;
  TargetKind kind = EffectiveKind(number);
  if (kind == TargetKind::sprite) {
    SpriteRecord* sprite = FindSprite(number);
    if (sprite) {
      DropSpriteDetail(*sprite);
      RefreshSpriteTexture(*sprite);
    }
  } else if (kind == TargetKind::screen && s.backBuffer) {
    if (s.scaleX == 1.0f && s.scaleY == 1.0f) {
      UploadPixelsToTexture(s.backBuffer, nullptr, s.screenCopy.data(), s.screenWidth, s.screenHeight,
                            s.screenWidth, true);
    } else {
      WriteCopyIntoScaledScreen();
    }
  }
}

// A scaled screen's copy holds the screen's pixels: they go back through a texture of the
// screen's size, stretched as the classic screen is. That frame loses the sharp drawing's detail;
// no screen of the game draws on the screen's pixels, only on sprites' and images'.
void WriteCopyIntoScaledScreen() {
  MediaState& s = State();
  if (!s.copyUpload) {
    s.copyUpload = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                     s.screenWidth, s.screenHeight);
    if (!s.copyUpload) {
      ReportSdlFailure("The screen's pixels could not be written back");
      return;
    }
    SDL_SetTextureScaleMode(s.copyUpload, SDL_ScaleModeLinear);
  }
  UploadPixelsToTexture(s.copyUpload, nullptr, s.screenCopy.data(), s.screenWidth, s.screenHeight,
                        s.screenWidth, true);
  BindTexture(s.backBuffer);
  ApplyClip(nullptr);
  SDL_SetTextureBlendMode(s.copyUpload, CopyBlend(true));
  SDL_RenderCopy(s.renderer, s.copyUpload, nullptr, nullptr);
  CountDrawing(s.drawCalls, nullptr);
}

}  // namespace media

bool StartDrawing(int target, int number) {
  MediaState& s = State();
  if (s.drawing) StopDrawing();
  SyncDrawingCopy();
  TargetKind kind = TargetKind::screen;
  if (target == drawImage) {
    if (!FindImage(number)) return false;
    kind = TargetKind::image;
  } else if (target == drawSprite) {
    if (!FindSprite(number)) return false;
    kind = TargetKind::sprite;
  } else if (!s.renderer || !s.backBuffer) {
    return false;
  }
  s.drawing = true;
  s.drawKind = kind;
  s.drawNumber = number;
  return true;
}

void StopDrawing() {
  MediaState& s = State();
  if (!s.drawing) return;
  SyncDrawingCopy();
  s.drawing = false;
}

void DrawingFont(int font) { State().drawFont = font; }
void DrawingMode(int mode) { State().drawMode = mode; }
void FrontColor(int colour) { State().frontColour = colour & 0xFFFFFF; }
void BackColor(int colour) { State().backColour = colour & 0xFFFFFF; }

void DrawText(int x, int y, const std::string& text) {
  MediaState& s = State();
  DrawTextIn(x, y, text, s.frontColour, s.backColour);
}

void DrawText(int x, int y, const std::string& text, int frontColour, int backColour) {
  DrawTextIn(x, y, text, frontColour & 0xFFFFFF, backColour & 0xFFFFFF);
}

void Box(int x, int y, int width, int height, int colour) {
  MediaState& s = State();
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  if (width == 0 || height == 0) return;
  const bool outline = (s.drawMode & 4) != 0;
  PixelView view;
  if (CpuView(view)) {
    if (!outline) {
      CpuFill(view, x, y, width, height, colour);
    } else {
      CpuFill(view, x, y, width, 1, colour);
      CpuFill(view, x, y + height - 1, width, 1, colour);
      CpuFill(view, x, y, 1, height, colour);
      CpuFill(view, x + width - 1, y, 1, height, colour);
    }
    return;
  }
  if (!PrepareGpuDraw(colour)) return;
  SDL_Rect rect{x, y, width, height};
  CountDrawing(s.drawCalls, &rect);
  if (outline) {
    SDL_RenderDrawRect(s.renderer, &rect);
  } else {
    SDL_RenderFillRect(s.renderer, &rect);
  }
}

void Line(int x1, int y1, int x2, int y2, int colour) {
  PixelView view;
  if (CpuView(view)) {
    CpuLine(view, x1, y1, x2, y2, colour);
    return;
  }
  if (!PrepareGpuDraw(colour)) return;
  SDL_RenderDrawLine(State().renderer, x1, y1, x2, y2);
  const SDL_Rect covered{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1};
  CountDrawing(State().drawCalls, &covered);
}

void Plot(int x, int y, int colour) {
  PixelView view;
  if (CpuView(view)) {
    CpuPlot(view, x, y, colour);
    return;
  }
  if (!PrepareGpuDraw(colour)) return;
  SDL_RenderDrawPoint(State().renderer, x, y);
  const SDL_Rect covered{x, y, 1, 1};
  CountDrawing(State().drawCalls, &covered);
}

int Point(int x, int y) {
  PixelView view;
  if (!CpuView(view)) {
    if (!TakeCopy() || !CpuView(view)) return 0;
  }
  if (x < 0 || y < 0 || x >= view.width || y >= view.height) return 0;
  return ColourFromPixel(view.pixels[static_cast<std::size_t>(y) * view.pitch + x]);
}

uint32_t* DrawingBuffer() {
  MediaState& s = State();
  PixelView view;
  if (!CpuView(view)) {
    if (!TakeCopy() || !CpuView(view)) return nullptr;
  }
  // The caller writes through the pointer; the copy goes back at StopDrawing.
  s.copyModified = s.copyTaken;
  return view.pixels;
}

const uint32_t* DrawingPixels() {
  PixelView view;
  if (!CpuView(view)) {
    if (!TakeCopy() || !CpuView(view)) return nullptr;
  }
  return view.pixels;
}

int DrawingBufferPitch() {
  PixelView view;
  if (!CpuView(view)) {
    if (!TakeCopy() || !CpuView(view)) return 0;
  }
  return view.pitch * 4;
}

int DrawingBufferPixelBytes() { return 4; }
