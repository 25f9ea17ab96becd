// SPDX-License-Identifier: GPL-3.0-or-later
// Sprites: numbered pictures kept as CPU pixels plus one texture. The texture's alpha carries
// either the picture's own alpha (spriteAlpha) or the colour key, so the same texture serves the
// colour-keyed display and the Sprite3D quads.
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/fatal_error.h"
#include "media/media_diagnostics.h"
#include "media/media_internal.h"

namespace media {

SpriteRecord* FindSprite(int number) {
  MediaState& s = State();
  auto found = s.sprites.find(number);
  return found == s.sprites.end() ? nullptr : &found->second;
}

namespace {

// The texture's pixels: alpha as the picture has it, or 0 where the colour key matches.
// A detailed sprite's texture is made from its detailed picture, enlarged to the texture's size
// where that is larger still.
void TexturePixelsInto(const SpriteRecord& sprite, std::vector<uint32_t>& out) {
  const bool detailed = sprite.detail > 1;
  const std::vector<uint32_t>& source = detailed ? sprite.detailPixels : sprite.pixels;
  const int width = sprite.width * sprite.detail;
  const int height = sprite.height * sprite.detail;
  const bool enlarged = sprite.textureWidth != width || sprite.textureHeight != height;
  std::vector<uint32_t>& into = enlarged ? State().keyedScratch : out;
  into.resize(source.size());
  const uint32_t key = PixelFromColour(sprite.colourKey);
  const bool ownAlpha = sprite.flags & spriteAlpha;
  for (std::size_t i = 0; i < into.size(); ++i) {
    uint32_t p = source[i];
    if (ownAlpha) {
      into[i] = p;
    } else {
      into[i] = (p & 0x00FFFFFFu) == key ? (p & 0x00FFFFFFu) : (p | 0xFF000000u);
    }
  }
  if (enlarged) ResamplePicture(into, width, height, sprite.textureWidth, sprite.textureHeight, out);
}

std::vector<uint32_t> TexturePixels(const SpriteRecord& sprite) {
  std::vector<uint32_t> out;
  TexturePixelsInto(sprite, out);
  return out;
}

// A picture read again from its origin, as StoreSprite keeps it; false when it cannot be read
// or is not the picture's size.
bool ReadPictureAgain(const PictureOrigin& origin, int width, int height, int flags,
                      std::vector<uint32_t>& pixels) {
  if (!origin.reader) return false;
  std::vector<uint8_t> encoded;
  Picture picture;
  std::string reason = "no whole entry there";
  bool ok = origin.reader(origin.file, origin.position, encoded) &&
            DecodePicture(encoded.data(), encoded.size(), picture, &reason);
  if (ok && (picture.width != width || picture.height != height)) {
    reason = "the picture there is not the one loaded";
    ok = false;
  }
  if (!ok) {
    ReportFailure("The picture at " + std::to_string(origin.position) + " of " + origin.file +
                      " could not be read again",
                  reason);
    return false;
  }
  if (!(flags & spriteAlpha)) {
    for (uint32_t& p : picture.pixels) p |= 0xFF000000u;
  }
  pixels = std::move(picture.pixels);
  return true;
}

// The pixels of a texture made from them at the sprite's own size, drawn into a target of that
// size and read: the texture keeps the colour under the key and every other alpha as it was.
bool ReadTextureBack(SpriteRecord& sprite, std::vector<uint32_t>& pixels) {
  MediaState& s = State();
  if (!s.renderer || !sprite.texture || sprite.isTarget || sprite.detail != 1 ||
      sprite.textureWidth != sprite.width || sprite.textureHeight != sprite.height) {
    return false;
  }
  FlushQuads();
  SDL_Texture* copy = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                        sprite.width, sprite.height);
  if (!copy) return false;
  SDL_Texture* previous = s.boundTargetValid ? s.boundTarget : s.backBuffer;
  BindTexture(copy);
  SDL_SetTextureBlendMode(sprite.texture, SDL_BLENDMODE_NONE);
  SDL_SetTextureAlphaMod(sprite.texture, 255);
  SDL_SetTextureColorMod(sprite.texture, 255, 255, 255);
  if (sprite.scaleMode != SDL_ScaleModeNearest) {
    SDL_SetTextureScaleMode(sprite.texture, SDL_ScaleModeNearest);
    sprite.scaleMode = SDL_ScaleModeNearest;
  }
  pixels.resize(static_cast<std::size_t>(sprite.width) * sprite.height);
  const bool ok = SDL_RenderCopy(s.renderer, sprite.texture, nullptr, nullptr) == 0 &&
                  ReadTargetPixels(nullptr, pixels.data(), sprite.width * 4);
  ++s.drawCalls;
  BindTexture(previous);
  SDL_DestroyTexture(copy);
  if (!ok) return false;
  if (!(sprite.flags & spriteAlpha)) {
    for (uint32_t& p : pixels) p |= 0xFF000000u;
  }
  return true;
}

// Frees a vector's memory, not only its contents.
void Release(std::vector<uint32_t>& pixels) { std::vector<uint32_t>().swap(pixels); }

// Only a texture of the sprite's own size, never drawn into, is copied in its visible parts; a
// quad of any texture never drawn into is drawn in its own.
void NoteVisibleParts(SpriteRecord& sprite, const std::vector<uint32_t>& texturePixels) {
  sprite.visible.clear();
  sprite.quadVisible.clear();
  if (sprite.isTarget || sprite.opaqueTexture) return;
  sprite.quadVisible = QuadVisibleRectangles(texturePixels.data(), sprite.textureWidth, sprite.textureHeight);
  if (sprite.textureWidth != sprite.width || sprite.textureHeight != sprite.height) return;
  sprite.visible = VisibleRectangles(texturePixels.data(), sprite.width, sprite.height);
}

// An opaque picture copied onto a screen of scale 1 at its own size, as a copy of memory where the
// renderer allows.
bool CopyAsMemory(SpriteRecord& sprite, const SDL_Rect& source, const SDL_Rect& destination) {
  MediaState& s = State();
  if (s.scaleX != 1.0f || s.scaleY != 1.0f || sprite.textureWidth != sprite.width ||
      sprite.textureHeight != sprite.height) {
    return false;
  }
  return CopyTextureMemory(sprite.texture, sprite.glName, source, s.backBuffer, s.glCopies.backBufferName,
                           destination.x, destination.y);
}

// A large one (the menu's background, a level's backdrop) always goes so; small ones cost the
// rasteriser little as textured passes, except the parts of a frame's base copies (Display).
bool LargeCopyAsMemory(SpriteRecord& sprite, const SDL_Rect& source, const SDL_Rect& destination) {
  constexpr int largeCopyPixels = 256 * 256;
  return source.w * source.h >= largeCopyPixels && CopyAsMemory(sprite, source, destination);
}

// A rectangle's edge from the sprite's pixels into the texture's texels.
int TexelOf(int position, int textureLength, int length) {
  return static_cast<int>((2 * static_cast<int64_t>(position) * textureLength + length) / (2 * length));
}

}  // namespace

