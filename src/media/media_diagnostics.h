// SPDX-License-Identifier: GPL-3.0-or-later
// Switches and counters of the media layer for tests and benchmarks; the game never uses them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// With batching on (the default), consecutive Sprite3D quads sharing texture, blend mode, target
// and clip go to the renderer in one geometry call. Off, each quad is its own call: the output
// must be the same pixels either way. Switching draws whatever is waiting.
void SetQuadBatching(bool enabled);
bool QuadBatching();
// On (the default), a quad whose texture has large clear parts, drawn so that a clear texel
// leaves the target as it was, is drawn as pieces over the visible parts only. Off, it is drawn
// whole: the pixels must be the same within the rounding of the texture coordinates.
void SkipClearPartsOfQuads(bool skip);

// Calls made to the renderer since the last reset: geometry calls (Sprite3D quads) and every
// other drawing call (sprite copies, images, text, boxes, clears, the flip's copy), and the area
// the Sprite3D quads cover on their targets, in pixels (overlaps counted each time: overdraw), and
// the area sprite copies give the screen to draw (parts a copy skips as clear are not counted),
// and how many plain copies (among the other calls) went to GL as copies of memory.
struct RendererCallCounts {
  uint64_t geometry = 0;
  uint64_t other = 0;
  double quadPixels = 0;
  double copyPixels = 0;
  uint64_t memoryCopies = 0;
};
RendererCallCounts RendererCalls();
void ResetRendererCalls();

// Flips that presented nothing because nothing was drawn since the one before (the window still
// showed that picture), since the media layer started.
uint64_t FlipsSkipped();

// What the media layer holds right now, for tests that prove a screen rebuilt or a game played
// for a long time keeps nothing it no longer needs.
struct MediaObjectCounts {
  std::size_t sprites = 0;
  std::size_t quads = 0;
  std::size_t images = 0;
  std::size_t fonts = 0;
  std::size_t sounds = 0;
  bool operator==(const MediaObjectCounts&) const = default;
};
MediaObjectCounts LiveMediaObjects();

// Frames go on being drawn into the back buffer, and every reader of the screen reads them there,
// but the window is never given them: for runs nobody watches (the tests, checks of recorded
// games). A flip that keeps its presented picture (below) still shows the frame. Kept across
// ShutdownMedia, as the frame limiter's switch is.
void SetWindowUnwatched(bool unwatched);

// Every flip keeps the window's whole picture as presented (the scaled screen and the bars
// around it) for PresentedPicture. Off by default: the read costs a wait for the GPU.
void KeepPresentedPictures(bool keep);
// The window's picture at the last flip, 0x00RRGGBB rows top to bottom; false when none is kept.
bool PresentedPicture(std::vector<uint32_t>& pixels, int& width, int& height);

// On a software rasteriser a back buffer of the window's size goes to the window through SDL's
// window surface instead of the renderer's present (same pixels, a fraction of the CPU). Off,
// every flip presents through the renderer. The count is of flips that went through the surface.
void AllowSurfaceFlips(bool allowed);
uint64_t SurfaceFlipCount();
// Of those, the flips that gave the window only the part a screen limited to a part had changed
// (LimitScreenChanges).
uint64_t PartSurfaceFlipCount();
// And those that gave it only the parts drawn over the same base copies in this frame and the last.
uint64_t ChangedPartsSurfaceFlipCount();
// On (the default), a frame that starts with the same copies of opaque pictures as the last
// remakes them only where the last frame drew over them, and its flip reads and puts only the
// parts drawn on in either frame. Off, every such copy and flip is whole: the same pictures.
void FollowScreenChanges(bool follow);

// Whether the game's window holds the keyboard, so that the desktop's own keys (the Super key)
// go to the game while it has the focus.
bool KeyboardGrabbed();

// The back buffer's pixels per screen pixel across and down (1 on a classic screen), and the
// rasteriser's name as the driver gives it (for a GL renderer, its GL_RENDERER string).
float ScreenScaleX();
float ScreenScaleY();
std::string RendererDescription();
// The back buffer at its own resolution, 0x00RRGGBB rows top to bottom.
bool FullScreenPicture(std::vector<uint32_t>& pixels, int& width, int& height);
// The size in points a font is drawn at on the screen now open (its size times the scale).
int ScreenFontSize(int font);
// The window is given that size, as the player or the window manager would give it (the screen
// follows at the next look at the events); false when it did not take the size.
bool SimulateWindowResize(int width, int height);
// How many texture pixels a sprite's picture has per sprite pixel each way: 2 when a picture
// drawn at twice its size was added (AddSpriteDetail), else 1; 0 for no sprite.
int SpriteDetail(int sprite);
// The size of the texture the sprite is drawn from on the present screen, 0 x 0 before it is
// first drawn; false for no sprite.
bool SpriteTextureSize(int sprite, int& width, int& height);
// Whether the sprite's pixels are in memory (PrepareSpriteTextures lets those of a picture only
// ever drawn go while its texture shows them); false for no sprite.
bool SpritePixelsHeld(int sprite);
