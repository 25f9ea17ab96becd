// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/credits_landscape.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "frontend/credits_raster.h"

namespace {

constexpr int cells = landscapePoints - 1;
constexpr float halfFieldOfView = 0.6981317f;           // 40 degrees: 80 across
constexpr float nearPlane = 50;
constexpr float peakHeight = 2800;  // below the camera's lowest pass (3000)
// Fog: clear up to fogStart, the fog colour alone from fogEnd, which is closer than the field's
// edge ever is (the camera stays within 4000 of the centre, 37500 from the edges), so the edge
// is never seen.
constexpr float fogStart = 5000;
constexpr float fogEnd = 31000;
constexpr uint32_t fogColour = 0x101634;  // night blue

// ---------------------------------------------------------------- the field

// A hash of a lattice point, 0..1.
float LatticeValue(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0f;
}

float SmoothNoise(float x, float y, uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  float fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const float top = LatticeValue(ix, iy, seed) + (LatticeValue(ix + 1, iy, seed) - LatticeValue(ix, iy, seed)) * fx;
  const float bottom =
      LatticeValue(ix, iy + 1, seed) + (LatticeValue(ix + 1, iy + 1, seed) - LatticeValue(ix, iy + 1, seed)) * fx;
  return top + (bottom - top) * fy;
}

// Four octaves of noise, 0..1.
float Fractal(float x, float y, uint32_t seed) {
  float sum = 0, amplitude = 0.5f, total = 0;
  for (int octave = 0; octave < 4; ++octave) {
    sum += amplitude * SmoothNoise(x, y, seed + octave);
    total += amplitude;
    x *= 2.03f;
    y *= 2.03f;
    amplitude *= 0.5f;
  }
  return sum / total;
}

// A valley floor of rolling hills round the centre, where the camera flies, rising to ridged
// mountains towards the edges.
float FieldHeight(int column, int row) {
  const float cx = column - cells / 2.0f, cz = row - cells / 2.0f;
  const float r = std::sqrt(cx * cx + cz * cz) / (cells / 2.0f);
  const float t = std::clamp((r - 0.15f) / 0.65f, 0.0f, 1.0f);
  const float valley = t * t * (3 - 2 * t);
  const float rolling = Fractal(column / 5.0f, row / 5.0f, 17);
  const float ridge = 1 - std::fabs(2 * SmoothNoise(column / 6.0f, row / 6.0f, 91) - 1);
  const float h = 60 + 2300 * rolling * rolling + valley * (1500 * ridge * ridge * (0.5f + rolling) + 250);
  return std::min(h, peakHeight);
}

struct Colour {
  float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The ground's own colour by height: blue-green hollows, meadows, earth, rock and snow.
Colour GroundColour(float height, float steepness) {
  static const Colour stops[] = {{22, 78, 104}, {44, 122, 72}, {86, 146, 62}, {138, 114, 78},
                                 {140, 130, 156}, {236, 240, 255}};
  static const float at[] = {0.0f, 0.12f, 0.32f, 0.55f, 0.78f, 0.92f};
  constexpr int count = 6;
  const float t = height / peakHeight;
  Colour c = stops[count - 1];
  for (int i = 1; i < count; ++i) {
    if (t < at[i]) {
      c = Mix(stops[i - 1], stops[i], (t - at[i - 1]) / (at[i] - at[i - 1]));
      break;
    }
  }
  // Steep faces show bare rock whatever their height.
  return Mix(c, stops[4], std::clamp(steepness * 1.5f - 0.3f, 0.0f, 0.7f));
}

uint32_t Pack(Colour c) {
  auto channel = [](float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 255.0f) + 0.5f); };
  return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// ---------------------------------------------------------------- the view

// The camera's rotation, worked out once per frame.
struct View {
  float x, y, z;
  float cosYaw, sinYaw, cosPitch, sinPitch, cosRoll, sinRoll;
  float focal, centreX, centreY;
};

View MakeView(const CreditsCamera& camera, int width, int height) {
  return View{camera.x, camera.y, camera.z,
              std::cos(camera.yaw), std::sin(camera.yaw), std::cos(camera.pitch), std::sin(camera.pitch),
              std::cos(camera.roll), std::sin(camera.roll),
              width / 2.0f / std::tan(halfFieldOfView), width / 2.0f, height / 2.0f};
}

// World to camera space: x right, y up, z ahead.
void ToCamera(const View& v, float x, float y, float z, float& cx, float& cy, float& cz) {
  const float dx = x - v.x, dy = y - v.y, dz = z - v.z;
  const float x1 = dx * v.cosYaw - dz * v.sinYaw;
  const float z1 = dx * v.sinYaw + dz * v.cosYaw;
  const float y2 = dy * v.cosPitch - z1 * v.sinPitch;
  cz = dy * v.sinPitch + z1 * v.cosPitch;
  cx = x1 * v.cosRoll - y2 * v.sinRoll;
  cy = x1 * v.sinRoll + y2 * v.cosRoll;
}

struct ViewPoint {
  float cx, cy, cz;     // camera space
  float sx, sy;         // screen, when cz >= nearPlane
  float fog;            // 0 clear .. 1 the fog's colour alone
  float r, g, b;        // the colour of the face being drawn, fogged
  int outside;          // bits: left, right, above, below the screen; 16 behind the near plane
};

float FogAt(float depth) { return std::clamp((depth - fogStart) / (fogEnd - fogStart), 0.0f, 1.0f); }

// The point as a corner of a face of the given colour.
ViewPoint Coloured(ViewPoint p, uint32_t face) {
  const float keep = 1 - p.fog;
  p.r = ((face >> 16) & 255) * keep + ((fogColour >> 16) & 255) * p.fog;
  p.g = ((face >> 8) & 255) * keep + ((fogColour >> 8) & 255) * p.fog;
  p.b = (face & 255) * keep + (fogColour & 255) * p.fog;
  return p;
}

void ProjectPoint(const View& v, ViewPoint& p, int width, int height) {
  if (p.cz < nearPlane) {
    p.outside = 16;
    return;
  }
  const float scale = v.focal / p.cz;
  p.sx = v.centreX + p.cx * scale;
  p.sy = v.centreY - p.cy * scale;
  p.outside = (p.sx < 0 ? 1 : 0) | (p.sx >= width ? 2 : 0) | (p.sy < 0 ? 4 : 0) | (p.sy >= height ? 8 : 0);
}

RasterVertex ToRaster(const ViewPoint& p) { return RasterVertex{p.sx, p.sy, p.r, p.g, p.b}; }

// The part of a triangle in front of the near plane (none, a triangle or a quad), projected.
void DrawClippedTriangle(const View& v, const ViewPoint* corners[3], RasterTarget& target) {
  ViewPoint kept[4];
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    const ViewPoint& a = *corners[i];
    const ViewPoint& b = *corners[(i + 1) % 3];
    const bool aIn = a.cz >= nearPlane, bIn = b.cz >= nearPlane;
    if (aIn) kept[count++] = a;
    if (aIn != bIn) {
      const float t = (nearPlane - a.cz) / (b.cz - a.cz);
      ViewPoint m{};
      m.cx = a.cx + (b.cx - a.cx) * t;
      m.cy = a.cy + (b.cy - a.cy) * t;
      m.cz = nearPlane;
      m.fog = a.fog + (b.fog - a.fog) * t;
      m.r = a.r + (b.r - a.r) * t;
      m.g = a.g + (b.g - a.g) * t;
      m.b = a.b + (b.b - a.b) * t;
      kept[count++] = m;
    }
  }
  for (int i = 0; i < count; ++i) ProjectPoint(v, kept[i], target.width, target.height);
  for (int i = 1; i + 1 < count; ++i) {
    FillTriangle(target, ToRaster(kept[0]), ToRaster(kept[i]), ToRaster(kept[i + 1]));
  }
}

