// SPDX-License-Identifier: GPL-3.0-or-later
// The window, the back buffer and the frame: every drawing goes into one back-buffer texture of
// the screen's size (times the display's scale on a sharp display), which FlipBuffers scales and
// letterboxes into the window.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cctype>
#include <cstring>
#include <thread>

#include "media/media_diagnostics.h"
#include "media/media_internal.h"

namespace media {

SDL_BlendMode CopyBlend(bool intoScreen) {
  return SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ZERO, SDL_BLENDOPERATION_ADD,
                                    intoScreen ? SDL_BLENDFACTOR_ZERO : SDL_BLENDFACTOR_ONE,
                                    intoScreen ? SDL_BLENDFACTOR_ONE : SDL_BLENDFACTOR_ZERO,
                                    SDL_BLENDOPERATION_ADD);
}

SDL_BlendMode OverBlend(bool intoScreen) {
  return SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_SRC_ALPHA, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
                                    SDL_BLENDOPERATION_ADD,
                                    intoScreen ? SDL_BLENDFACTOR_ZERO : SDL_BLENDFACTOR_ONE,
                                    intoScreen ? SDL_BLENDFACTOR_ONE : SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
                                    SDL_BLENDOPERATION_ADD);
}

namespace {

// Drawing onto the back buffer is scaled from the screen's coordinates into its pixels; sprites
// and the other textures are drawn 1:1. The window's own scale (its logical size) is SDL's: it
// comes back by itself when the window is the target again.
void ApplyTargetScale() {
  MediaState& s = State();
  if (!s.renderer || !s.boundTargetValid || !s.boundTarget) return;
  const bool screen = s.boundTarget == s.backBuffer;
  SDL_RenderSetScale(s.renderer, screen ? s.scaleX : 1.0f, screen ? s.scaleY : 1.0f);
}

}  // namespace

void BindTexture(SDL_Texture* target) {
  MediaState& s = State();
  if (s.boundTargetValid && s.boundTarget == target) return;
  FlushQuads();
  // Bound to be drawn into: a base copy of it repeats no longer (the screen's drawings say where).
  if (target != s.backBuffer) NoteTextureWritten(target);
  SDL_SetRenderTarget(s.renderer, target);
  s.boundTarget = target;
  s.boundTargetValid = true;
  ApplyTargetScale();
  // Changing target resets the renderer's clip rectangle.
  s.clipApplied = false;
}

bool ScaledTarget() {
  MediaState& s = State();
  return s.boundTargetValid && s.boundTarget && s.boundTarget == s.backBuffer &&
         (s.scaleX != 1.0f || s.scaleY != 1.0f);
}

void ApplyClip(const SDL_Rect* clip) {
  MediaState& s = State();
  // While the screen's changes are limited to a part of it, drawing on it is clipped to that part.
  SDL_Rect limited;
  if (s.changeLimited && s.boundTargetValid && s.boundTarget == s.backBuffer) {
    if (!clip) {
      limited = s.changeLimit;
    } else if (!SDL_IntersectRect(clip, &s.changeLimit, &limited)) {
      limited = SDL_Rect{0, 0, 0, 0};
    }
    clip = &limited;
  }
  if (!clip) {
    if (s.clipApplied) {
      FlushQuads();
      SDL_RenderSetClipRect(s.renderer, nullptr);
    }
    s.clipApplied = false;
    return;
  }
  if (s.clipApplied && std::memcmp(&s.appliedClip, clip, sizeof *clip) == 0) return;
  FlushQuads();
  SDL_RenderSetClipRect(s.renderer, clip);
  s.appliedClip = *clip;
  s.clipApplied = true;
}

// The target of GPU drawing: the sprite of an open StartDrawing on a sprite, else the sprite of
// DrawIntoSprite, else the back buffer.
SDL_Texture* CurrentGpuTarget(bool& intoScreen, int& targetWidth, int& targetHeight) {
  MediaState& s = State();
  int spriteNumber = -1;
  if (s.drawing && s.drawKind == TargetKind::sprite) {
    spriteNumber = s.drawNumber;
  } else if (s.drawIntoSprite >= 0) {
    spriteNumber = s.drawIntoSprite;
  }
  if (spriteNumber >= 0) {
    SpriteRecord* sprite = FindSprite(spriteNumber);
    if (sprite && EnsureSpriteTarget(*sprite)) {
      intoScreen = false;
      targetWidth = sprite->width;
      targetHeight = sprite->height;
      sprite->pixelsStale = true;
      return sprite->texture;
    }
  }
  intoScreen = true;
  targetWidth = s.screenWidth;
  targetHeight = s.screenHeight;
  return s.backBuffer;
}

bool BindDrawTarget(bool& intoScreen, int& targetWidth, int& targetHeight) {
  if (!State().renderer) return false;
  FlushQuads();
  return BindQuadTarget(intoScreen, targetWidth, targetHeight);
}

