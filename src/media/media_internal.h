// SPDX-License-Identifier: GPL-3.0-or-later
// State shared by the media layer's files. Only src/media includes this header: it is the one
// place where SDL types meet the game's numbered objects.
#pragma once

#include <array>

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/media.h"
#include "media/media_report.h"

namespace media {

// A decoded picture, pixels 0xAARRGGBB, rows top to bottom, no padding.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Pictures larger than this are refused: a malformed header must not make us allocate gigabytes.
constexpr int64_t maxPicturePixels = 64LL * 1024 * 1024;
constexpr int maxPictureSide = 32768;

// Each says why it refuses the data in reason (the codec's own message where it has one), when
// one is given.
bool DecodePicture(const void* data, std::size_t size, Picture& out, std::string* reason = nullptr);
bool DecodePng(const uint8_t* data, std::size_t size, Picture& out, std::string* reason = nullptr);
bool DecodeJpeg(const uint8_t* data, std::size_t size, Picture& out, std::string* reason = nullptr);
bool DecodeTiff(const uint8_t* data, std::size_t size, Picture& out, std::string* reason = nullptr);
bool DecodeBmp(const uint8_t* data, std::size_t size, Picture& out, std::string* reason = nullptr);
// Writes a 24-bit Windows bitmap; the alpha byte is ignored.
bool WriteBmp(const std::string& fileName, int width, int height, const uint32_t* pixels,
              int pitchPixels);
// A PNG when the name ends in ".png", else a bitmap as WriteBmp writes it.
bool WritePictureFile(const std::string& fileName, int width, int height, const uint32_t* pixels,
                      int pitchPixels);

struct SpriteRecord {
  int number = -1;
  int width = 0;
  int height = 0;
  int flags = 0;
  int colourKey = 0;  // game colour r + 256 g + 65536 b
  // The source of truth unless pixelsStale: 0xAARRGGBB, alpha forced opaque without spriteAlpha.
  // Empty while only the texture shows them (DropDrawnOnlyPixels): RestoreSpritePixels brings
  // them back before anything reads them.
  std::vector<uint32_t> pixels;
  // Where pixels and detailPixels can be read again; no reader once they were changed.
  PictureOrigin origin;
  PictureOrigin detailOrigin;
  bool blank = false;  // the pixels are still CreateSprite's zeros: made again, not read
  // Alpha is the picture's own with spriteAlpha, else 0 where the colour key matches.
  SDL_Texture* texture = nullptr;
  bool isTarget = false;     // the texture is a render target
  // Every texel of the loaded texture is opaque: copied onto the screen it may simply replace
  // what is there, alpha included, which a software rasteriser does without reading the screen.
  bool opaqueTexture = false;
  bool pixelsStale = false;  // drawing went into the texture after the pixels were last read
  bool clipped = false;
  SDL_Rect clip{0, 0, 0, 0};
  SDL_ScaleMode scaleMode = SDL_ScaleModeNearest;
  // A picture drawn at twice the size for a sharp display: the texture holds detailPixels,
  // detail times the sprite's size each way, while width, height and pixels stay the sprite's.
  // Drawing into the sprite or changing its pixels drops the detail.
  int detail = 1;
  std::vector<uint32_t> detailPixels;
  // The texture's own size: the sprite's times its detail, or on a display past twice the size
  // the detailed picture enlarged to the screen pixels it covers (TextureSizeFor).
  int textureWidth = 0;
  int textureHeight = 0;
  unsigned glName = 0;  // the texture's GL name, once a copy of memory asked for it
  // The texture's visible parts (VisibleRectangles), for a copy that skips the clear ones; empty
  // when it is copied whole.
  std::vector<SDL_Rect> visible;
  // The same in finer tiles of the texture's texels, for a quad (QuadVisibleRectangles).
  std::vector<SDL_Rect> quadVisible;
};

struct QuadRecord {
  int sprite = 0;
  float width = 0;
  float height = 0;
  int angle = 0;
  QuadCorners corners{};
  float u[4] = {0, 1, 0, 1};
  float v[4] = {0, 0, 1, 1};
};

// Sprite3D quads of one texture and blend mode that go to the renderer in one geometry call.
struct QuadBatch {
  SDL_Texture* texture = nullptr;
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
};

// The quads waiting to be drawn, as batches drawn in order. Target and clip changes draw them
// before they take effect, so every waiting quad shares those. The squares of a coarse map of
// the target list the pixel rectangles of the waiting quads over them, each with its batch, kept
// apart for quads that add light: a new quad may join an earlier batch only if no quad of a later
// batch touches its pixels (added light may pass added light).
struct QueuedRect {
  int left, top, right, bottom;  // pixels covered, inclusive
  int batch;
};
struct QueueSquare {
  std::vector<QueuedRect> ordered;
  std::vector<QueuedRect> commuting;
};
struct QuadQueue {
  std::vector<QuadBatch> batches;  // the first `used` are waiting; the rest keep their memory
  std::size_t used = 0;
  int columns = 0;
  int rows = 0;
  std::vector<QueueSquare> squares;
  std::vector<int> touched;  // squares holding rectangles
};

// One quad on its way into the queue: corners on the target, texture coordinates and alpha.
struct QuadPiece {
  SDL_Texture* texture = nullptr;
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  bool commutes = false;  // adds light onto the screen without reading it
  float x[4];
  float y[4];
  float u[4];
  float v[4];
  Uint8 alpha = 255;
};

struct ImageRecord {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB
  SDL_Texture* texture = nullptr;
  int textureWidth = 0;
  int textureHeight = 0;
};

struct FontRecord {
  TTF_Font* font = nullptr;
  // Where the face came from, so that the screen's face can be opened at the screen's scale.
  std::string file;
  int index = 0;
  int size = 0;
  TTF_Font* scaled = nullptr;  // the face at scaledSize, for text drawn on a scaled screen
  int scaledSize = 0;
};

enum class TargetKind { screen, image, sprite };

// What SDL's opengl renderer lets the media layer copy as memory (media_gl_copy.cpp).
struct GlCopies {
  bool textureCopies = false;  // glCopyImageSubData
  bool failed = false;         // the driver refused one: drawn as before from then on
  unsigned backBufferName = 0;
  // Pixels go to and come from a software rasteriser's textures red first, as it keeps them
  // (glTextureSubImage2D, glReadPixels); off for good once the driver refuses one.
  bool redFirstTexels = false;
};

// Whether flips may go to the window through SDL's window surface (media_surface_flip.cpp).
struct SurfaceFlips {
  bool usable = false;  // a software rasteriser on a video driver with window surfaces
  bool failed = false;  // the window refused one: the renderer presents from then on
  bool wholeShown = false;  // the last flip gave the window the whole surface (not only a part)
};

// An image shown on a limited screen, on a flip through the window surface, goes to the window at
// the flip and not through the back buffer (CopyImageToWindow): on a software rasteriser that is
// one pass over its pixels instead of an upload, a copy into the back buffer and a read out of it.
// The back buffer is given the pixels (SettleWindowCopies) before anything draws over them there
// or reads them.
struct WindowCopy {
  bool shown = false;  // the window's surface has them
  SDL_Rect rect{0, 0, 0, 0};
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rect.w a row
};

// What changed on the screen since the last flip (media_screen_changes.cpp). A frame starts with
// plain copies of opaque pictures (a level's backdrop and panels: its base) and draws the rest over
// them: where neither this frame nor the last drew over the same base, the window already shows
// the pixels.
struct BaseCopy {
  SDL_Texture* texture = nullptr;
  SDL_Rect source{0, 0, 0, 0};
  SDL_Rect destination{0, 0, 0, 0};  // back-buffer pixels
  bool written = false;  // its texture was written or let go since the copy
  bool alone = false;    // no other copy of its frame's base meets it
};
struct ScreenChanges {
  std::vector<BaseCopy> base;
  std::vector<BaseCopy> lastBase;
  std::vector<SDL_Rect> drawn;      // back-buffer pixels drawn over the base this frame
  std::vector<SDL_Rect> lastDrawn;  // the last frame's, gathered into few rectangles
  bool inBase = true;    // nothing but base copies on the screen yet this frame
  bool bounded = true;   // every other change of the back buffer this frame said where it was
  bool lastBounded = false;
  bool sameBase = true;  // every base copy so far repeats the last frame's at its place
  std::vector<uint8_t> tiles;  // scratch of GatherIntoRectangles
};

struct MediaState {
  bool videoUp = false;
  bool ttfUp = false;
  bool sprite3DUp = false;
  bool keyboardUp = false;
  bool mouseUp = false;