void DestroySpriteTexture(SpriteRecord& sprite) {
  if (sprite.texture) {
    FlushQuads();
    NoteTextureWritten(sprite.texture);
    SDL_DestroyTexture(sprite.texture);
  }
  sprite.texture = nullptr;
  sprite.glName = 0;
  sprite.isTarget = false;
  sprite.textureWidth = sprite.textureHeight = 0;
  sprite.visible.clear();
  sprite.quadVisible.clear();
  MediaState& s = State();
  // A destroyed texture may still be the renderer's target.
  s.boundTargetValid = false;
}

void TextureSizeFor(const SpriteRecord& sprite, int& width, int& height) {
  // Past this scale a picture twice the size would still be magnified by a quarter or more.
  constexpr float enlargeFrom = 2.5f;
  const MediaState& s = State();
  width = sprite.width * sprite.detail;
  height = sprite.height * sprite.detail;
  if (sprite.detail > 1 && std::min(s.scaleX, s.scaleY) >= enlargeFrom) {
    // Rounded up: drawn from a whole screen pixel, it reaches at least as far as the exact size.
    constexpr float slack = 1e-3f;
    width = static_cast<int>(std::ceil(static_cast<float>(sprite.width) * s.scaleX - slack));
    height = static_cast<int>(std::ceil(static_cast<float>(sprite.height) * s.scaleY - slack));
  }
}

SDL_FRect TexelForPixel(float x, float y, int texelsWide, int texelsHigh) {
  const MediaState& s = State();
  const float left = FirstCoveredPixel(x, s.scaleX);
  const float top = FirstCoveredPixel(y, s.scaleY);
  return SDL_FRect{left / s.scaleX, top / s.scaleY, static_cast<float>(texelsWide) / s.scaleX,
                   static_cast<float>(texelsHigh) / s.scaleY};
}