bool BindQuadTarget(bool& intoScreen, int& targetWidth, int& targetHeight) {
  MediaState& s = State();
  if (!s.renderer || !s.backBuffer) return false;
  SyncDrawingCopy();
  SDL_Texture* target = CurrentGpuTarget(intoScreen, targetWidth, targetHeight);
  if (intoScreen) SettleWindowCopiesBeforeDrawing();
  BindTexture(target);
  return true;
}

float FirstCoveredPixel(float position, float scale) { return std::ceil(position * scale - 0.5f); }

namespace {

// The back-buffer pixels whose centres fall in each screen pixel of a row or column: screen
// pixel i of [first, first + count) covers [starts[i], starts[i + 1]) of the back buffer.
std::vector<int> ScaledSpans(int first, int count, float scale, int limit) {
  std::vector<int> starts(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i <= count; ++i) {
    const int start = static_cast<int>(FirstCoveredPixel(static_cast<float>(first + i), scale));
    starts[i] = std::clamp(start, 0, limit);
  }
  return starts;
}

// A rectangle of a scaled back buffer brought down to the screen's pixels, each the mean of the
// back-buffer pixels it covers: what the classic screen would hold, give or take the sharper
// drawing's edges.
bool ReadScaledPixels(const SDL_Rect& rect, uint32_t* pixels) {
  MediaState& s = State();
  const std::vector<int> columns = ScaledSpans(rect.x, rect.w, s.scaleX, s.backWidth);
  const std::vector<int> rows = ScaledSpans(rect.y, rect.h, s.scaleY, s.backHeight);
  const SDL_Rect wide{columns.front(), rows.front(), columns.back() - columns.front(), rows.back() - rows.front()};
  std::fill(pixels, pixels + static_cast<std::size_t>(rect.w) * rect.h, 0u);
  if (wide.w <= 0 || wide.h <= 0) return true;
  std::vector<uint32_t> big(static_cast<std::size_t>(wide.w) * wide.h);
  if (!ReadTargetPixels(&wide, big.data(), wide.w * 4)) {
    return false;
  }
  for (int y = 0; y < rect.h; ++y) {
    for (int x = 0; x < rect.w; ++x) {
      uint32_t r = 0, g = 0, b = 0, n = 0;
      for (int by = rows[y]; by < rows[y + 1]; ++by) {
        const uint32_t* row = big.data() + static_cast<std::size_t>(by - wide.y) * wide.w - wide.x;
        for (int bx = columns[x]; bx < columns[x + 1]; ++bx) {
          const uint32_t p = row[bx];
          r += (p >> 16) & 255;
          g += (p >> 8) & 255;
          b += p & 255;
          ++n;
        }
      }
      if (n == 0) continue;
      pixels[static_cast<std::size_t>(y) * rect.w + x] =
          (r + n / 2) / n << 16 | (g + n / 2) / n << 8 | (b + n / 2) / n;
    }
  }
  return true;
}

}  // namespace

bool ReadScreenPixels(const SDL_Rect& rect, uint32_t* pixels) {
  MediaState& s = State();
  if (!s.renderer || !s.backBuffer) return false;
  FlushQuads();
  SettleWindowCopies();
  BindTexture(s.backBuffer);
  if (s.scaleX != 1.0f || s.scaleY != 1.0f) return ReadScaledPixels(rect, pixels);
  if (!ReadTargetPixels(&rect, pixels, rect.w * 4)) {
    return false;
  }
  std::size_t count = static_cast<std::size_t>(rect.w) * rect.h;
  for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;
  return true;
}

bool ReadFullBackBuffer(std::vector<uint32_t>& pixels, int& width, int& height) {
  MediaState& s = State();
  if (!s.renderer || !s.backBuffer) return false;
  FlushQuads();
  SyncDrawingCopy();
  SettleWindowCopies();
  BindTexture(s.backBuffer);
  pixels.assign(static_cast<std::size_t>(s.backWidth) * s.backHeight, 0);
  const SDL_Rect all{0, 0, s.backWidth, s.backHeight};
  if (!ReadTargetPixels(&all, pixels.data(), s.backWidth * 4)) {
    ReportSdlFailure("The back buffer could not be read");
    return false;
  }
  for (uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
  width = s.backWidth;
  height = s.backHeight;
  return true;
}

void UploadPixelsToTexture(SDL_Texture* texture, const SDL_Rect* rect, const uint32_t* pixels,
                           int width, int height, int pitchPixels, bool forceOpaque) {
  MediaState& s = State();
  if (!texture) return;
  // Queued drawing into or from this texture must land before the new pixels.
  FlushQuads();
  SDL_RenderFlush(s.renderer);
  if (texture == s.backBuffer) s.screenWritten = true;
  NoteTextureWritten(texture);
  if (!rect && UploadRedFirst(texture, pixels, width, height, pitchPixels, forceOpaque)) return;
  if (!forceOpaque) {
    SDL_UpdateTexture(texture, rect, pixels, pitchPixels * 4);
    return;
  }
  std::vector<uint32_t> opaque(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<std::size_t>(y) * pitchPixels;
    uint32_t* out = opaque.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) out[x] = row[x] | 0xFF000000u;
  }
  SDL_UpdateTexture(texture, rect, opaque.data(), width * 4);
}