  SDL_Window* window = nullptr;
  int windowNumber = -1;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* backBuffer = nullptr;
  // Reused for a sprite drawn into itself (the scrolling panel does it every frame).
  SDL_Texture* scratch = nullptr;
  int scratchWidth = 0;
  int scratchHeight = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  // The back buffer's size in pixels and its pixels per screen pixel: the screen's size and 1,
  // or the window's letterbox scale on a sharp display.
  DisplayChoice displayChoice = DisplayChoice::sharp;
  int backWidth = 0;
  int backHeight = 0;
  float scaleX = 1;
  float scaleY = 1;
  bool stretched = false;        // the screen is scaled to the window (OpenWindowedScreen's stretch)
  bool rescaleWaiting = false;   // the window's size changed while a drawing was open
  bool detailNewlyWanted = false;  // the scale rose past the detail's threshold (DetailNewlyWanted)
  std::string rendererDescription;
  // A screen-sized texture through which a CPU copy of a scaled screen goes back into it.
  SDL_Texture* copyUpload = nullptr;
  bool windowActive = false;
  bool closeRequested = false;
  // The window's size when it is not full screen (the game's screen until the player resizes it).
  int windowedWidth = 0;
  int windowedHeight = 0;
  bool altEnterHeld = false;  // the Enter of an Alt+Enter is down: its release is not passed on
  bool mouseCaptured = false;  // ReleaseMouse(false) holds the pointer (and, full screen, the keys)

