// SPDX-License-Identifier: GPL-3.0-or-later
// Plain copies as copies of memory. On SDL's opengl renderer a copy of a picture at its own size,
// with nothing blended, may go to GL as a copy between textures (glCopyImageSubData) instead of a
// textured drawing: a software rasteriser then copies rows of memory instead of running its pixel
// program over every pixel, which is what the menu's background cost it each frame. (A blit of
// the back buffer into the window was tried too: Mesa's llvmpipe draws that one as a textured
// quad all the same, so the flip keeps its copy.)
//
// SDL keeps its own record of GL's state; a copy between textures touches none of it. The GL
// calls the media layer makes beside SDL's renderer are all looked up here (Gl).
#include <SDL2/SDL.h>

#include <vector>

#include "media/media_internal.h"

namespace media {

namespace {

constexpr unsigned glTexture2D = 0x0DE1;
constexpr unsigned glTextureBinding2D = 0x8069;
constexpr unsigned glMajorVersion = 0x821B;
constexpr unsigned glMinorVersion = 0x821C;
constexpr unsigned glUnpackRowLength = 0x0CF2;
constexpr unsigned glUnpackAlignment = 0x0CF5;
constexpr unsigned glRgba = 0x1908;
constexpr unsigned glUnsignedByte = 0x1401;
constexpr unsigned glPackRowLength = 0x0D02;
constexpr unsigned glPackAlignment = 0x0D05;

template <typename Call>
bool Find(Call& call, const char* name) {
  call = reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
  return call != nullptr;
}

// The GL name of an SDL texture of exactly its own size (not padded, not a rectangle texture).
unsigned GlNameOf(SDL_Texture* texture) {
  float width = 0;
  float height = 0;
  if (SDL_GL_BindTexture(texture, &width, &height) != 0) return 0;
  int name = 0;
  if (width == 1.0f && height == 1.0f) Gl().getIntegerv(glTextureBinding2D, &name);
  SDL_GL_UnbindTexture(texture);
  return name > 0 ? static_cast<unsigned>(name) : 0;
}

// 0xAARRGGBB and the order a software rasteriser keeps texels in, red first, either way round.
constexpr uint32_t SwapRedAndBlue(uint32_t p) { return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16); }

}  // namespace

GlCalls& Gl() {
  static GlCalls calls;
  return calls;
}

void ClearGlErrors() {
  for (int i = 0; i < 16 && Gl().getError() != glNoError; ++i) {
  }
}

void SetUpGlCopies() {
  MediaState& s = State();
  s.glCopies = GlCopies{};
  Gl() = GlCalls{};
  if (!s.renderer || s.rendererDescription.rfind("opengl", 0) != 0 ||
      s.rendererDescription.rfind("opengles", 0) == 0) {
    return;
  }
  GlCalls& calls = Gl();
  if (!Find(calls.getIntegerv, "glGetIntegerv") || !Find(calls.getError, "glGetError")) return;
  Find(calls.finish, "glFinish");  // an unwatched frame's wait for its drawing (FlipBuffers)
  // Reading the back buffer into the window's surface (media_surface_flip.cpp).
  if (!Find(calls.readPixels, "glReadPixels") || !Find(calls.pixelStorei, "glPixelStorei")) {
    calls.readPixels = nullptr;
  }
  int major = 0;
  int minor = 0;
  calls.getIntegerv(glMajorVersion, &major);
  calls.getIntegerv(glMinorVersion, &minor);
  const bool copyImage = major > 4 || (major == 4 && minor >= 3) || SDL_GL_ExtensionSupported("GL_ARB_copy_image");
  s.glCopies.textureCopies = copyImage && Find(calls.copyImageSubData, "glCopyImageSubData");
  const bool directState = major > 4 || (major == 4 && minor >= 5);
  if (!directState || !Find(calls.textureSubImage2D, "glTextureSubImage2D")) calls.textureSubImage2D = nullptr;
}

void TearDownGlCopies() {
  State().glCopies = GlCopies{};
  Gl() = GlCalls{};
}