bool RenderDriverCandidates(std::vector<int>& drivers, std::string& reason) {
  drivers.clear();
  const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const bool onlyNamed = named && *named;
  const int count = SDL_GetNumRenderDrivers();
  for (int index = 0; index < count; ++index) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(index, &info) != 0) continue;
    if (onlyNamed && SDL_strcasecmp(named, info.name) != 0) continue;
    drivers.push_back(index);
  }
  if (!drivers.empty()) return true;
  reason = onlyNamed ? "no render driver is called \"" + std::string(named) + "\" (SDL_RENDER_DRIVER)"
                     : "SDL has no render driver";
  return false;
}

void ReleaseAllGpuObjects() {
  MediaState& s = State();
  FlushQuads();
  for (auto& [number, sprite] : s.sprites) {
    if (sprite.pixelsStale) ReadBackSprite(sprite);
    DestroySpriteTexture(sprite);
  }
  ReleaseTextTextures();
  ReleaseImageTextures();
  if (s.scratch) SDL_DestroyTexture(s.scratch);
  s.scratch = nullptr;
  s.scratchWidth = s.scratchHeight = 0;
  if (s.copyUpload) SDL_DestroyTexture(s.copyUpload);
  s.copyUpload = nullptr;
}

namespace {

// The size of the desktop on that display; width and height are left alone when it is unknown.
void DesktopSize(int display, int& width, int& height) {
  SDL_DisplayMode mode;
  if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    width = mode.w;
    height = mode.h;
  }
}

// One of the composed blend modes of the glow effects (destination alpha, one): a renderer
// that takes it takes them all.
SDL_BlendMode GlowBlend() {
  return SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_DST_ALPHA, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD,
                                    SDL_BLENDFACTOR_ZERO, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
}

// What the game's drawing needs and the renderer lacks, in words; empty when it has it all:
// render targets (the back buffer, drawing into sprites), geometry (the Sprite3D quads) and
// composed blend modes (the glow effects' factors).
std::string MissingAbility(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return SDL_GetError();
  const std::string name = info.name;
  if (!(info.flags & SDL_RENDERER_TARGETTEXTURE)) return name + " cannot draw into textures";
  const SDL_Vertex noArea[3]{};  // a triangle without area: nothing is drawn
  if (SDL_RenderGeometry(renderer, nullptr, noArea, 3, nullptr, 0) != 0) {
    return name + " draws no geometry: " + SDL_GetError();
  }
  if (SDL_SetRenderDrawBlendMode(renderer, GlowBlend()) != 0) {
    return name + " has no composed blend modes: " + SDL_GetError();
  }
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  return "";
}

// The first renderer that can do all the game's drawing. SDL's own choice comes first, made as
// SDL makes it (with its command batching); when it lacks something, the other drivers are
// tried in turn. A driver named in SDL_RENDER_DRIVER is the only one tried: SDL would quietly
// take another when the named one is missing or fails, and whoever names it should hear why.
SDL_Renderer* MakeRenderer(SDL_Window* window, std::string& reason) {
  std::vector<int> drivers;
  if (!RenderDriverCandidates(drivers, reason)) return nullptr;
  const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  std::string refusals;
  auto refuse = [&refusals](const std::string& why) { refusals += (refusals.empty() ? "" : "; ") + why; };
  std::string refusedName;
  if (!named || !*named) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) {
      refuse(std::string("no accelerated renderer: ") + SDL_GetError());
    } else {
      const std::string missing = MissingAbility(renderer);
      if (missing.empty()) return renderer;
      refuse(missing);
      SDL_RendererInfo info;
      if (SDL_GetRendererInfo(renderer, &info) == 0) refusedName = info.name;
      SDL_DestroyRenderer(renderer);
    }
  }
  for (int index : drivers) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(index, &info) != 0 || refusedName == info.name) continue;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, index, 0);
    if (!renderer) {
      refuse(std::string(info.name) + ": " + SDL_GetError());
      continue;
    }
    const std::string missing = MissingAbility(renderer);
    if (missing.empty()) return renderer;
    refuse(missing);
    SDL_DestroyRenderer(renderer);
  }
  reason = refusals;
  return nullptr;
}

// The renderer's driver, and for a GL one the rasteriser behind it (its GL_RENDERER string):
// SDL names only the driver, and "opengl" is as much Mesa's llvmpipe as a graphics card.
std::string DescribeRenderer(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return "";
  std::string description = info.name;
  if (description.rfind("opengl", 0) != 0) return description;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned glRenderer = 0x1F01;  // GL_RENDERER
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* rasteriser = getString ? getString(glRenderer) : nullptr;
  if (rasteriser) description += std::string(" (") + reinterpret_cast<const char*>(rasteriser) + ")";
  return description;
}