  // Frame pacing.
  int frameRate = 60;
  bool limiterEnabled = true;
  bool windowUnwatched = false;  // frames drawn but not shown (SetWindowUnwatched)
  uint64_t lastFlip = 0;
  // A flip with nothing drawn or written into the back buffer since the last one, and no window
  // event that may have spoilt the window's picture, presents nothing: the window still shows
  // that frame (a still pause picture then costs next to nothing).
  uint64_t drawingsShown = 0;  // Drawings() when the window was last given the frame
  bool screenWritten = true;  // pixels written straight into the back buffer since the last flip
  bool windowSpoilt = true;   // a window event since the last flip: present whatever was drawn
  uint64_t framesSkipped = 0;  // flips that presented nothing (bench and tests)
  SDL_ScaleMode backBufferScaleMode = SDL_ScaleModeLinear;  // how the flip stretches it

  // Tests only: the whole window as the last flip presented it (KeepPresentedPictures).
  bool keepPresented = false;
  int presentedWidth = 0;
  int presentedHeight = 0;
  std::vector<uint32_t> presented;  // 0x00RRGGBB

  // Which texture the renderer currently draws into (nullptr: not yet chosen).
  SDL_Texture* boundTarget = nullptr;
  bool boundTargetValid = false;
  bool clipApplied = false;
  SDL_Rect appliedClip{0, 0, 0, 0};

  int drawIntoSprite = -1;  // DrawIntoSprite's sprite, -1 for the back buffer

  // StartDrawing's target.
  bool drawing = false;
  TargetKind drawKind = TargetKind::screen;
  int drawNumber = 0;
  int drawFont = -1;
  int drawMode = 0;
  int frontColour = 0xFFFFFF;
  int backColour = 0;
  // CPU copy of the drawing target, taken by DrawingBuffer/Point on the screen or a sprite.
  bool copyTaken = false;
  bool copyModified = false;
  std::vector<uint32_t> screenCopy;  // 0x00RRGGBB