void DropTexturesMadeForAnotherScale() {
  for (auto& [number, sprite] : State().sprites) {
    if (!sprite.texture || sprite.isTarget || sprite.detail == 1) continue;
    int width = 0;
    int height = 0;
    TextureSizeFor(sprite, width, height);
    if (width != sprite.textureWidth || height != sprite.textureHeight) DestroySpriteTexture(sprite);
  }
}

void DropSpriteDetail(SpriteRecord& sprite) {
  if (sprite.detail == 1) return;
  sprite.detail = 1;
  Release(sprite.detailPixels);
  sprite.detailOrigin = PictureOrigin{};
  DestroySpriteTexture(sprite);
}

void RestoreSpritePixels(SpriteRecord& sprite) {
  if (!sprite.pixels.empty()) return;
  std::vector<uint32_t> pixels;
  if (sprite.blank) {
    pixels.assign(static_cast<std::size_t>(sprite.width) * sprite.height,
                  sprite.flags & spriteAlpha ? 0 : 0xFF000000u);
  } else if (!ReadPictureAgain(sprite.origin, sprite.width, sprite.height, sprite.flags, pixels) &&
             !ReadTextureBack(sprite, pixels)) {
    FatalError("The picture of sprite " + std::to_string(sprite.number) + " could not be read again");
  }
  sprite.pixels = std::move(pixels);
}

void RestoreDetailPixels(SpriteRecord& sprite) {
  if (sprite.detail == 1 || !sprite.detailPixels.empty()) return;
  if (!ReadPictureAgain(sprite.detailOrigin, sprite.width * sprite.detail, sprite.height * sprite.detail,
                        sprite.flags, sprite.detailPixels)) {
    DropSpriteDetail(sprite);
  }
}

void ClaimSpritePixels(SpriteRecord& sprite) {
  RestoreSpritePixels(sprite);
  sprite.origin = PictureOrigin{};
  sprite.blank = false;
}

bool DropDrawnOnlyPixels(SpriteRecord& sprite) {
  const MediaState& s = State();
  const bool drawnInto = s.drawIntoSprite == sprite.number ||
                         (s.drawing && s.drawKind == TargetKind::sprite && s.drawNumber == sprite.number);
  if (!sprite.texture || sprite.isTarget || sprite.pixelsStale || drawnInto) return false;
  bool dropped = false;
  if ((sprite.origin.reader || sprite.blank) && !sprite.pixels.empty()) {
    Release(sprite.pixels);
    dropped = true;
  }
  if (sprite.detail > 1 && sprite.detailOrigin.reader && !sprite.detailPixels.empty()) {
    Release(sprite.detailPixels);
    dropped = true;
  }
  return dropped;
}

// The pixels the texture is made from are in memory (a detail that cannot be read again is
// dropped first); true when some had been dropped.
bool RestoreTexturePixels(SpriteRecord& sprite) {
  const bool dropped = sprite.detail > 1 ? sprite.detailPixels.empty() : sprite.pixels.empty();
  RestoreDetailPixels(sprite);
  if (sprite.detail == 1) RestoreSpritePixels(sprite);
  return dropped;
}

bool EnsureSpriteTexture(SpriteRecord& sprite) {
  MediaState& s = State();
  if (sprite.texture) return true;
  if (!s.renderer) return false;
  const bool restored = RestoreTexturePixels(sprite);
  int width = 0;
  int height = 0;
  TextureSizeFor(sprite, width, height);
  sprite.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                     width, height);
  if (!sprite.texture) return false;
  sprite.glName = 0;
  sprite.textureWidth = width;
  sprite.textureHeight = height;
  sprite.isTarget = false;
  sprite.scaleMode = SDL_ScaleModeNearest;
  SDL_SetTextureScaleMode(sprite.texture, SDL_ScaleModeNearest);
  std::vector<uint32_t> pixels = TexturePixels(sprite);
  SDL_UpdateTexture(sprite.texture, nullptr, pixels.data(), width * 4);
  NoteTextureWritten(sprite.texture);
  sprite.opaqueTexture = std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p >= 0xFF000000u; });
  NoteVisibleParts(sprite, pixels);
  // A texture made again (a new screen or scale) lets the pixels it brought back go again.
  if (restored) DropDrawnOnlyPixels(sprite);
  return true;
}