// A rasteriser that draws on the CPU. At scale s it fills s² times the pixels of every frame:
// on llvmpipe with two cores a level frame took 15 ms at scale 1 and 87 ms at scale 2, more than
// six frame periods (bench/sharp_display_bench.cpp), so such a renderer keeps the classic screen
// unless the player forces sharp. The name decides, not a timing at start-up: a timing would vary with the machine's load
// and make two runs of the same game look different.
bool SoftwareRasteriser(const std::string& description) {
  std::string lower = description;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software"}) {
    if (lower.find(name) != std::string::npos) return true;
  }
  return false;
}

// The letterbox scale of a screen of width x height in the renderer's output, at least 1 (a
// window smaller than the screen is drawn classic and shrunk). The window must be the target.
float LetterboxScale(SDL_Renderer* renderer, int width, int height) {
  int outputWidth = 0;
  int outputHeight = 0;
  if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) return 1.0f;
  const float scale = std::min(static_cast<float>(outputWidth) / static_cast<float>(width),
                               static_cast<float>(outputHeight) / static_cast<float>(height));
  return std::max(scale, 1.0f);
}

// The back buffer's size for a screen of width x height in the window as it is now, by the display
// choice: the screen's own size on a classic screen, else times the window's letterbox scale.
void ChosenBackSize(int width, int height, int& backWidth, int& backHeight) {
  MediaState& s = State();
  float scale = 1.0f;
  if (s.stretched && (s.displayChoice == DisplayChoice::sharpOnAnyRenderer ||
                      (s.displayChoice == DisplayChoice::sharp && !SoftwareRasteriser(s.rendererDescription)))) {
    scale = LetterboxScale(s.renderer, width, height);
  }
  backWidth = std::max(width, static_cast<int>(std::lround(width * scale)));
  backHeight = std::max(height, static_cast<int>(std::lround(height * scale)));
}

void SetBackSize(int backWidth, int backHeight) {
  MediaState& s = State();
  s.backWidth = backWidth;
  s.backHeight = backHeight;
  s.scaleX = static_cast<float>(backWidth) / static_cast<float>(s.screenWidth);
  s.scaleY = static_cast<float>(backHeight) / static_cast<float>(s.screenHeight);
}

SDL_Texture* MakeBackBuffer(int backWidth, int backHeight) {
  MediaState& s = State();
  SDL_Texture* texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                           backWidth, backHeight);
  if (!texture) return nullptr;
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  s.backBufferScaleMode = SDL_ScaleModeLinear;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  return texture;
}

// The window was resized, or went full screen or back: the back buffer is made again at the scale
// the window now allows, holding the picture it held stretched to it, so drawing goes on at the
// window's own resolution from the next frame. Opening the screen again would do the same but
// lose the picture, which some screens build on from frame to frame. While a drawing is open
// (its copy of the screen has the old size) the change waits for the next look at the events.
void RescaleBackBuffer() {
  MediaState& s = State();
  s.rescaleWaiting = false;
  if (!s.renderer || !s.backBuffer) return;
  if (s.drawing) {
    s.rescaleWaiting = true;
    return;
  }
  // The renderer gives the window's size only while the window itself is its target; whatever
  // drawing comes next binds its target afresh, with the scale then in force.
  FlushQuads();
  SDL_SetRenderTarget(s.renderer, nullptr);
  s.boundTarget = nullptr;
  s.boundTargetValid = false;
  s.clipApplied = false;
  int backWidth = 0;
  int backHeight = 0;
  ChosenBackSize(s.screenWidth, s.screenHeight, backWidth, backHeight);
  if (backWidth == s.backWidth && backHeight == s.backHeight) return;
  SettleWindowCopies();
  SDL_Texture* rebuilt = MakeBackBuffer(backWidth, backHeight);
  if (!rebuilt) {
    ReportSdlFailure("The back buffer could not be made at the window's new size");
    return;
  }
  const bool detailWanted = WantsDetailedPictures();
  SDL_SetRenderTarget(s.renderer, rebuilt);
  SDL_RenderSetScale(s.renderer, 1.0f, 1.0f);
  SDL_RenderSetClipRect(s.renderer, nullptr);
  SDL_RenderCopy(s.renderer, s.backBuffer, nullptr, nullptr);
  SDL_DestroyTexture(s.backBuffer);
  s.backBuffer = rebuilt;
  ForgetBackBufferName();
  ForgetScreenChanges();
  SetBackSize(backWidth, backHeight);
  SDL_SetRenderTarget(s.renderer, nullptr);
  // Lines of text were rendered for the old scale.
  ReleaseTextTextures();
  DropTexturesMadeForAnotherScale();
  if (!detailWanted && WantsDetailedPictures()) s.detailNewlyWanted = true;
}