void DrawTriangle(const View& v, const ViewPoint& p, const ViewPoint& q, const ViewPoint& r, uint32_t face,
                  RasterTarget& target) {
  if (p.outside & q.outside & r.outside) return;  // wholly off one side, or behind
  const ViewPoint a = Coloured(p, face), b = Coloured(q, face), c = Coloured(r, face);
  if ((a.outside | b.outside | c.outside) & 16) {
    const ViewPoint* corners[3] = {&a, &b, &c};
    DrawClippedTriangle(v, corners, target);
    return;
  }
  FillTriangle(target, ToRaster(a), ToRaster(b), ToRaster(c));
}

// The sky: black overhead, brightening to the fog's colour at the horizon and below it.
void DrawSky(const View& v, float pitch, uint32_t* pixels, int width, int height, int pitchPixels) {
  const float horizon = v.centreY + v.focal * std::tan(pitch);
  for (int y = 0; y < height; ++y) {
    uint32_t colour = fogColour;
    if (y < horizon) {
      const float t = horizon > 0 ? y / horizon : 1.0f;
      const float k = t * t;
      colour = Pack(Colour{((fogColour >> 16) & 255) * k, ((fogColour >> 8) & 255) * k, (fogColour & 255) * k});
    }
    std::fill(pixels + static_cast<std::size_t>(y) * pitchPixels,
              pixels + static_cast<std::size_t>(y) * pitchPixels + width, colour);
  }
}

}  // namespace