// Drawing into a sprite needs a render-target texture; a loaded sprite gets one on first use.
bool EnsureSpriteTarget(SpriteRecord& sprite) {
  MediaState& s = State();
  if (sprite.texture && sprite.isTarget) return true;
  if (!s.renderer) return false;
  ClaimSpritePixels(sprite);
  DropSpriteDetail(sprite);
  if (sprite.pixelsStale) ReadBackSprite(sprite);
  SDL_Texture* target = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, sprite.width, sprite.height);
  if (!target) return false;
  if (sprite.texture) {
    FlushQuads();
    NoteTextureWritten(sprite.texture);
    SDL_DestroyTexture(sprite.texture);
  }
  s.boundTargetValid = false;
  sprite.texture = target;
  sprite.glName = 0;
  sprite.textureWidth = sprite.width;
  sprite.textureHeight = sprite.height;
  sprite.isTarget = true;
  sprite.opaqueTexture = false;
  sprite.visible.clear();
  sprite.quadVisible.clear();
  sprite.scaleMode = SDL_ScaleModeNearest;
  SDL_SetTextureScaleMode(target, SDL_ScaleModeNearest);
  std::vector<uint32_t> pixels = TexturePixels(sprite);
  SDL_UpdateTexture(target, nullptr, pixels.data(), sprite.width * 4);
  NoteTextureWritten(target);
  return true;
}

void RefreshSpriteTexture(SpriteRecord& sprite) {
  if (!sprite.texture) return;
  const bool restored = RestoreTexturePixels(sprite);
  if (!sprite.texture) return;  // its detail could not be read again: made afresh when drawn
  // A picture with its own alpha at its own size is its texture's pixels as they stand.
  std::vector<uint32_t>& converted = State().textureScratch;
  const bool asStored = (sprite.flags & spriteAlpha) && sprite.detail == 1 && sprite.textureWidth == sprite.width &&
                        sprite.textureHeight == sprite.height;
  if (!asStored) TexturePixelsInto(sprite, converted);
  const std::vector<uint32_t>& pixels = asStored ? sprite.pixels : converted;
  sprite.opaqueTexture =
      !sprite.isTarget && std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p >= 0xFF000000u; });
  NoteVisibleParts(sprite, pixels);
  UploadPixelsToTexture(sprite.texture, nullptr, pixels.data(), sprite.textureWidth, sprite.textureHeight,
                        sprite.textureWidth, false);
  if (restored) DropDrawnOnlyPixels(sprite);
}

// Brings the CPU pixels up to date with drawing that went into the sprite's texture.
bool ReadBackSprite(SpriteRecord& sprite) {
  MediaState& s = State();
  if (!sprite.pixelsStale) return true;
  if (!s.renderer || !sprite.texture || !sprite.isTarget) {
    sprite.pixelsStale = false;
    return false;
  }
  FlushQuads();
  SDL_Texture* previous = s.boundTargetValid ? s.boundTarget : s.backBuffer;
  BindTexture(sprite.texture);
  SDL_Rect all{0, 0, sprite.width, sprite.height};
  sprite.pixels.resize(static_cast<std::size_t>(sprite.width) * sprite.height);
  bool ok = ReadTargetPixels(&all, sprite.pixels.data(), sprite.width * 4);
  BindTexture(previous);
  if (ok && !(sprite.flags & spriteAlpha)) {
    for (uint32_t& p : sprite.pixels) p |= 0xFF000000u;
  }
  sprite.pixelsStale = false;
  return ok;
}

bool StoreSprite(int number, Picture&& picture, int flags) {
  MediaState& s = State();
  if (number < 0 || picture.width <= 0 || picture.height <= 0) return false;
  FreeSprite(number);
  SpriteRecord record;
  record.number = number;
  record.width = picture.width;
  record.height = picture.height;
  record.flags = flags;
  record.colourKey = s.defaultColourKey;
  record.pixels = std::move(picture.pixels);
  if (!(flags & spriteAlpha)) {
    for (uint32_t& p : record.pixels) p |= 0xFF000000u;
  }
  s.sprites[number] = std::move(record);
  return true;
}

}  // namespace media

using namespace media;