// Tests: the window's whole picture, bars included, read just before it is presented (once
// presented, the window's buffer holds nothing reliable). The logical size confines reading to
// the scaled screen, so it is lifted for the read.
void KeepPresentedPicture() {
  MediaState& s = State();
  int width = 0;
  int height = 0;
  int logicalWidth = 0;
  int logicalHeight = 0;
  s.presented.clear();
  s.presentedWidth = s.presentedHeight = 0;
  if (SDL_GetRendererOutputSize(s.renderer, &width, &height) != 0 || width <= 0 || height <= 0) return;
  SDL_RenderGetLogicalSize(s.renderer, &logicalWidth, &logicalHeight);
  SDL_RenderSetLogicalSize(s.renderer, 0, 0);
  s.presented.assign(static_cast<std::size_t>(width) * height, 0);
  if (SDL_RenderReadPixels(s.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s.presented.data(), width * 4) == 0) {
    for (uint32_t& pixel : s.presented) pixel &= 0x00FFFFFFu;
    s.presentedWidth = width;
    s.presentedHeight = height;
  } else {
    ReportSdlFailure("The presented picture could not be read");
    s.presented.clear();
  }
  if (logicalWidth > 0 && logicalHeight > 0) SDL_RenderSetLogicalSize(s.renderer, logicalWidth, logicalHeight);
}

// The back buffer, stretched to the window's logical viewport, covers every pixel of the
// window: its width and height are the screen's times one scale, exactly.
bool CoversWindow() {
  MediaState& s = State();
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(s.renderer, &width, &height) != 0 || s.screenWidth <= 0) return false;
  const float scale = static_cast<float>(width) / static_cast<float>(s.screenWidth);
  return static_cast<int>(static_cast<float>(s.screenWidth) * scale) == width &&
         static_cast<int>(static_cast<float>(s.screenHeight) * scale) == height;
}

// A back buffer of the window's own size is copied pixel for pixel: filtering would give the
// same pixels, and costs a software rasteriser four reads a pixel instead of one.
void FitBackBufferFilter() {
  MediaState& s = State();
  int width = 0;
  int height = 0;
  SDL_GetRendererOutputSize(s.renderer, &width, &height);
  const SDL_ScaleMode wanted =
      width == s.backWidth && height == s.backHeight ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
  if (wanted == s.backBufferScaleMode) return;
  SDL_RenderFlush(s.renderer);
  SDL_SetTextureScaleMode(s.backBuffer, wanted);
  s.backBufferScaleMode = wanted;
}

// Alt+Enter switches between full screen and a window, wherever the game is (play, menu, pause,
// side games). Neither the press of its Enter nor the release reaches the game, so no menu takes
// it for a choice.
bool TakeAltEnter(const SDL_Event& event) {
  MediaState& s = State();
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
  const SDL_Scancode key = event.key.keysym.scancode;
  if (key != SDL_SCANCODE_RETURN && key != SDL_SCANCODE_KP_ENTER) return false;
  if (event.type == SDL_KEYUP) {
    const bool taken = s.altEnterHeld;
    s.altEnterHeld = false;
    return taken;
  }
  if (!(event.key.keysym.mod & KMOD_ALT)) return false;
  s.altEnterHeld = true;
  if (!event.key.repeat) SetFullScreen(!FullScreen());
  return true;
}

}  // namespace

void PumpEvents() {
  MediaState& s = State();
  if (!s.videoUp) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (TakeAltEnter(event)) continue;
    switch (event.type) {
      case SDL_QUIT:
        s.closeRequested = true;
        break;
      case SDL_WINDOWEVENT:
        s.windowSpoilt = true;
        switch (event.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
          case SDL_WINDOWEVENT_RESTORED:
            s.windowActive = true;
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
          case SDL_WINDOWEVENT_MINIMIZED:
            s.windowActive = false;
            break;
          case SDL_WINDOWEVENT_CLOSE:
            s.closeRequested = true;
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            s.rescaleWaiting = true;
            break;
          default:
            break;
        }
        break;
      default:
        HandleInputEvent(event);
        break;
    }
  }
  if (s.rescaleWaiting) RescaleBackBuffer();
  // SDL recomputes the window's logical scaling on a resize and, doing so, sets the drawing
  // target's scale back to 1.
  ApplyTargetScale();
}

}  // namespace media

using namespace media;