  // Sprite3D.
  bool in3D = false;
  int sourceFactor = 5;
  int destinationFactor = 6;
  int quality = 1;
  bool viewportSet = false;
  SDL_Rect viewport{0, 0, 0, 0};
  // LimitScreenChanges: drawing on the screen keeps to this part of it. The parts limited since
  // the last flip: once the limit ends, the next flip may give the window those parts alone if
  // the counters show nothing drawn on the screen outside them.
  bool changeLimited = false;
  SDL_Rect changeLimit{0, 0, 0, 0};
  std::vector<SDL_Rect> limitedParts;
  bool drawnOutsideParts = false;
  uint64_t drawingsAtLimitEnd = 0;
  bool batching = true;
  bool quadClearPartsSkipped = true;  // SkipClearPartsOfQuads
  QuadQueue queue;
  uint64_t geometryCalls = 0;  // SDL_RenderGeometry calls
  uint64_t drawCalls = 0;      // every other draw submitted to the renderer
  double quadPixels = 0;       // area of the quads queued
  double copyPixels = 0;       // area of the sprite copies sent onto the screen
  GlCopies glCopies;
  SurfaceFlips surfaceFlips;
  std::vector<WindowCopy> windowCopies;  // held: the back buffer lacks them; none overlap
  // Pixels on their way to a texture, kept between uploads so that a sprite redrawn every frame
  // is uploaded without allocating; given back when asked (ReleaseScratchMemory).
  std::vector<uint32_t> redFirstScratch;  // UploadRedFirst's swapped pixels
  std::vector<uint32_t> textureScratch;   // RefreshSpriteTexture's texture pixels
  std::vector<uint32_t> keyedScratch;     // TexturePixelsInto's picture before it is enlarged
  uint64_t memoryCopies = 0;  // plain copies done as copies of memory
  ScreenChanges changes;
  std::vector<SDL_Rect> baseCopyParts;  // scratch of a base copy made in parts
  std::vector<SDL_Rect> flipParts;      // scratch of the flip through the window's surface

  // Everything drawn so far, however it was done: equal counts mean nothing was drawn between.
  uint64_t Drawings() const { return drawCalls + geometryCalls + memoryCopies; }

  int defaultColourKey = 0;