void StepCreditsCamera(CreditsCamera& camera, int64_t milliseconds) {
  const double t = static_cast<double>(milliseconds);
  camera.yaw += creditsYawStep;
  camera.pitch = creditsPitch;
  camera.x = static_cast<float>(4000 * std::cos(t / 1000) - 37500);
  camera.z = static_cast<float>(4000 * std::sin(t / 2000) - 37500);
  camera.y = static_cast<float>(1500 * std::cos(t / 1500) + 4500);
}

void BuildLandscape(Landscape& landscape) {
  const int n = landscapePoints;
  landscape.heights.assign(static_cast<std::size_t>(n) * n, 0.0f);
  for (int row = 0; row < n; ++row) {
    for (int column = 0; column < n; ++column) landscape.heights[row * n + column] = FieldHeight(column, row);
  }
  // Each triangle is lit as one flat face: the facets show every slope's turn to the light
  // more plainly than smooth shading, where the 1000-unit cells would melt into a blur.
  landscape.faceColours.assign(static_cast<std::size_t>(cells) * cells * 2, 0);
  const float sunX = 0.62f, sunY = 0.38f, sunZ = 0.68f;  // a low sun from the north-east
  const float sunLength = std::sqrt(sunX * sunX + sunY * sunY + sunZ * sunZ);
  for (int row = 0; row < cells; ++row) {
    for (int column = 0; column < cells; ++column) {
      const float a = LandscapeHeight(landscape, column, row), b = LandscapeHeight(landscape, column + 1, row);
      const float c = LandscapeHeight(landscape, column, row + 1), d = LandscapeHeight(landscape, column + 1, row + 1);
      // The cell's two triangles, a-b-d and a-d-c, and their slopes along x and z.
      const float slopes[2][2] = {{(b - a) / landscapeSpacing, (d - b) / landscapeSpacing},
                                  {(d - c) / landscapeSpacing, (c - a) / landscapeSpacing}};
      const float heights[2] = {(a + b + d) / 3, (a + d + c) / 3};
      for (int face = 0; face < 2; ++face) {
        const float slopeX = slopes[face][0], slopeZ = slopes[face][1];
        // The face's normal (-slopeX, 1, -slopeZ), normalised.
        const float length = std::sqrt(slopeX * slopeX + 1 + slopeZ * slopeZ);
        const float facing = (-slopeX * sunX + sunY - slopeZ * sunZ) / (length * sunLength);
        const float light = 0.12f + 0.82f * std::max(facing, 0.0f);
        const Colour ground = GroundColour(heights[face], 1 - 1 / length);
        landscape.faceColours[(row * cells + column) * 2 + face] =
            Pack(Colour{ground.r * light, ground.g * light, ground.b * light});
      }
    }
  }
}