void PrepareSpriteTextures() {
  bool dropped = false;
  for (auto& [number, sprite] : State().sprites) {
    EnsureSpriteTexture(sprite);
    dropped = DropDrawnOnlyPixels(sprite) || dropped;
  }
  // Most pictures are small: their memory stays with the allocator, in pages among the live
  // ones, unless it is handed back.
  if (dropped) malloc_trim(0);
}

void SetSpriteOrigin(int sprite, const PictureOrigin& origin, int detail) {
  SpriteRecord* record = FindSprite(sprite);
  if (!record) return;
  if (detail == 1) {
    record->origin = origin;
  } else if (detail == record->detail) {
    record->detailOrigin = origin;
  }
}

namespace {

// Copies (part of) a sprite to the current target, clipped to the target as the game expects:
// a negative position starts the copy inside the sprite.
void Display(int number, int x, int y, bool transparent) {
  MediaState& s = State();
  SpriteRecord* sprite = FindSprite(number);
  if (!sprite) return;
  bool intoScreen = true;
  int targetWidth = 0;
  int targetHeight = 0;
  if (!BindDrawTarget(intoScreen, targetWidth, targetHeight)) return;
  const bool intoItself = !intoScreen && s.drawIntoSprite == number;
  if (!EnsureSpriteTexture(*sprite)) return;
  SDL_Rect source{0, 0, sprite->width, sprite->height};
  if (sprite->clipped) {
    SDL_Rect whole = source;
    if (!SDL_IntersectRect(&sprite->clip, &whole, &source)) return;
  }
  int left = x;
  int top = y;
  if (left < 0) {
    source.x -= left;
    source.w += left;
    left = 0;
  }
  if (top < 0) {
    source.y -= top;
    source.h += top;
    top = 0;
  }
  if (left + source.w > targetWidth) source.w = targetWidth - left;
  if (top + source.h > targetHeight) source.h = targetHeight - top;
  if (source.w <= 0 || source.h <= 0) return;
  SDL_Rect destination{left, top, source.w, source.h};
  // On a screen whose changes are limited to a part, only the copy's part within it is made.
  if (intoScreen && s.changeLimited) {
    SDL_Rect meeting;
    if (!SDL_IntersectRect(&destination, &s.changeLimit, &meeting)) return;
    source.x += meeting.x - destination.x;
    source.y += meeting.y - destination.y;
    source.w = meeting.w;
    source.h = meeting.h;
    destination = meeting;
  }
  ApplyClip(nullptr);
  // A picture of the sprite's own size is copied pixel for pixel (or each pixel magnified on a
  // scaled screen); a detailed one is filtered down or up to the pixels it covers, unless its
  // texture was made at the screen's own scale: that one lands texel for pixel from the screen
  // pixel where the copy starts.
  const bool atScreenScale = intoScreen && MadeAtScreenScale(*sprite);
  const SDL_ScaleMode wanted =
      sprite->detail > 1 && !atScreenScale ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
  if (sprite->scaleMode != wanted) {
    SDL_RenderFlush(s.renderer);
    SDL_SetTextureScaleMode(sprite->texture, wanted);
    sprite->scaleMode = wanted;
  }
  if (sprite->textureWidth != sprite->width || sprite->textureHeight != sprite->height) {
    const int right = TexelOf(source.x + source.w, sprite->textureWidth, sprite->width);
    const int bottom = TexelOf(source.y + source.h, sprite->textureHeight, sprite->height);
    source.x = TexelOf(source.x, sprite->textureWidth, sprite->width);
    source.y = TexelOf(source.y, sprite->textureHeight, sprite->height);
    source.w = right - source.x;
    source.h = bottom - source.y;
  }
  const SDL_FRect snapped = atScreenScale ? TexelForPixel(static_cast<float>(destination.x),
                                                          static_cast<float>(destination.y), source.w, source.h)
                                           : SDL_FRect{};
  SDL_Texture* texture = sprite->texture;
  if (intoItself) {
    // A texture cannot be read while it is drawn into: the rectangle goes through a scratch
    // texture first (the scrolling panel copies its own rows).
    if (!s.scratch || s.scratchWidth < source.w || s.scratchHeight < source.h) {
      if (s.scratch) SDL_DestroyTexture(s.scratch);
      s.scratchWidth = std::max(s.scratchWidth, source.w);
      s.scratchHeight = std::max(s.scratchHeight, source.h);
      s.scratch = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    s.scratchWidth, s.scratchHeight);
      if (!s.scratch) {
        s.scratchWidth = s.scratchHeight = 0;
        return;
      }
      SDL_SetTextureScaleMode(s.scratch, SDL_ScaleModeNearest);
    }
    SDL_Texture* scratch = s.scratch;
    const SDL_Rect piece{0, 0, source.w, source.h};
    BindTexture(scratch);
    ApplyClip(nullptr);
    SDL_SetTextureBlendMode(sprite->texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(sprite->texture, 255);
    SDL_SetTextureColorMod(sprite->texture, 255, 255, 255);
    SDL_RenderCopy(s.renderer, sprite->texture, &source, &piece);
    ++s.drawCalls;
    if (!BindDrawTarget(intoScreen, targetWidth, targetHeight)) return;
    ApplyClip(nullptr);
    texture = scratch;
    source = piece;
  }
  // The screen's alpha stays opaque either way; the plain copy skips reading it.
  const bool plainCopy = intoScreen && !transparent && !intoItself && sprite->opaqueTexture;
  SDL_SetTextureBlendMode(texture, plainCopy ? SDL_BLENDMODE_NONE
                                   : transparent ? OverBlend(intoScreen) : CopyBlend(intoScreen));
  SDL_SetTextureAlphaMod(texture, 255);
  SDL_SetTextureColorMod(texture, 255, 255, 255);
  // A copy that starts the frame as it started the last one is made again only where the last
  // frame drew over it; it can be cut so when it goes texel for pixel. Its parts go as copies of
  // memory however small: as textured passes they cost llvmpipe more than the whole copy did.
  const bool texelForPixel = s.scaleX == 1.0f && s.scaleY == 1.0f && !atScreenScale &&
                             sprite->textureWidth == sprite->width && sprite->textureHeight == sprite->height;
  std::vector<SDL_Rect>& parts = s.baseCopyParts;
  const BaseCopyKind base = plainCopy && !sprite->isTarget
                                ? StartBaseCopy(texture, source, destination, texelForPixel, parts)
                                : BaseCopyKind::notBase;
  if (base == BaseCopyKind::inParts) {
    for (const SDL_Rect& part : parts) {
      const SDL_Rect from{source.x + part.x - destination.x, source.y + part.y - destination.y, part.w, part.h};
      if (!CopyAsMemory(*sprite, from, part)) SDL_RenderCopy(s.renderer, texture, &from, &part);
      s.copyPixels += static_cast<double>(part.w) * part.h;
    }
    ++s.drawCalls;
    return;
  }
  if (plainCopy && !atScreenScale && LargeCopyAsMemory(*sprite, source, destination)) {
    s.copyPixels += static_cast<double>(destination.w) * destination.h;
  } else if (atScreenScale && !intoItself) {
    SDL_RenderCopyF(s.renderer, texture, &source, &snapped);
    s.copyPixels += static_cast<double>(destination.w) * destination.h;
  } else if (transparent && intoScreen && !intoItself && !sprite->visible.empty() && s.scaleX == 1.0f &&
             s.scaleY == 1.0f) {
    // Clear texels leave the screen as it is: only the parts that show are copied.
    for (const SDL_Rect& part : sprite->visible) {
      SDL_Rect shown;
      if (!SDL_IntersectRect(&part, &source, &shown)) continue;
      const SDL_Rect onScreen{destination.x + shown.x - source.x, destination.y + shown.y - source.y, shown.w,
                              shown.h};
      SDL_RenderCopy(s.renderer, texture, &shown, &onScreen);
      s.copyPixels += static_cast<double>(shown.w) * shown.h;
    }
  } else {
    SDL_RenderCopy(s.renderer, texture, &source, &destination);
    if (intoScreen) s.copyPixels += static_cast<double>(destination.w) * destination.h;
  }
  // A base copy's pixels count as changed only when it does not repeat the last frame's.
  if (base == BaseCopyKind::notBase) {
    CountDrawing(s.drawCalls, &destination);
  } else {
    ++s.drawCalls;
  }
}

}  // namespace