  std::unordered_map<int, SpriteRecord> sprites;
  std::unordered_map<int, QuadRecord> quads;
  std::unordered_map<int, ImageRecord> images;
  std::unordered_map<int, FontRecord> fonts;
};

MediaState& State();

// ReportFailure (media_report.h) with SDL_GetError() as the reason.
void ReportSdlFailure(const std::string& attempt);

// The render drivers to try for the game's screen, best first; false, with the reason, when
// there is none.
bool RenderDriverCandidates(std::vector<int>& drivers, std::string& reason);

SpriteRecord* FindSprite(int number);
ImageRecord* FindImage(int number);

// Game colour (r + 256 g + 65536 b) and 0x00RRGGBB pixels.
inline uint32_t PixelFromColour(int colour) {
  return static_cast<uint32_t>(Red(colour) << 16 | Green(colour) << 8 | Blue(colour));
}
inline int ColourFromPixel(uint32_t pixel) {
  return RGB((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
}

// Blend modes that keep the back buffer's alpha at 255 (it plays the part of an alpha-less
// screen, so destination-alpha factors read 1) while sprite targets take the source alpha.
SDL_BlendMode CopyBlend(bool intoScreen);
SDL_BlendMode OverBlend(bool intoScreen);

// Draws the waiting Sprite3D quads. Anything else that draws, reads pixels, changes a texture's
// pixels or filter, or destroys a texture calls it first, so the quads land in their order.
void FlushQuads();
// Adds a quad to the waiting batches (drawn at once with batching off); the target's size bounds
// the coarse map.
void QueueQuad(const QuadPiece& piece, int targetWidth, int targetHeight);
// Forgets the waiting quads without drawing them: the renderer is going away.
void DropQueuedQuads();

// Renderer target management. Every GPU draw calls BindDrawTarget first.
SDL_Texture* CurrentGpuTarget(bool& intoScreen, int& targetWidth, int& targetHeight);
bool BindDrawTarget(bool& intoScreen, int& targetWidth, int& targetHeight);
// The same without drawing the waiting quads first (unless the target changes): for the quads.
bool BindQuadTarget(bool& intoScreen, int& targetWidth, int& targetHeight);
void BindTexture(SDL_Texture* target);
void ApplyClip(const SDL_Rect* clip);
// Writes a modified CPU copy of the drawing target back and drops it; before any GPU drawing.
void SyncDrawingCopy();

// Sprite textures are rebuilt from the CPU pixels whenever the renderer is new.
// Pixels dropped by DropDrawnOnlyPixels come back from the sprite's origin, else (a sprite of
// its own size) from its texture; neither is fatal, never a blank picture. A detailed picture
// that cannot be read again is dropped (the sprite then shows its own pixels).
void RestoreSpritePixels(SpriteRecord& sprite);
void RestoreDetailPixels(SpriteRecord& sprite);
// The pixels are about to be written or drawn into: back in memory, and kept there, since their
// origin no longer gives them.
void ClaimSpritePixels(SpriteRecord& sprite);
// A sprite only ever drawn, whose texture exists and whose pictures can be read again (or are
// still blank), lets its pixels go; true when it did.
bool DropDrawnOnlyPixels(SpriteRecord& sprite);
bool EnsureSpriteTexture(SpriteRecord& sprite);
bool EnsureSpriteTarget(SpriteRecord& sprite);
void RefreshSpriteTexture(SpriteRecord& sprite);
bool ReadBackSprite(SpriteRecord& sprite);
void DestroySpriteTexture(SpriteRecord& sprite);
// The sprite is about to be drawn into or its pixels were changed: the detailed picture no longer
// shows it, and the texture is made again from its pixels.
void DropSpriteDetail(SpriteRecord& sprite);
// The size the sprite's texture is made at on the present screen.
void TextureSizeFor(const SpriteRecord& sprite, int& width, int& height);
// The texture holds the detailed picture enlarged to the screen's own scale.
inline bool MadeAtScreenScale(const SpriteRecord& sprite) {
  return sprite.textureWidth != sprite.width * sprite.detail;
}
// The first back-buffer pixel a drawing from position (in the screen's coordinates) covers: the
// first whose centre lies at or past it.
float FirstCoveredPixel(float position, float scale);
// A picture of the given texels drawn from (x, y) on the scaled back buffer, moved to start on a
// whole pixel and sized one texel a pixel, in the screen's coordinates.
SDL_FRect TexelForPixel(float x, float y, int texelsWide, int texelsHigh);
// A detailed texture made at the screen's own scale must be made again once the scale changes.
void DropTexturesMadeForAnotherScale();
// Enlarges (or shrinks) a picture of 0xAARRGGBB pixels with a sharp cubic filter.
void ResamplePicture(const std::vector<uint32_t>& source, int width, int height, int newWidth, int newHeight,
                     std::vector<uint32_t>& out);
bool StoreSprite(int number, Picture&& picture, int flags);
// Copies of memory on SDL's opengl renderer (media_gl_copy.cpp). Set up once the screen's renderer
// and back buffer are made, torn down before the renderer goes. A copy flushes SDL's waiting
// drawing first; false when it cannot be done that way (draw it as before). A name of 0 is looked
// up and kept; the back buffer's is forgotten when the back buffer is made again.
// The few GL calls the media layer makes beside SDL's renderer, looked up by SetUpGlCopies for
// the screen that is open; null where the renderer is not SDL's opengl one.
using GlCopyImageSubData = void (*)(unsigned, unsigned, int, int, int, int, unsigned, unsigned, int, int, int,
                                    int, int, int, int);
using GlGetIntegerv = void (*)(unsigned, int*);
using GlGetError = unsigned (*)();
using GlReadPixels = void (*)(int, int, int, int, unsigned, unsigned, void*);
using GlFinish = void (*)();
using GlPixelStorei = void (*)(unsigned, int);
using GlTextureSubImage2D = void (*)(unsigned, int, int, int, int, int, unsigned, unsigned, const void*);
struct GlCalls {
  GlCopyImageSubData copyImageSubData = nullptr;
  GlGetIntegerv getIntegerv = nullptr;
  GlGetError getError = nullptr;
  GlReadPixels readPixels = nullptr;
  GlPixelStorei pixelStorei = nullptr;
  GlTextureSubImage2D textureSubImage2D = nullptr;
  GlFinish finish = nullptr;
};
GlCalls& Gl();
constexpr unsigned glNoError = 0;  // GL_NO_ERROR, what getError gives when a call went through
// Clears errors left by anyone before a call, so that the call's own can be told.
void ClearGlErrors();
void SetUpGlCopies();
void TearDownGlCopies();
bool CopyTextureMemory(SDL_Texture* from, unsigned& fromName, const SDL_Rect& source, SDL_Texture* to,
                       unsigned& toName, int x, int y);
void ForgetBackBufferName();
// A whole texture's pixels (0xAARRGGBB, alpha made opaque when asked) given to a software
// rasteriser in the order it keeps them: SDL's upload asks for blue first, which llvmpipe converts
// pixel by pixel at a third of the speed. False when it cannot be done that way (SDL uploads).
bool UploadRedFirst(SDL_Texture* texture, const uint32_t* pixels, int width, int height, int pitchPixels,
                    bool forceOpaque);
// SDL_RenderReadPixels of the renderer's target texture into 0xAARRGGBB pixels, the whole
// target when rect is null: read red first on a software rasteriser, for the same reason.
bool ReadTargetPixels(const SDL_Rect* rect, uint32_t* pixels, int pitchBytes);
void ChooseSurfaceFlips(bool softwareRasteriser);
// The back buffer given to the window through its surface; false when the renderer must present.
bool FlipThroughSurface();
// What changed on the screen since the last flip (media_screen_changes.cpp).
// Every drawing is counted here with the part of its target it may change, in the coordinates the
// renderer was given (screen pixels on the screen, before its scale); null when it cannot say.
void CountDrawing(uint64_t& counter, const SDL_Rect* part);
// A quad's pixels of the back buffer, inclusive, when it goes onto the screen.
void NoteScreenPixels(int left, int top, int right, int bottom);
// Pixels written into the back buffer outside any drawing (uploads, the window's held copies).
void NoteScreenWrittenAnywhere();
// A texture's pixels were written, or the texture is let go: a base copy of it repeats no longer.
void NoteTextureWritten(SDL_Texture* texture);
// A plain copy of an opaque picture onto the screen (destination in back-buffer pixels). Not a
// base copy once anything else was drawn this frame. A base copy that repeats the last frame's,
// where the back buffer holds that copy's pixels but where the last frame drew over it, needs
// making only in `parts` (destination pixels, apart from each other) when `partsPossible` says it
// can be made in parts (texel for pixel).
enum class BaseCopyKind { notBase, whole, inParts };
BaseCopyKind StartBaseCopy(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& destination,
                           bool partsPossible, std::vector<SDL_Rect>& parts);
// The back buffer was made again, or holds pixels nobody counted: the next flip is whole.
void ForgetScreenChanges();
// For the flip: true when only these parts of the back buffer (apart from each other) may differ
// from the last frame given to the window.
bool ScreenChangedParts(std::vector<SDL_Rect>& parts);
// Each frame given to the window (or drawn unwatched) ends here.
void EndScreenChangesFrame();
// Rectangles of the target, apart from each other and few, that hold every given one.
void GatherIntoRectangles(const std::vector<SDL_Rect>& rects, int width, int height, std::vector<uint8_t>& tiles,
                          std::vector<SDL_Rect>& gathered);
// Rectangles, apart from each other, over the marked tiles of a grid (`tile` pixels a side, the
// grid's last row and column cut to width x height): runs along each row, taking in gaps of up to
// `bridged` unmarked tiles, a run of the same columns as one ending on the row above extending it.
void RectanglesOfTiles(const std::vector<uint8_t>& marked, int columns, int rows, int tile, int width, int height,
                       int bridged, std::vector<SDL_Rect>& rectangles);
// Rectangles, apart from each other, that hold every pixel of the picture whose alpha is not 0;
// none when the picture is small or mostly shows, and is better copied whole.
std::vector<SDL_Rect> VisibleRectangles(const uint32_t* pixels, int width, int height);
// The same for a quad's texture, whose filtering reads a texel past each tile.
std::vector<SDL_Rect> QuadVisibleRectangles(const uint32_t* pixels, int width, int height);
// A rectangle of the screen in the screen's pixels (0x00RRGGBB); a scaled back buffer is brought
// down to them, each pixel the mean of those it covers.
bool ReadScreenPixels(const SDL_Rect& rect, uint32_t* pixels);
// The back buffer at its own resolution.
bool ReadFullBackBuffer(std::vector<uint32_t>& pixels, int& width, int& height);
// A rectangle of the back buffer as a picture; the parts off the screen stay black.
bool GrabScreenPicture(int x, int y, int width, int height, Picture& picture);
// Whether the image went to the window's surface for the next flip instead of onto the back
// buffer (WindowCopy); false where it must be drawn as ever.
bool CopyImageToWindow(const ImageRecord& image, int x, int y);
// The back buffer takes the pixels held for the window: those the limit meets before drawing on a
// limited screen, all of them before any other drawing on it, any read of it or a renderer's
// present.
void SettleWindowCopiesBeforeDrawing();
void SettleWindowCopies();
// A new back buffer or window: what was held is drawn again by the game's next whole frame.
void ForgetWindowCopies();
void UploadPixelsToTexture(SDL_Texture* texture, const SDL_Rect* rect, const uint32_t* pixels,
                           int width, int height, int pitchPixels, bool forceOpaque);

// The current drawing target when it is drawn on the CPU (an image, or a screen or sprite
// whose pixels DrawingBuffer/Point fetched); false when drawing goes through the renderer.
struct PixelView {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // in pixels
  uint32_t alpha = 0;  // top byte written with every pixel
};
bool CpuView(PixelView& view);
void MarkCpuModified();
void BlitPixels(const PixelView& view, int x, int y, const uint32_t* source, int width, int height,
                int pitchPixels, bool blendAlpha);

// Whether drawing now goes onto a back buffer drawn at a scale above 1.
bool ScaledTarget();

// Fonts.
TTF_Font* FontOf(int font);
// The face for text on the screen now open: the font at its size times the screen's scale (the
// font itself at scale 1, or when the larger face cannot be opened).
TTF_Font* ScreenFontOf(int font);
// Game texts may hold Latin-1 bytes (typed characters); SDL_ttf wants UTF-8.
std::string TextAsUtf8(const std::string& text);
// A rendered line of text, cached by font, colour and text.
// A rendered line and the box it is drawn in on its target. With onScaledScreen, the line is
// rendered in ScreenFontOf's face and the box is still that of the font at its own size.
SDL_Texture* TextTexture(int font, const std::string& text, int colour, int& width, int& height,
                         bool onScaledScreen = false);

// Called by ShutdownMedia and CloseScreen.
void ReleaseTextTextures();
void ReleaseImageTextures();
void ReleaseAllGpuObjects();
void ShutdownSprites();
void ShutdownImages();
void ShutdownFonts();
void ShutdownSound();
std::size_t LoadedSoundCount();
void ResetInput();
// The window holds the keyboard while the mouse is captured in full screen (see ReleaseMouse).
void ApplyKeyboardGrab();
// Handles every queued SDL event: window state, keyboard and mouse.
void PumpEvents();
void HandleInputEvent(const SDL_Event& event);
// Pads arriving and leaving, and their button presses; false for any other event.
bool HandleGamepadEvent(const SDL_Event& event);
// The pads' snapshot, taken with the keyboard's and journalled after it.
void TakeGamepadSnapshot();
void ResetGamepad();
void ShutdownGamepad();

// The journal of a recorded or replayed game: each outside value passes through here on its way
// to the game, and is written down (recording), replaced (replay) or left alone.
JournalMode CurrentJournalMode();
void JournalClock(int64_t& now);
void JournalActive(bool& active);
void JournalClose(bool& requested);
void JournalRealInput(bool& seen);
void JournalSeed(uint32_t& seed);
void JournalKeyboard(std::array<bool, 256>& pushed, std::array<bool, 256>& released, int& typed);
void JournalMouse(int& dx, int& dy, int& wheel, int& x, int& y, std::array<bool, 4>& buttons);
// A replay of a file older than the pads' format version hands back no pad.
void JournalGamepad(int& stick, int& downBits, int& pushedBits, bool& connected, bool& removed);
// After every presented frame: counts it and runs the frame hook.
void CountPresentedFrame();

}  // namespace media
