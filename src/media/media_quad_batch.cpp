// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting Sprite3D quads. A quad joins the latest waiting batch of its texture and blend mode
// when no quad waiting in a later batch covers any of its pixels, so the quads of a frame collapse
// into a few geometry calls while every pixel still sees its drawing in the original order.
// Quads that add light onto the screen (destination factor one, a source factor that does not
// read the destination) commute with each other: they may pass one another even where they
// overlap, since each adds a term of its own to the destination's colour.
#include <algorithm>
#include <cmath>

#include "media/media_internal.h"

namespace media {

namespace {

// Side of the squares of the coarse map of the target.
constexpr int squareSide = 64;
// How far back a quad looks for a batch to join; beyond it, a new batch is cheaper than the search.
constexpr int searchDepth = 64;
// Pixel coordinates are kept within this, so that far-off quads cannot overflow.
constexpr float coordinateLimit = 1 << 20;

// The renderer snaps corners to a fraction of a pixel; this much more is counted as covered.
constexpr float snapMargin = 1.0f / 64;

// The first and last pixel whose centre can fall within [low, high].
int FirstPixel(float low) {
  if (!(low > -coordinateLimit)) return static_cast<int>(-coordinateLimit);  // also NaN
  if (low > coordinateLimit) return static_cast<int>(coordinateLimit);
  return static_cast<int>(std::ceil(low - 0.5f - snapMargin));
}
int LastPixel(float high) {
  if (!(high < coordinateLimit)) return static_cast<int>(coordinateLimit);  // also NaN
  if (high < -coordinateLimit) return static_cast<int>(-coordinateLimit);
  return static_cast<int>(std::floor(high - 0.5f + snapMargin));
}

int SquareOf(int pixel, int squares) { return pixel < 0 ? 0 : std::min(pixel / squareSide, squares - 1); }

bool Touch(const QueuedRect& a, const QueuedRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

void StartQueue(QuadQueue& queue, int targetWidth, int targetHeight) {
  for (int square : queue.touched) {
    queue.squares[square].ordered.clear();
    queue.squares[square].commuting.clear();
  }
  queue.touched.clear();
  queue.columns = std::max(1, (targetWidth + squareSide - 1) / squareSide);
  queue.rows = std::max(1, (targetHeight + squareSide - 1) / squareSide);
  const std::size_t squares = static_cast<std::size_t>(queue.columns) * queue.rows;
  if (queue.squares.size() < squares) queue.squares.resize(squares);
}

void DrawBatch(MediaState& s, QuadBatch& batch) {
  SDL_SetTextureBlendMode(batch.texture, batch.blend);
  SDL_SetTextureAlphaMod(batch.texture, 255);
  SDL_SetTextureColorMod(batch.texture, 255, 255, 255);
  SDL_RenderGeometry(s.renderer, batch.texture, batch.vertices.data(), static_cast<int>(batch.vertices.size()),
                     batch.indices.data(), static_cast<int>(batch.indices.size()));
  ++s.geometryCalls;
}

}  // namespace

void QueueQuad(const QuadPiece& piece, int targetWidth, int targetHeight) {
  MediaState& s = State();
  QuadQueue& queue = s.queue;
  // The map is of the target's own pixels: on a scaled screen, quads apart in the screen's
  // pixels may still meet in the back buffer's.
  const bool scaled = ScaledTarget();
  const float scaleX = scaled ? s.scaleX : 1.0f;
  const float scaleY = scaled ? s.scaleY : 1.0f;
  if (queue.used == 0) {
    StartQueue(queue, static_cast<int>(std::ceil(static_cast<float>(targetWidth) * scaleX)),
               static_cast<int>(std::ceil(static_cast<float>(targetHeight) * scaleY)));
  }
  float minX = piece.x[0], maxX = piece.x[0], minY = piece.y[0], maxY = piece.y[0];
  for (int i = 1; i < 4; ++i) {
    minX = std::min(minX, piece.x[i]);
    maxX = std::max(maxX, piece.x[i]);
    minY = std::min(minY, piece.y[i]);
    maxY = std::max(maxY, piece.y[i]);
  }
  // Off the part of the screen that may change, a quad would be clipped away whole.
  if (s.changeLimited && s.boundTarget == s.backBuffer) {
    const SDL_Rect& limit = s.changeLimit;
    if (maxX <= static_cast<float>(limit.x) || minX >= static_cast<float>(limit.x + limit.w) ||
        maxY <= static_cast<float>(limit.y) || minY >= static_cast<float>(limit.y + limit.h)) {
      return;
    }
  }
  // Two triangles 0-1-2 and 1-3-2: half the cross products of their sides.
  auto triangle = [&piece](int a, int b, int c) {
    return std::fabs((piece.x[b] - piece.x[a]) * (piece.y[c] - piece.y[a]) -
                     (piece.x[c] - piece.x[a]) * (piece.y[b] - piece.y[a])) / 2;
  };
  s.quadPixels += triangle(0, 1, 2) + triangle(1, 3, 2);
  // A pixel is drawn when its centre lies in the quad: quads that meet edge to edge, like the
  // bricks, do not touch.
  QueuedRect rect{FirstPixel(minX * scaleX), FirstPixel(minY * scaleY), LastPixel(maxX * scaleX),
                  LastPixel(maxY * scaleY), 0};
  const int c0 = SquareOf(rect.left, queue.columns), c1 = SquareOf(rect.right, queue.columns);
  const int r0 = SquareOf(rect.top, queue.rows), r1 = SquareOf(rect.bottom, queue.rows);
  // The latest batch this quad may not pass: one with a quad over its pixels.
  int barrier = -1;
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) {
      const QueueSquare& square = queue.squares[static_cast<std::size_t>(r) * queue.columns + c];
      for (const QueuedRect& other : square.ordered) {
        if (other.batch > barrier && Touch(rect, other)) barrier = other.batch;
      }
      if (piece.commutes) continue;
      for (const QueuedRect& other : square.commuting) {
        if (other.batch > barrier && Touch(rect, other)) barrier = other.batch;
      }
    }
  }
  int chosen = -1;
  if (s.batching) {
    const int last = static_cast<int>(queue.used) - 1;
    const int lowest = std::max({barrier, 0, last - searchDepth});
    for (int k = last; k >= lowest; --k) {
      const QuadBatch& b = queue.batches[k];
      if (b.texture == piece.texture && b.blend == piece.blend) {
        chosen = k;
        break;
      }
    }
  }
  if (chosen < 0) {
    if (queue.used == queue.batches.size()) queue.batches.emplace_back();
    chosen = static_cast<int>(queue.used++);
    QuadBatch& fresh = queue.batches[chosen];
    fresh.texture = piece.texture;
    fresh.blend = piece.blend;
    fresh.vertices.clear();
    fresh.indices.clear();
  }
  QuadBatch& batch = queue.batches[chosen];
  const int first = static_cast<int>(batch.vertices.size());
  for (int i = 0; i < 4; ++i) {
    batch.vertices.push_back(SDL_Vertex{SDL_FPoint{piece.x[i], piece.y[i]},
                                        SDL_Color{255, 255, 255, piece.alpha}, SDL_FPoint{piece.u[i], piece.v[i]}});
  }
  for (int corner : {0, 1, 2, 1, 3, 2}) batch.indices.push_back(first + corner);
  rect.batch = chosen;
  NoteScreenPixels(rect.left, rect.top, rect.right, rect.bottom);
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) {
      const int index = r * queue.columns + c;
      QueueSquare& square = queue.squares[index];
      if (square.ordered.empty() && square.commuting.empty()) queue.touched.push_back(index);
      (piece.commutes ? square.commuting : square.ordered).push_back(rect);
    }
  }
  if (!s.batching) FlushQuads();
}

void FlushQuads() {
  MediaState& s = State();
  QuadQueue& queue = s.queue;
  if (queue.used == 0) return;
  if (s.renderer) {
    for (std::size_t k = 0; k < queue.used; ++k) DrawBatch(s, queue.batches[k]);
  }
  queue.used = 0;
}

void DropQueuedQuads() { State().queue = QuadQueue{}; }

}  // namespace media

// What the batches and uploads keep grows to the largest frame seen: a long run would keep the
// most any level ever asked for.
void ReleaseScratchMemory() {
  media::MediaState& s = media::State();
  media::FlushQuads();
  media::DropQueuedQuads();
  s.redFirstScratch = std::vector<uint32_t>{};
  s.textureScratch = std::vector<uint32_t>{};
  s.keyedScratch = std::vector<uint32_t>{};
}