bool AddSpriteDetail(int sprite, const void* data, std::size_t size) {
  constexpr int detail = 2;
  SpriteRecord* record = FindSprite(sprite);
  if (!record) return false;
  Picture picture;
  if (!DecodePicture(data, size, picture) || picture.width != record->width * detail ||
      picture.height != record->height * detail) {
    return false;
  }
  if (record->pixelsStale || record->isTarget) return false;  // already drawn into
  DestroySpriteTexture(*record);
  record->detail = detail;
  record->detailPixels = std::move(picture.pixels);
  record->detailOrigin = PictureOrigin{};
  if (!(record->flags & spriteAlpha)) {
    for (uint32_t& p : record->detailPixels) p |= 0xFF000000u;
  }
  return true;
}

bool CatchSprite(int sprite, const void* data, std::size_t size, int flags) {
  Picture picture;
  std::string reason;
  if (sprite < 0) return false;
  if (!DecodePicture(data, size, picture, &reason)) {
    ReportFailure("Sprite " + std::to_string(sprite) + " could not be decoded", reason);
    return false;
  }
  return StoreSprite(sprite, std::move(picture), flags);
}

bool CreateSprite(int sprite, int width, int height, int flags) {
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > maxPicturePixels) return false;
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  if (!StoreSprite(sprite, std::move(picture), flags)) return false;
  FindSprite(sprite)->blank = true;
  return true;
}