bool OpenWindow(int window, int x, int y, int width, int height, const std::string& title,
                bool borderless) {
  MediaState& s = State();
  if (!s.videoUp || width <= 0 || height <= 0) return false;
  if (s.window) {
    s.windowNumber = window;
    return true;
  }
  // Resizable either way: a window left by Alt+Enter can be resized too.
  Uint32 flags = SDL_WINDOW_RESIZABLE | (borderless ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  int openWidth = width;
  int openHeight = height;
  if (borderless) DesktopSize(0, openWidth, openHeight);
  s.window = SDL_CreateWindow(title.c_str(), borderless ? 0 : x, borderless ? 0 : y, openWidth,
                              openHeight, flags);
  if (!s.window) {
    ReportSdlFailure("The window could not be opened");
    return false;
  }
  s.windowedWidth = width;
  s.windowedHeight = height;
  s.windowNumber = window;
  // A freshly opened window is in front; focus events keep this up to date afterwards.
  s.windowActive = true;
  s.closeRequested = false;
  return true;
}

bool WindowExists(int window) {
  MediaState& s = State();
  return s.window && s.windowNumber == window;
}

bool OpenWindowedScreen(int window, int, int, int width, int height, bool stretch) {
  MediaState& s = State();
  if (!WindowExists(window) || width <= 0 || height <= 0) return false;
  if (s.renderer) CloseScreen();
  std::string reason;
  s.renderer = MakeRenderer(s.window, reason);
  if (!s.renderer) {
    ReportFailure("No renderer can draw the game", reason);
    return false;
  }
  if (stretch) {
    SDL_RenderSetLogicalSize(s.renderer, width, height);
  }
  s.rendererDescription = DescribeRenderer(s.renderer);
  s.stretched = stretch;
  s.rescaleWaiting = false;
  s.screenWidth = width;
  s.screenHeight = height;
  int backWidth = 0;
  int backHeight = 0;
  ChosenBackSize(width, height, backWidth, backHeight);
  SetBackSize(backWidth, backHeight);
  s.backBuffer = MakeBackBuffer(backWidth, backHeight);
  ForgetWindowCopies();
  if (!s.backBuffer) {
    ReportSdlFailure("The back buffer could not be made");
    SDL_DestroyRenderer(s.renderer);
    s.renderer = nullptr;
    s.screenWidth = s.screenHeight = 0;
    return false;
  }
  s.boundTargetValid = false;
  s.clipApplied = false;
  SetUpGlCopies();
  const bool softwareRasteriser = SoftwareRasteriser(s.rendererDescription);
  s.glCopies.redFirstTexels = softwareRasteriser;
  ChooseSurfaceFlips(softwareRasteriser);
  BindTexture(s.backBuffer);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  ForgetScreenChanges();
  s.lastFlip = SDL_GetPerformanceCounter();
  s.windowSpoilt = true;
  return true;
}

void CloseScreen() {
  MediaState& s = State();
  if (!s.renderer) return;
  if (s.drawing) StopDrawing();
  ReleaseAllGpuObjects();
  DropQueuedQuads();
  TearDownGlCopies();
  s.surfaceFlips = SurfaceFlips{};
  SDL_DestroyTexture(s.backBuffer);
  SDL_DestroyRenderer(s.renderer);
  s.backBuffer = nullptr;
  s.renderer = nullptr;
  ForgetWindowCopies();
  ForgetScreenChanges();
  s.boundTarget = nullptr;
  s.boundTargetValid = false;
  s.clipApplied = false;
  s.in3D = false;
  s.copyTaken = false;
  s.screenWidth = 0;
  s.screenHeight = 0;
  s.backWidth = 0;
  s.backHeight = 0;
  s.scaleX = 1;
  s.scaleY = 1;
  s.stretched = false;
  s.rescaleWaiting = false;
}

void ChooseDisplay(DisplayChoice choice) { State().displayChoice = choice; }

bool DrawingSharp() {
  MediaState& s = State();
  return s.renderer && (s.scaleX != 1.0f || s.scaleY != 1.0f);
}

bool SaveFullScreenPicture(const std::string& fileName) {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  return ReadFullBackBuffer(pixels, width, height) && WritePictureFile(fileName, width, height, pixels.data(), width);
}

bool WantsDetailedPictures() {
  constexpr float detailFrom = 1.5f;  // below it, a picture twice the size is mostly thrown away
  MediaState& s = State();
  return s.renderer && std::min(s.scaleX, s.scaleY) >= detailFrom;
}

bool DetailNewlyWanted() {
  MediaState& s = State();
  const bool newly = s.detailNewlyWanted;
  s.detailNewlyWanted = false;
  return newly;
}

float ScreenScaleX() { return State().scaleX; }
float ScreenScaleY() { return State().scaleY; }
std::string RendererDescription() { return State().rendererDescription; }

bool FullScreenPicture(std::vector<uint32_t>& pixels, int& width, int& height) {
  return ReadFullBackBuffer(pixels, width, height);
}

void MinimiseWindow() {
  MediaState& s = State();
  if (s.window) SDL_MinimizeWindow(s.window);
}

// The window is also given the desktop's size by hand when it goes full screen: without a window
// manager (a kiosk, a bare X server) nobody else resizes it.
void SetFullScreen(bool fullScreen) {
  MediaState& s = State();
  if (!s.window || FullScreen() == fullScreen) return;
  if (fullScreen) {
    SDL_GetWindowSize(s.window, &s.windowedWidth, &s.windowedHeight);
    int width = s.windowedWidth;
    int height = s.windowedHeight;
    DesktopSize(SDL_GetWindowDisplayIndex(s.window), width, height);
    SDL_SetWindowSize(s.window, width, height);
    SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(s.window, 0);
    SDL_SetWindowSize(s.window, s.windowedWidth, s.windowedHeight);
  }
  ApplyKeyboardGrab();
}

bool FullScreen() {
  MediaState& s = State();
  return s.window && (SDL_GetWindowFlags(s.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                         SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void RestoreWindow() {
  MediaState& s = State();
  if (!s.window) return;
  SDL_RestoreWindow(s.window);
  SDL_RaiseWindow(s.window);
}

void SetFrameRate(int framesPerSecond) { State().frameRate = framesPerSecond > 0 ? framesPerSecond : 1; }

void SetFrameLimiterEnabled(bool enabled) { State().limiterEnabled = enabled; }

void ClearScreen(int colour) {
  MediaState& s = State();
  if (!s.renderer || !s.backBuffer) return;
  FlushQuads();
  SyncDrawingCopy();
  SettleWindowCopiesBeforeDrawing();
  BindTexture(s.backBuffer);
  ApplyClip(nullptr);
  SDL_SetRenderDrawColor(s.renderer, Red(colour), Green(colour), Blue(colour), 255);
  // A clear takes no notice of the clip: a screen whose changes are limited is filled instead.
  if (s.changeLimited) {
    SDL_RenderFillRect(s.renderer, nullptr);
  } else {
    SDL_RenderClear(s.renderer);
  }
  CountDrawing(s.drawCalls, nullptr);
}

namespace {

// The clip in force changes with the limit: whatever is drawn next sets the renderer's afresh.
void ForgetAppliedClip() {
  MediaState& s = State();
  s.clipApplied = true;
  s.appliedClip = SDL_Rect{-1, -1, -1, -1};
}

// Whether the screen was drawn on since the last flip, or since the last part's limit ended.
bool DrawnOnSinceLastPart() {
  const MediaState& s = State();
  if (s.screenWritten) return true;
  return s.Drawings() != (s.limitedParts.empty() ? s.drawingsShown : s.drawingsAtLimitEnd);
}

}  // namespace

void LimitScreenChanges(int x, int y, int width, int height) {
  MediaState& s = State();
  FlushQuads();
  // A second part in the same frame: the first is done with.
  if (s.changeLimited) {
    s.limitedParts.push_back(s.changeLimit);
  } else if (DrawnOnSinceLastPart()) {
    s.drawnOutsideParts = true;
  }
  s.changeLimited = true;
  s.changeLimit = SDL_Rect{x, y, std::max(width, 0), std::max(height, 0)};
  ForgetAppliedClip();
}

void EndScreenChangeLimit() {
  MediaState& s = State();
  if (!s.changeLimited) return;
  FlushQuads();
  s.changeLimited = false;
  s.limitedParts.push_back(s.changeLimit);
  if (s.screenWritten) s.drawnOutsideParts = true;
  s.drawingsAtLimitEnd = s.Drawings();
  ForgetAppliedClip();
}

namespace {

// The window has the back buffer as drawn: the next flip presents only if more is drawn.
void MarkFrameShown() {
  MediaState& s = State();
  s.drawingsShown = s.Drawings();
  s.screenWritten = false;
  s.windowSpoilt = false;
  s.limitedParts.clear();
  s.drawnOutsideParts = false;
  EndScreenChangesFrame();
  CountPresentedFrame();
}

}  // namespace

void FlipBuffers() {
  MediaState& s = State();
  PumpEvents();
  if (!s.renderer || !s.backBuffer) return;
  FlushQuads();
  SyncDrawingCopy();
  if (s.limiterEnabled) {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t period = frequency / static_cast<uint64_t>(s.frameRate + 1);
    for (;;) {
      uint64_t passed = SDL_GetPerformanceCounter() - s.lastFlip;
      if (passed > period) break;
      // Sleep through the wait but its last moment, which is polled: the system wakes a sleeper
      // within a few tens of microseconds. (Polling the whole last millisecond, as SDL_Delay's
      // granularity asked, was a tenth of a core at 75 frames a second.)
      constexpr uint64_t polledMicroseconds = 200;
      const uint64_t leftMicroseconds = (period - passed) * 1000000 / frequency;
      if (leftMicroseconds > polledMicroseconds) {
        std::this_thread::sleep_for(std::chrono::microseconds(leftMicroseconds - polledMicroseconds));
      }
    }
  }
  s.lastFlip = SDL_GetPerformanceCounter();
  const bool unchanged = !s.windowSpoilt && !s.screenWritten && !s.keepPresented &&
                         s.Drawings() == s.drawingsShown;
  if (unchanged) {
    s.limitedParts.clear();
    s.drawnOutsideParts = false;
    ++s.framesSkipped;
    CountPresentedFrame();
    return;
  }
  const bool watched = !s.windowUnwatched || s.keepPresented;
  if (watched && FlipThroughSurface()) {
    MarkFrameShown();
    return;
  }
  SettleWindowCopies();
  BindTexture(nullptr);
  // Nobody watches: the frame stays in the back buffer, where every reader of the screen reads it,
  // and the window is not given its copy, a third of a level frame's pixels. One pixel of it is
  // copied all the same, so the drawing queued for the back buffer is carried out each frame as a
  // shown frame's is, and the memory held does not rise and fall with that queue. The frame's
  // drawing is then waited for, as a shown frame's read of the back buffer waits for it: a run
  // that draws as fast as it can (a soak) would otherwise queue frames in llvmpipe, which keeps
  // the memory of the deepest queue it ever had (2.5 to 4.5 MB at a time, when a long run's
  // timing happened to let one pile up).
  if (!watched) {
    const SDL_Rect pixel{0, 0, 1, 1};
    SDL_RenderCopy(s.renderer, s.backBuffer, &pixel, &pixel);
    SDL_RenderPresent(s.renderer);
    if (Gl().finish) Gl().finish();
    BindTexture(s.backBuffer);
    MarkFrameShown();
    return;
  }
  FitBackBufferFilter();
  // The bars of a letterbox need clearing; a back buffer that covers the whole window does not.
  if (!CoversWindow()) {
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    ++s.drawCalls;
  }
  SDL_RenderCopy(s.renderer, s.backBuffer, nullptr, nullptr);
  ++s.drawCalls;
  if (s.keepPresented) KeepPresentedPicture();
  SDL_RenderPresent(s.renderer);
  BindTexture(s.backBuffer);
  MarkFrameShown();
}

void SetWindowUnwatched(bool unwatched) { State().windowUnwatched = unwatched; }

uint64_t FlipsSkipped() { return State().framesSkipped; }

bool ScreenActive() {
  MediaState& s = State();
  PumpEvents();
  bool active = s.window && s.windowActive && !(SDL_GetWindowFlags(s.window) & SDL_WINDOW_MINIMIZED);
  JournalActive(active);
  return active;
}

bool CloseRequested() {
  MediaState& s = State();
  PumpEvents();
  const bool real = s.closeRequested;
  s.closeRequested = false;
  // A replay ends where its recording was closed, and also when its own window is closed.
  bool requested = real;
  JournalClose(requested);
  return requested || real;
}

bool media::GrabScreenPicture(int x, int y, int width, int height, Picture& picture) {
  MediaState& s = State();
  SDL_Rect wanted{x, y, width, height};
  SDL_Rect screen{0, 0, s.screenWidth, s.screenHeight};
  SDL_Rect inside;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  SyncDrawingCopy();
  if (!SDL_IntersectRect(&wanted, &screen, &inside)) return true;
  std::vector<uint32_t> part(static_cast<std::size_t>(inside.w) * inside.h);
  if (!ReadScreenPixels(inside, part.data())) return false;
  for (int row = 0; row < inside.h; ++row) {
    std::memcpy(picture.pixels.data() + static_cast<std::size_t>(inside.y - y + row) * width + (inside.x - x),
                part.data() + static_cast<std::size_t>(row) * inside.w, static_cast<std::size_t>(inside.w) * 4);
  }
  return true;
}

bool GrabSprite(int sprite, int x, int y, int width, int height) {
  MediaState& s = State();
  if (!s.renderer || sprite < 0 || width <= 0 || height <= 0) return false;
  Picture picture;
  if (!GrabScreenPicture(x, y, width, height, picture)) return false;
  return StoreSprite(sprite, std::move(picture), 0);
}

bool SaveSprite(int sprite, const std::string& fileName) {
  SpriteRecord* record = FindSprite(sprite);
  if (!record) return false;
  if (record->pixelsStale && !ReadBackSprite(*record)) return false;
  RestoreSpritePixels(*record);
  return WritePictureFile(fileName, record->width, record->height, record->pixels.data(), record->width);
}

void Set3DViewport(int x, int y, int width, int height) {
  MediaState& s = State();
  s.viewport = SDL_Rect{x, y, width > 0 ? width : 0, height > 0 ? height : 0};
  s.viewportSet = true;
}

void KeepPresentedPictures(bool keep) {
  MediaState& s = State();
  s.keepPresented = keep;
  if (!keep) {
    s.presented.clear();
    s.presentedWidth = s.presentedHeight = 0;
  }
}

bool PresentedPicture(std::vector<uint32_t>& pixels, int& width, int& height) {
  MediaState& s = State();
  if (s.presented.empty()) return false;
  pixels = s.presented;
  width = s.presentedWidth;
  height = s.presentedHeight;
  return true;
}
