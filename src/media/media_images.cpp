// SPDX-License-Identifier: GPL-3.0-or-later
// Images: pixel buffers for 2D work on the CPU (the pause picture, the end-of-level picture),
// shown on the screen through a texture refreshed at every display.
#include <cstring>

#include "media/media_internal.h"

namespace media {

ImageRecord* FindImage(int number) {
  MediaState& s = State();
  auto found = s.images.find(number);
  return found == s.images.end() ? nullptr : &found->second;
}

void ReleaseImageTextures() {
  FlushQuads();
  for (auto& [number, image] : State().images) {
    if (image.texture) SDL_DestroyTexture(image.texture);
    image.texture = nullptr;
  }
}

void ShutdownImages() {
  ReleaseImageTextures();
  State().images.clear();
}

}  // namespace media

using namespace media;

namespace {

bool StoreImage(int number, Picture&& picture) {
  MediaState& s = State();
  if (number < 0 || picture.width <= 0 || picture.height <= 0) return false;
  FreeImage(number);
  ImageRecord record;
  record.width = picture.width;
  record.height = picture.height;
  record.pixels = std::move(picture.pixels);
  for (uint32_t& p : record.pixels) p &= 0x00FFFFFFu;
  s.images[number] = std::move(record);
  return true;
}

// The image's current pixels in a texture of the renderer.
SDL_Texture* ImageTexture(ImageRecord& image) {
  MediaState& s = State();
  if (!s.renderer) return nullptr;
  if (image.texture && (image.textureWidth != image.width || image.textureHeight != image.height)) {
    SDL_RenderFlush(s.renderer);
    SDL_DestroyTexture(image.texture);
    image.texture = nullptr;
  }
  if (!image.texture) {
    // The image's pixels are 0x00RRGGBB: a texture that ignores the top byte takes them as they
    // are, with no opaque copy made at every upload (the credits upload a whole screen a frame).
    image.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC,
                                      image.width, image.height);
    if (!image.texture) return nullptr;
    image.textureWidth = image.width;
    image.textureHeight = image.height;
  }
  UploadPixelsToTexture(image.texture, nullptr, image.pixels.data(), image.width, image.height,
                        image.width, false);
  return image.texture;
}

void DrawImageOnGpu(ImageRecord& image, int x, int y) {
  MediaState& s = State();
  bool intoScreen = true;
  int width = 0;
  int height = 0;
  if (!BindDrawTarget(intoScreen, width, height)) return;
  SDL_Texture* texture = ImageTexture(image);
  if (!texture) return;
  ApplyClip(nullptr);
  SDL_SetTextureBlendMode(texture, CopyBlend(intoScreen));
  SDL_Rect destination{x, y, image.width, image.height};
  SDL_RenderCopy(s.renderer, texture, nullptr, &destination);
  CountDrawing(s.drawCalls, &destination);
}

}  // namespace

bool CatchImage(int image, const void* data, std::size_t size) {
  Picture picture;
  std::string reason;
  if (image < 0) return false;
  if (!DecodePicture(data, size, picture, &reason)) {
    ReportFailure("Image " + std::to_string(image) + " could not be decoded", reason);
    return false;
  }
  return StoreImage(image, std::move(picture));
}

bool LoadImage(int image, const std::string& fileName) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  return CatchImage(image, bytes.data(), bytes.size());
}

bool SaveImage(int image, const std::string& fileName) {
  ImageRecord* record = FindImage(image);
  if (!record) return false;
  return WritePictureFile(fileName, record->width, record->height, record->pixels.data(), record->width);
}

bool CreateImage(int image, int width, int height) {
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > maxPicturePixels) return false;
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  return StoreImage(image, std::move(picture));
}