int SpriteWidth(int sprite) {
  SpriteRecord* record = FindSprite(sprite);
  return record ? record->width : 0;
}

int SpriteHeight(int sprite) {
  SpriteRecord* record = FindSprite(sprite);
  return record ? record->height : 0;
}

void TransparentSpriteColor(int sprite, int colour) {
  MediaState& s = State();
  colour &= 0xFFFFFF;
  if (sprite == -1) {
    s.defaultColourKey = colour;
    return;
  }
  SpriteRecord* record = FindSprite(sprite);
  if (!record || record->colourKey == colour) return;
  if (record->pixelsStale) ReadBackSprite(*record);
  record->colourKey = colour;
  RefreshSpriteTexture(*record);
}

void DisplaySprite(int sprite, int x, int y) { Display(sprite, x, y, false); }

void DisplayTransparentSprite(int sprite, int x, int y) { Display(sprite, x, y, true); }

void ClipSprite(int sprite, int x, int y, int width, int height) {
  SpriteRecord* record = FindSprite(sprite);
  if (!record) return;
  if (x == -1 && y == -1 && width == -1 && height == -1) {
    record->clipped = false;
    return;
  }
  record->clipped = true;
  record->clip = SDL_Rect{x, y, width, height};
}

void DrawIntoSprite(int sprite) {
  MediaState& s = State();
  SyncDrawingCopy();
  SpriteRecord* record = FindSprite(sprite);
  s.drawIntoSprite = record ? sprite : -1;
}

void DrawIntoScreen() {
  SyncDrawingCopy();
  State().drawIntoSprite = -1;
}

bool SpriteCollision(int sprite1, int x1, int y1, int sprite2, int x2, int y2) {
  SpriteRecord* a = FindSprite(sprite1);
  SpriteRecord* b = FindSprite(sprite2);
  if (!a || !b) return false;
  return x1 < x2 + b->width && x2 < x1 + a->width && y1 < y2 + b->height && y2 < y1 + a->height;
}

void FreeSprite(int sprite) {
  MediaState& s = State();
  SpriteRecord* record = FindSprite(sprite);
  if (!record) return;
  if (s.drawing && s.drawKind == TargetKind::sprite && s.drawNumber == sprite) StopDrawing();
  if (s.drawIntoSprite == sprite) s.drawIntoSprite = -1;
  DestroySpriteTexture(*record);
  s.sprites.erase(sprite);
}

bool IsSprite(int sprite) { return FindSprite(sprite) != nullptr; }

namespace media {

void ShutdownSprites() {
  MediaState& s = State();
  for (auto& [number, sprite] : s.sprites) DestroySpriteTexture(sprite);
  s.sprites.clear();
  s.quads.clear();
}

}  // namespace media

int SpriteDetail(int sprite) {
  const SpriteRecord* record = FindSprite(sprite);
  return record ? record->detail : 0;
}

bool SpriteTextureSize(int sprite, int& width, int& height) {
  const SpriteRecord* record = FindSprite(sprite);
  if (!record) return false;
  width = record->textureWidth;
  height = record->textureHeight;
  return true;
}

bool SpritePixelsHeld(int sprite) {
  const SpriteRecord* record = FindSprite(sprite);
  return record && !record->pixels.empty();
}