float LandscapeHeight(const Landscape& landscape, int column, int row) {
  return landscape.heights[static_cast<std::size_t>(row) * landscapePoints + column];
}

bool ProjectToScreen(const CreditsCamera& camera, float x, float y, float z, int screenWidth,
                     int screenHeight, float& screenX, float& screenY) {
  const View v = MakeView(camera, screenWidth, screenHeight);
  ViewPoint p{};
  ToCamera(v, x, y, z, p.cx, p.cy, p.cz);
  ProjectPoint(v, p, screenWidth, screenHeight);
  if (p.outside & 16) return false;
  screenX = p.sx;
  screenY = p.sy;
  return true;
}

void DrawLandscape(const Landscape& landscape, const CreditsCamera& camera, uint32_t* pixels,
                   int width, int height, int pitchPixels) {
  const View v = MakeView(camera, width, height);
  DrawSky(v, camera.pitch, pixels, width, height, pitchPixels);
  if (landscape.heights.size() != static_cast<std::size_t>(landscapePoints) * landscapePoints) return;

  // Every point in camera space, on the screen and in its fog, once.
  static thread_local std::vector<ViewPoint> points;
  points.resize(landscape.heights.size());
  for (int row = 0; row < landscapePoints; ++row) {
    for (int column = 0; column < landscapePoints; ++column) {
      const int i = row * landscapePoints + column;
      ViewPoint p{};
      ToCamera(v, landscapeOrigin + column * landscapeSpacing, landscape.heights[i],
               landscapeOrigin + row * landscapeSpacing, p.cx, p.cy, p.cz);
      ProjectPoint(v, p, width, height);
      p.fog = FogAt(p.cz);
      points[i] = p;
    }
  }

  // The cells that can be seen, farthest first: over a height field seen from above, drawing
  // by falling ground distance lets near hills cover far ones without a depth buffer.
  static thread_local std::vector<uint64_t> order;
  order.clear();
  for (int row = 0; row < cells; ++row) {
    for (int column = 0; column < cells; ++column) {
      const int i = row * landscapePoints + column;
      const ViewPoint &a = points[i], &b = points[i + 1], &c = points[i + landscapePoints],
                      &d = points[i + landscapePoints + 1];
      if (a.outside & b.outside & c.outside & d.outside) continue;
      const float dx = landscapeOrigin + (column + 0.5f) * landscapeSpacing - camera.x;
      const float dz = landscapeOrigin + (row + 0.5f) * landscapeSpacing - camera.z;
      const auto distance = static_cast<uint32_t>(dx * dx + dz * dz > 4e9f ? 4e9f : dx * dx + dz * dz);
      order.push_back(static_cast<uint64_t>(~distance) << 32 | static_cast<uint32_t>(i));
    }
  }
  std::sort(order.begin(), order.end());

  RasterTarget target{pixels, width, height, pitchPixels};
  for (uint64_t key : order) {
    const int i = static_cast<int>(key & 0xFFFFFFFFu);
    const ViewPoint &a = points[i], &b = points[i + 1], &c = points[i + landscapePoints],
                    &d = points[i + landscapePoints + 1];
    const uint32_t* faces = &landscape.faceColours[(i / landscapePoints * cells + i % landscapePoints) * 2];
    DrawTriangle(v, a, b, d, faces[0], target);
    DrawTriangle(v, a, d, c, faces[1], target);
  }
}