// Bilinear scaling: the pause picture is shrunk and blown up again, where nearest-pixel
// sampling would leave visible stairs.
bool ResizeImage(int image, int width, int height) {
  MediaState& s = State();
  ImageRecord* record = FindImage(image);
  if (!record || width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > maxPicturePixels) {
    return false;
  }
  if (s.drawing && s.drawKind == TargetKind::image && s.drawNumber == image) StopDrawing();
  std::vector<uint32_t> scaled(static_cast<std::size_t>(width) * height);
  const int sourceWidth = record->width;
  const int sourceHeight = record->height;
  const uint32_t* source = record->pixels.data();
  for (int y = 0; y < height; ++y) {
    double fy = (y + 0.5) * sourceHeight / height - 0.5;
    if (fy < 0) fy = 0;
    int y0 = static_cast<int>(fy);
    int y1 = y0 + 1 < sourceHeight ? y0 + 1 : y0;
    double wy = fy - y0;
    for (int x = 0; x < width; ++x) {
      double fx = (x + 0.5) * sourceWidth / width - 0.5;
      if (fx < 0) fx = 0;
      int x0 = static_cast<int>(fx);
      int x1 = x0 + 1 < sourceWidth ? x0 + 1 : x0;
      double wx = fx - x0;
      uint32_t p00 = source[static_cast<std::size_t>(y0) * sourceWidth + x0];
      uint32_t p01 = source[static_cast<std::size_t>(y0) * sourceWidth + x1];
      uint32_t p10 = source[static_cast<std::size_t>(y1) * sourceWidth + x0];
      uint32_t p11 = source[static_cast<std::size_t>(y1) * sourceWidth + x1];
      uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        double top = ((p00 >> shift) & 255) * (1 - wx) + ((p01 >> shift) & 255) * wx;
        double bottom = ((p10 >> shift) & 255) * (1 - wx) + ((p11 >> shift) & 255) * wx;
        out |= static_cast<uint32_t>(top * (1 - wy) + bottom * wy + 0.5) << shift;
      }
      scaled[static_cast<std::size_t>(y) * width + x] = out;
    }
  }
  record->pixels = std::move(scaled);
  record->width = width;
  record->height = height;
  return true;
}

void DrawImage(int image, int x, int y) {
  MediaState& s = State();
  ImageRecord* record = FindImage(image);
  if (!record) return;
  PixelView view;
  if (CpuView(view)) {
    if (view.pixels == record->pixels.data()) return;
    BlitPixels(view, x, y, record->pixels.data(), record->width, record->height, record->width, false);
    return;
  }
  if (s.renderer) DrawImageOnGpu(*record, x, y);
}

bool GrabImageFromScreen(int image, int x, int y, int width, int height) {
  MediaState& s = State();
  if (!s.renderer || width <= 0 || height <= 0) return false;
  Picture picture;
  if (!GrabScreenPicture(x, y, width, height, picture)) return false;
  return StoreImage(image, std::move(picture));
}

// Always onto the screen, whatever the drawing target; on a limited screen perhaps straight to the
// window (CopyImageToWindow).
void DisplayImage(int image, int x, int y) {
  MediaState& s = State();
  ImageRecord* record = FindImage(image);
  if (!record || !s.renderer || !s.backBuffer) return;
  FlushQuads();
  SyncDrawingCopy();
  // Off the part of the screen that may change, it would be clipped away whole.
  const SDL_Rect destination{x, y, record->width, record->height};
  if (s.changeLimited && !SDL_HasIntersection(&destination, &s.changeLimit)) return;
  if (CopyImageToWindow(*record, x, y)) return;
  SettleWindowCopiesBeforeDrawing();
  BindTexture(s.backBuffer);
  SDL_Texture* texture = ImageTexture(*record);
  if (!texture) return;
  ApplyClip(nullptr);
  SDL_SetTextureBlendMode(texture, CopyBlend(true));
  SDL_RenderCopy(s.renderer, texture, nullptr, &destination);
  CountDrawing(s.drawCalls, &destination);
}

int ImageWidth(int image) {
  ImageRecord* record = FindImage(image);
  return record ? record->width : 0;
}

int ImageHeight(int image) {
  ImageRecord* record = FindImage(image);
  return record ? record->height : 0;
}

void FreeImage(int image) {
  MediaState& s = State();
  ImageRecord* record = FindImage(image);
  if (!record) return;
  if (s.drawing && s.drawKind == TargetKind::image && s.drawNumber == image) StopDrawing();
  if (record->texture) {
    if (s.renderer) SDL_RenderFlush(s.renderer);
    SDL_DestroyTexture(record->texture);
  }
  s.images.erase(image);
}

bool IsImage(int image) { return FindImage(image) != nullptr; }
