// SPDX-License-Identifier: GPL-3.0-or-later
// Sprite3D quads: a sprite's texture drawn as two triangles with per-vertex alpha, any corner
// positions and texture coordinates, and the Direct3D-numbered blend factors.
#include <algorithm>
#include <cmath>
#include <vector>

#include "media/maths.h"
#include "media/media_diagnostics.h"
#include "media/media_internal.h"

using namespace media;

namespace {

QuadRecord* FindQuad(int number) {
  MediaState& s = State();
  auto found = s.quads.find(number);
  return found == s.quads.end() ? nullptr : &found->second;
}

// Drawn without turning or stretching and showing the whole picture.
bool UprightAtItsSize(const QuadRecord& quad, const SpriteRecord& sprite) {
  const float w = static_cast<float>(sprite.width);
  const float h = static_cast<float>(sprite.height);
  const float x[4] = {0, w, 0, w};
  const float y[4] = {0, 0, h, h};
  const float u[4] = {0, 1, 0, 1};
  const float v[4] = {0, 0, 1, 1};
  return std::equal(x, x + 4, quad.corners.x) && std::equal(y, y + 4, quad.corners.y) &&
         std::equal(u, u + 4, quad.u) && std::equal(v, v + 4, quad.v);
}

// Corners turned about the centre of the drawn size; y grows downwards, so a positive angle
// turns clockwise on the screen.
void ComputeCorners(QuadRecord& quad) {
  const float w = quad.width;
  const float h = quad.height;
  const float cx = w / 2;
  const float cy = h / 2;
  const float plainX[4] = {0, w, 0, w};
  const float plainY[4] = {0, 0, h, h};
  const double radians = quad.angle * piDouble / 180.0;
  const float c = static_cast<float>(std::cos(radians));
  const float sn = static_cast<float>(std::sin(radians));
  for (int i = 0; i < 4; ++i) {
    float dx = plainX[i] - cx;
    float dy = plainY[i] - cy;
    quad.corners.x[i] = cx + dx * c - dy * sn;
    quad.corners.y[i] = cy + dx * sn + dy * c;
  }
}

SDL_BlendFactor FactorFromNumber(int number) {
  switch (number) {
    case 1: return SDL_BLENDFACTOR_ZERO;
    case 2: return SDL_BLENDFACTOR_ONE;
    case 3: return SDL_BLENDFACTOR_SRC_COLOR;
    case 4: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case 5: return SDL_BLENDFACTOR_SRC_ALPHA;
    case 6: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case 7: return SDL_BLENDFACTOR_DST_ALPHA;
    case 8: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case 9: return SDL_BLENDFACTOR_DST_COLOR;
    case 10: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    default: return SDL_BLENDFACTOR_ONE;
  }
}

SDL_BlendMode QuadBlend(bool intoScreen) {
  MediaState& s = State();
  return SDL_ComposeCustomBlendMode(
      FactorFromNumber(s.sourceFactor), FactorFromNumber(s.destinationFactor), SDL_BLENDOPERATION_ADD,
      intoScreen ? SDL_BLENDFACTOR_ZERO : SDL_BLENDFACTOR_ONE,
      intoScreen ? SDL_BLENDFACTOR_ONE : SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
}

// Source factors that read the destination; with one of them, added light depends on the order.
bool ReadsDestination(int factor) { return factor >= 7 && factor <= 10; }

// Light added onto the screen: the destination's colour plus a term that depends on the source
// alone, and its alpha kept, so such quads give the same pixels in any order.
bool QuadCommutes(bool intoScreen) {
  MediaState& s = State();
  return intoScreen && FactorFromNumber(s.destinationFactor) == SDL_BLENDFACTOR_ONE &&
         !ReadsDestination(s.sourceFactor);
}

// What DisplaySprite3D draws with, the same for each piece of a wrapped quad.
struct QuadLook {
  SDL_Texture* texture;
  SDL_BlendMode blend;
  bool commutes;
  Uint8 alpha;
  int targetWidth;
  int targetHeight;
};

void DrawPiece(const QuadLook& look, const float px[4], const float py[4], const float u[4], const float v[4]) {
  QuadPiece piece;
  piece.texture = look.texture;
  piece.blend = look.blend;
  piece.commutes = look.commutes;
  piece.alpha = look.alpha;
  for (int i = 0; i < 4; ++i) {
    piece.x[i] = px[i];
    piece.y[i] = py[i];
    piece.u[i] = u[i];
    piece.v[i] = v[i];
  }
  QueueQuad(piece, look.targetWidth, look.targetHeight);
}

// Bilinear point of the quad at (a, b) in [0, 1]².
SDL_FPoint QuadPoint(const float px[4], const float py[4], float a, float b) {
  float topX = px[0] + (px[1] - px[0]) * a;
  float topY = py[0] + (py[1] - py[0]) * a;
  float bottomX = px[2] + (px[3] - px[2]) * a;
  float bottomY = py[2] + (py[3] - py[2]) * a;
  return SDL_FPoint{topX + (bottomX - topX) * b, topY + (bottomY - topY) * b};
}

// The renderer clamps texture coordinates; a picture scrolled past its edge (u or v outside
// 0..1 along the quad's sides) is drawn as pieces cut at the wrap lines so that it repeats.
bool DrawWrapped(const QuadLook& look, const float px[4], const float py[4], const float u[4], const float v[4]) {
  const bool separable = u[0] == u[2] && u[1] == u[3] && v[0] == v[1] && v[2] == v[3];
  if (!separable) return false;
  const float u0 = u[0], u1 = u[1], v0 = v[0], v1 = v[2];
  if (std::fabs(u1 - u0) > 64 || std::fabs(v1 - v0) > 64) return false;
  auto cuts = [](float from, float to, std::vector<float>& out) {
    out.assign(1, 0.0f);
    float low = std::min(from, to);
    float high = std::max(from, to);
    for (float k = std::floor(low) + 1; k < high; k += 1) out.push_back((k - from) / (to - from));
    out.push_back(1.0f);
    if (from > to) std::sort(out.begin(), out.end());
  };
  std::vector<float> as;
  std::vector<float> bs;
  cuts(u0, u1, as);
  cuts(v0, v1, bs);
  for (std::size_t i = 0; i + 1 < as.size(); ++i) {
    for (std::size_t j = 0; j + 1 < bs.size(); ++j) {
      float a0 = as[i], a1 = as[i + 1], b0 = bs[j], b1 = bs[j + 1];
      float ua = u0 + (u1 - u0) * a0, ub = u0 + (u1 - u0) * a1;
      float va = v0 + (v1 - v0) * b0, vb = v0 + (v1 - v0) * b1;
      float shiftU = std::floor((ua + ub) / 2);
      float shiftV = std::floor((va + vb) / 2);
      SDL_FPoint p[4] = {QuadPoint(px, py, a0, b0), QuadPoint(px, py, a1, b0), QuadPoint(px, py, a0, b1),
                         QuadPoint(px, py, a1, b1)};
      float qx[4] = {p[0].x, p[1].x, p[2].x, p[3].x};
      float qy[4] = {p[0].y, p[1].y, p[2].y, p[3].y};
      float pu[4] = {ua - shiftU, ub - shiftU, ua - shiftU, ub - shiftU};
      float pv[4] = {va - shiftV, va - shiftV, vb - shiftV, vb - shiftV};
      DrawPiece(look, qx, qy, pu, pv);
    }
  }
  return true;
}

// Under light added by alpha (destination one) or a picture drawn over (destination one minus
// the source's alpha), with the source weighed by its alpha, a clear texel leaves the target as
// it was: such a quad need not be drawn over the clear parts of its texture. So does the
// destination weighed by its own alpha on the screen, whose alpha stays opaque.
bool ClearTexelsChangeNothing(bool intoScreen) {
  MediaState& s = State();
  const SDL_BlendFactor destination = FactorFromNumber(s.destinationFactor);
  return s.quadClearPartsSkipped && FactorFromNumber(s.sourceFactor) == SDL_BLENDFACTOR_SRC_ALPHA &&
         (destination == SDL_BLENDFACTOR_ONE || destination == SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA ||
          (destination == SDL_BLENDFACTOR_DST_ALPHA && intoScreen));
}

// From p to q at t, landing on q itself at 1, so that the pieces' outline is the quad's own.
float Along(float p, float q, float t) { return t == 1.0f ? q : p + (q - p) * t; }

SDL_FPoint PieceCorner(const float px[4], const float py[4], float a, float b) {
  const float topX = Along(px[0], px[1], a), topY = Along(py[0], py[1], a);
  const float bottomX = Along(px[2], px[3], a), bottomY = Along(py[2], py[3], a);
  return SDL_FPoint{Along(topX, bottomX, b), Along(topY, bottomY, b)};
}

// The quad as pieces over the visible tiles of its texture (a turning star is mostly clear about
// its rays). Only a parallelogram, mapped straight along its sides: there a piece of it is drawn
// with the texture coordinates the whole would give its pixels, but for their rounding. Pieces
// that meet share the corners computed from the same fractions, so no pixel is drawn twice or
// left out.
bool DrawVisibleParts(const QuadLook& look, const float px[4], const float py[4], const float u[4], const float v[4],
                      const SpriteRecord& sprite, bool intoScreen) {
  if (sprite.quadVisible.empty() || !ClearTexelsChangeNothing(intoScreen)) return false;
  // A nearest texel could flip to its neighbour at a piece's edge, where the texture coordinate
  // is rounded otherwise: such quads are drawn whole. Bilinear ones differ by a unit at most.
  if (State().quality == 0) return false;
  const bool separable = u[0] == u[2] && u[1] == u[3] && v[0] == v[1] && v[2] == v[3];
  if (!separable || u[0] == u[1] || v[0] == v[2]) return false;
  constexpr float slack = 1.0f / 64;
  if (std::fabs(px[0] + px[3] - px[1] - px[2]) > slack || std::fabs(py[0] + py[3] - py[1] - py[2]) > slack) {
    return false;
  }
  const float u0 = u[0], u1 = u[1], v0 = v[0], v1 = v[2];
  const float width = static_cast<float>(sprite.textureWidth);
  const float height = static_cast<float>(sprite.textureHeight);
  auto fraction = [](float texel, float size, float from, float to) {
    return std::clamp((texel / size - from) / (to - from), 0.0f, 1.0f);
  };
  for (const SDL_Rect& part : sprite.quadVisible) {
    float a0 = fraction(static_cast<float>(part.x), width, u0, u1);
    float a1 = fraction(static_cast<float>(part.x + part.w), width, u0, u1);
    float b0 = fraction(static_cast<float>(part.y), height, v0, v1);
    float b1 = fraction(static_cast<float>(part.y + part.h), height, v0, v1);
    if (a0 > a1) std::swap(a0, a1);
    if (b0 > b1) std::swap(b0, b1);
    if (a0 >= a1 || b0 >= b1) continue;
    const SDL_FPoint p[4] = {PieceCorner(px, py, a0, b0), PieceCorner(px, py, a1, b0), PieceCorner(px, py, a0, b1),
                             PieceCorner(px, py, a1, b1)};
    const float qx[4] = {p[0].x, p[1].x, p[2].x, p[3].x};
    const float qy[4] = {p[0].y, p[1].y, p[2].y, p[3].y};
    const float ua = Along(u0, u1, a0), ub = Along(u0, u1, a1);
    const float va = Along(v0, v1, b0), vb = Along(v0, v1, b1);
    const float pu[4] = {ua, ub, ua, ub};
    const float pv[4] = {va, va, vb, vb};
    DrawPiece(look, qx, qy, pu, pv);
  }
  return true;
}

}  // namespace

void SkipClearPartsOfQuads(bool skip) {
  FlushQuads();
  State().quadClearPartsSkipped = skip;
}

void SetQuadBatching(bool enabled) {
  FlushQuads();
  State().batching = enabled;
}

bool QuadBatching() { return State().batching; }

RendererCallCounts RendererCalls() {
  MediaState& s = State();
  return RendererCallCounts{s.geometryCalls, s.drawCalls, s.quadPixels, s.copyPixels, s.memoryCopies};
}

MediaObjectCounts LiveMediaObjects() {
  const MediaState& s = State();
  return MediaObjectCounts{s.sprites.size(), s.quads.size(), s.images.size(), s.fonts.size(),
                           LoadedSoundCount()};
}

void ResetRendererCalls() {
  MediaState& s = State();
  s.geometryCalls = 0;
  s.drawCalls = 0;
  s.quadPixels = 0;
  s.copyPixels = 0;
  s.memoryCopies = 0;
  s.screenWritten = true;  // the counters no longer tell whether the next flip drew anything
}

bool Start3D() {
  MediaState& s = State();
  if (!s.renderer || !s.backBuffer) return false;
  FlushQuads();
  s.in3D = true;
  return true;
}

void Stop3D() {
  MediaState& s = State();
  FlushQuads();
  s.in3D = false;
}

bool CreateSprite3D(int quad, int sprite) {
  MediaState& s = State();
  SpriteRecord* record = FindSprite(sprite);
  if (quad < 0 || !record || !(record->flags & spriteTexture)) return false;
  QuadRecord q;
  q.sprite = sprite;
  q.width = static_cast<float>(record->width);
  q.height = static_cast<float>(record->height);
  ComputeCorners(q);
  s.quads[quad] = q;
  return true;
}

void ZoomSprite3D(int quad, int width, int height) {
  QuadRecord* q = FindQuad(quad);
  if (!q) return;
  q->width = static_cast<float>(width);
  q->height = static_cast<float>(height);
  ComputeCorners(*q);
}

void RotateSprite3D(int quad, int angle, int mode) {
  QuadRecord* q = FindQuad(quad);
  if (!q) return;
  int turned = mode == 1 ? q->angle + angle : angle;
  turned %= 360;
  if (turned < 0) turned += 360;
  q->angle = turned;
  ComputeCorners(*q);
}

int Sprite3DAngle(int quad) {
  QuadRecord* q = FindQuad(quad);
  return q ? q->angle : 0;
}

int Sprite3DWidth(int quad) {
  QuadRecord* q = FindQuad(quad);
  return q ? static_cast<int>(q->width) : 0;
}

int Sprite3DHeight(int quad) {
  QuadRecord* q = FindQuad(quad);
  return q ? static_cast<int>(q->height) : 0;
}

void Sprite3DQuality(int mode) { State().quality = mode; }

void Sprite3DBlendingMode(int sourceFactor, int destinationFactor) {
  MediaState& s = State();
  s.sourceFactor = sourceFactor;
  s.destinationFactor = destinationFactor;
}

void SetSprite3DTexCoords(int quad, int corner, float u, float v) {
  QuadRecord* q = FindQuad(quad);
  if (!q || corner < 0 || corner > 3) return;
  q->u[corner] = u;
  q->v[corner] = v;
}

QuadCorners Sprite3DCorners(int quad) {
  QuadRecord* q = FindQuad(quad);
  return q ? q->corners : QuadCorners{};
}

void SetSprite3DCorners(int quad, const QuadCorners& corners) {
  QuadRecord* q = FindQuad(quad);
  if (q) q->corners = corners;
}

void DisplaySprite3D(int quad, int x, int y, int alpha) {
  MediaState& s = State();
  QuadRecord* q = FindQuad(quad);
  if (!q) return;
  SpriteRecord* sprite = FindSprite(q->sprite);
  if (!sprite) return;
  bool intoScreen = true;
  int targetWidth = 0;
  int targetHeight = 0;
  if (!BindQuadTarget(intoScreen, targetWidth, targetHeight)) return;
  if (!intoScreen && sprite->texture && sprite->isTarget && s.drawIntoSprite == q->sprite) return;
  if (!EnsureSpriteTexture(*sprite)) return;
  if (alpha < 0) alpha = 0;
  if (alpha > 255) alpha = 255;
  // The viewport is the back buffer's: a sprite being drawn into is never clipped by it.
  ApplyClip(intoScreen && s.viewportSet ? &s.viewport : nullptr);
  SDL_ScaleMode wanted = s.quality == 0 ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
  if (sprite->scaleMode != wanted) {
    // The filter is texture state applied at once: earlier queued quads must be drawn first.
    FlushQuads();
    SDL_RenderFlush(s.renderer);
    SDL_SetTextureScaleMode(sprite->texture, wanted);
    sprite->scaleMode = wanted;
  }
  const SDL_BlendMode blend = QuadBlend(intoScreen);
  float px[4];
  float py[4];
  for (int i = 0; i < 4; ++i) {
    px[i] = static_cast<float>(x) + q->corners.x[i];
    py[i] = static_cast<float>(y) + q->corners.y[i];
  }
  bool inside = true;
  for (int i = 0; i < 4; ++i) {
    if (q->u[i] < 0 || q->u[i] > 1 || q->v[i] < 0 || q->v[i] > 1) inside = false;
  }
  if (intoScreen && UprightAtItsSize(*q, *sprite) && MadeAtScreenScale(*sprite)) {
    // A texture made at the screen's own scale, drawn upright at its size: its corners go to
    // whole screen pixels, so each texel lands on one pixel instead of being smoothed over two.
    const SDL_FRect r = TexelForPixel(px[0], py[0], sprite->textureWidth, sprite->textureHeight);
    px[0] = px[2] = r.x;
    px[1] = px[3] = r.x + r.w;
    py[0] = py[1] = r.y;
    py[2] = py[3] = r.y + r.h;
  }
  const QuadLook look{sprite->texture, blend, QuadCommutes(intoScreen), static_cast<Uint8>(alpha), targetWidth,
                       targetHeight};
  if (inside && DrawVisibleParts(look, px, py, q->u, q->v, *sprite, intoScreen)) return;
  if (inside || !DrawWrapped(look, px, py, q->u, q->v)) DrawPiece(look, px, py, q->u, q->v);
}

void FreeSprite3D(int quad) { State().quads.erase(quad); }

bool IsSprite3D(int quad) { return FindQuad(quad) != nullptr; }