bool CopyTextureMemory(SDL_Texture* from, unsigned& fromName, const SDL_Rect& source, SDL_Texture* to,
                       unsigned& toName, int x, int y) {
  MediaState& s = State();
  if (!s.glCopies.textureCopies || s.glCopies.failed) return false;
  SDL_RenderFlush(s.renderer);
  if (fromName == 0) fromName = GlNameOf(from);
  if (toName == 0) toName = GlNameOf(to);
  if (fromName == 0 || toName == 0) return false;
  ClearGlErrors();
  Gl().copyImageSubData(fromName, glTexture2D, 0, source.x, source.y, 0, toName, glTexture2D, 0, x, y, 0,
                           source.w, source.h, 1);
  if (Gl().getError() == glNoError) {
    ++s.memoryCopies;
    return true;
  }
  // The driver would not: every later copy is drawn as before.
  s.glCopies.failed = true;
  return false;
}

bool UploadRedFirst(SDL_Texture* texture, const uint32_t* pixels, int width, int height, int pitchPixels,
                    bool forceOpaque) {
  MediaState& s = State();
  GlCalls& gl = Gl();
  if (!s.glCopies.redFirstTexels || !gl.textureSubImage2D || !gl.pixelStorei) return false;
  int textureWidth = 0;
  int textureHeight = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &textureWidth, &textureHeight) != 0 || textureWidth != width ||
      textureHeight != height) {
    return false;
  }
  const unsigned name = GlNameOf(texture);
  if (name == 0) return false;
  std::vector<uint32_t>& redFirst = s.redFirstScratch;
  redFirst.resize(static_cast<std::size_t>(width) * height);
  const uint32_t opaque = forceOpaque ? 0xFF000000u : 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* __restrict row = pixels + static_cast<std::size_t>(y) * pitchPixels;
    uint32_t* __restrict out = redFirst.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) out[x] = SwapRedAndBlue(row[x] | opaque);
  }
  // SDL sets the unpacking it needs before each of its own uploads; it gets back what it left.
  int rowLength = 0;
  int alignment = 4;
  gl.getIntegerv(glUnpackRowLength, &rowLength);
  gl.getIntegerv(glUnpackAlignment, &alignment);
  gl.pixelStorei(glUnpackRowLength, 0);
  gl.pixelStorei(glUnpackAlignment, 4);
  ClearGlErrors();
  gl.textureSubImage2D(name, 0, 0, 0, width, height, glRgba, glUnsignedByte, redFirst.data());
  const bool uploaded = gl.getError() == glNoError;
  gl.pixelStorei(glUnpackRowLength, rowLength);
  gl.pixelStorei(glUnpackAlignment, alignment);
  if (!uploaded) s.glCopies.redFirstTexels = false;
  return uploaded;
}

bool ReadTargetPixels(const SDL_Rect* rect, uint32_t* pixels, int pitchBytes) {
  MediaState& s = State();
  GlCalls& gl = Gl();
  SDL_Texture* target = SDL_GetRenderTarget(s.renderer);
  // The whole target, or the rectangle when it lies within the target (SDL reads any other).
  SDL_Rect part{0, 0, 0, 0};
  if (target && SDL_QueryTexture(target, nullptr, nullptr, &part.w, &part.h) == 0 && rect) {
    const SDL_Rect all = part;
    if (!SDL_IntersectRect(rect, &all, &part) || part.x != rect->x || part.y != rect->y) part = SDL_Rect{0, 0, 0, 0};
  }
  if (s.glCopies.redFirstTexels && gl.readPixels && gl.pixelStorei && target && part.w > 0 && pitchBytes % 4 == 0) {
    SDL_RenderFlush(s.renderer);
    ClearGlErrors();
    // SDL sets the packing it needs before each of its own reads.
    gl.pixelStorei(glPackAlignment, 4);
    gl.pixelStorei(glPackRowLength, pitchBytes / 4);
    gl.readPixels(part.x, part.y, part.w, part.h, glRgba, glUnsignedByte, pixels);
    gl.pixelStorei(glPackRowLength, 0);
    if (gl.getError() == glNoError) {
      for (int y = 0; y < part.h; ++y) {
        uint32_t* __restrict row = pixels + static_cast<std::size_t>(y) * (pitchBytes / 4);
        for (int x = 0; x < part.w; ++x) row[x] = SwapRedAndBlue(row[x]);
      }
      return true;
    }
    s.glCopies.redFirstTexels = false;
  }
  return SDL_RenderReadPixels(s.renderer, rect, SDL_PIXELFORMAT_ARGB8888, pixels, pitchBytes) == 0;
}

void ForgetBackBufferName() {
  MediaState& s = State();
  s.glCopies.backBufferName = 0;
}

}  // namespace media
