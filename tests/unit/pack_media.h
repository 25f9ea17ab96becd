// SPDX-License-Identifier: GPL-3.0-or-later
// Media made for the pack tests and benchmarks: a picture in the game's glossy style as a 24-bit
// BMP, and synthesised sound effects as 16-bit PCM WAV. Deterministic for a given seed.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace packmedia {

inline void Le16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
inline void Le32(std::vector<uint8_t>& v, uint32_t x) { Le16(v, x & 0xffff); Le16(v, x >> 16); }

struct Lcg {
  uint32_t s;
  uint32_t Next() { s = s * 1664525u + 1013904223u; return s >> 8; }
  double Unit() { return Next() / double(1 << 24); }
};

inline std::vector<uint8_t> MakePicture(int width, int height, uint32_t seed) {
  std::vector<float> rgb(std::size_t(width) * height * 3);
  Lcg rng{seed};
  // Background: a dark vertical gradient with a soft glow.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float t = float(y) / float(height);
      float dx = float(x - width / 2) / float(width), dy = float(y - height / 3) / float(height);
      float glow = std::exp(-(dx * dx + dy * dy) * 8.0f);
      float* p = &rgb[(std::size_t(y) * width + x) * 3];
      p[0] = 10 + 30 * glow;
      p[1] = 12 + 20 * t + 40 * glow;
      p[2] = 40 + 60 * (1 - t) + 70 * glow;
    }
  }
  // Stars.
  for (int i = 0; i < width * height / 400; ++i) {
    int x = int(rng.Next() % uint32_t(width)), y = int(rng.Next() % uint32_t(height));
    float b = 120 + float(rng.Next() % 135);
    float* p = &rgb[(std::size_t(y) * width + x) * 3];
    p[0] = p[1] = p[2] = b;
  }
  auto blend = [&](int x, int y, float r, float g, float b, float a) {
    if (x < 0 || y < 0 || x >= width || y >= height || a <= 0) return;
    float* p = &rgb[(std::size_t(y) * width + x) * 3];
    p[0] += (r - p[0]) * a, p[1] += (g - p[1]) * a, p[2] += (b - p[2]) * a;
  };
  // Glossy bricks in rows, 64 x 20 cells.
  const float palette[6][3] = {{230, 60, 60}, {60, 200, 90}, {70, 110, 240}, {240, 200, 60},
                               {200, 80, 220}, {80, 220, 230}};
  for (int row = 0; row < height / 3 / 22; ++row) {
    for (int col = 0; col < width / 66; ++col) {
      const float* c = palette[rng.Next() % 6];
      int x0 = 8 + col * 66, y0 = 30 + row * 22;
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 64; ++x) {
          float ex = std::min(x + 0.5f, 63.5f - x), ey = std::min(y + 0.5f, 19.5f - y);
          float cover = 1.0f;
          if (ex < 4 && ey < 4) cover = std::clamp(4.5f - std::hypot(4 - ex, 4 - ey), 0.0f, 1.0f);
          float shade = y < 9 ? 1.25f - y * 0.02f : 0.8f - (y - 9) * 0.02f;
          bool edge = ex < 1.5f || ey < 1.5f;
          float k = edge ? 0.55f : shade;
          blend(x0 + x, y0 + y, std::min(255.0f, c[0] * k), std::min(255.0f, c[1] * k),
                std::min(255.0f, c[2] * k), cover);
        }
      }
    }
  }
  // Shiny balls with a highlight.
  for (int i = 0; i < 12; ++i) {
    float cx = float(rng.Next() % uint32_t(width)), cy = float(height / 2 + rng.Next() % uint32_t(height / 2));
    float radius = 4 + float(rng.Next() % 40);
    const float* c = palette[rng.Next() % 6];
    for (int y = int(cy - radius - 1); y <= int(cy + radius + 1); ++y) {
      for (int x = int(cx - radius - 1); x <= int(cx + radius + 1); ++x) {
        float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
        float cover = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
        float hx = x + 0.5f - (cx - radius * 0.35f), hy = y + 0.5f - (cy - radius * 0.35f);
        float light = std::exp(-(hx * hx + hy * hy) / (radius * radius * 0.15f));
        float k = 0.45f + 0.55f * (1 - d / radius);
        blend(x, y, std::min(255.0f, c[0] * k + 255 * light), std::min(255.0f, c[1] * k + 255 * light),
              std::min(255.0f, c[2] * k + 255 * light), cover);
      }
    }
  }
  int stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> bmp;
  bmp.push_back('B'), bmp.push_back('M');
  Le32(bmp, uint32_t(54 + stride * height)), Le32(bmp, 0), Le32(bmp, 54);
  Le32(bmp, 40), Le32(bmp, uint32_t(width)), Le32(bmp, uint32_t(height)), Le16(bmp, 1), Le16(bmp, 24);
  Le32(bmp, 0), Le32(bmp, uint32_t(stride * height)), Le32(bmp, 2835), Le32(bmp, 2835), Le32(bmp, 0), Le32(bmp, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const float* p = &rgb[(std::size_t(y) * width + x) * 3];
      for (int ch = 2; ch >= 0; --ch) bmp.push_back(uint8_t(std::clamp(p[ch], 0.0f, 255.0f) + 0.5f));
    }
    for (int pad = width * 3; pad < stride; ++pad) bmp.push_back(0);
  }
  return bmp;
}

// A laser zap, a bounce, an explosion and a short melody, with gaps, at 22050 Hz.
inline std::vector<uint8_t> MakeSound(uint32_t seed) {
  const int rate = 22050;
  std::vector<float> s;
  Lcg rng{seed};
  const double pi = 3.14159265358979;
  auto silence = [&](double seconds) { s.insert(s.end(), std::size_t(seconds * rate), 0.0f); };
  // Zap: a falling square-ish sweep.
  double phase = 0;
  for (int i = 0; i < rate / 4; ++i) {
    double t = double(i) / rate, f = 1800 * std::exp(-t * 9);
    phase += f / rate;
    s.push_back(float(0.5 * std::tanh(4 * std::sin(2 * pi * phase)) * std::exp(-t * 6)));
  }
  silence(0.1);
  // Bounce: a short sine ping.
  for (int i = 0; i < rate / 8; ++i) {
    double t = double(i) / rate;
    s.push_back(float(0.7 * std::sin(2 * pi * 660 * t) * std::exp(-t * 30)));
  }
  silence(0.1);
  // Explosion: low-passed noise with a long decay.
  double lp = 0;
  for (int i = 0; i < rate; ++i) {
    double t = double(i) / rate;
    lp += (rng.Unit() * 2 - 1 - lp) * 0.08;
    s.push_back(float(2.5 * lp * std::exp(-t * 3)));
  }
  // Melody: notes with harmonics and an envelope.
  const int notes[] = {0, 4, 7, 12, 7, 4, 0, -5};
  for (int n : notes) {
    double f = 440 * std::pow(2.0, n / 12.0);
    for (int i = 0; i < rate / 6; ++i) {
      double t = double(i) / rate;
      double env = std::min(1.0, t * 200) * std::exp(-t * 8);
      s.push_back(float(0.4 * env * (std::sin(2 * pi * f * t) + 0.3 * std::sin(4 * pi * f * t) +
                                     0.1 * std::sin(6 * pi * f * t))));
    }
  }
  silence(0.2);
  std::vector<uint8_t> wav = {'R', 'I', 'F', 'F'};
  Le32(wav, uint32_t(36 + s.size() * 2));
  for (char c : std::string("WAVEfmt ")) wav.push_back(uint8_t(c));
  Le32(wav, 16), Le16(wav, 1), Le16(wav, 1), Le32(wav, rate), Le32(wav, rate * 2), Le16(wav, 2), Le16(wav, 16);
  for (char c : std::string("data")) wav.push_back(uint8_t(c));
  Le32(wav, uint32_t(s.size() * 2));
  for (float v : s) Le16(wav, uint16_t(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32000))));
  return wav;
}

// Plain text from the system: the licence texts, then C headers, in name order, up to limit
// bytes. Empty when neither folder is there.
inline std::vector<uint8_t> ReadTextCorpus(std::size_t limit) {
  std::vector<uint8_t> text;
  for (const char* folder : {"/usr/share/common-licenses", "/usr/include"}) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      std::string name = it->path().filename().string();
      bool header = name.size() > 2 && name.compare(name.size() - 2, 2, ".h") == 0;
      if (it->is_regular_file(error) && (folder[5] == 's' || header)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
      std::FILE* file = std::fopen(path.c_str(), "rb");
      if (!file) continue;
      uint8_t chunk[65536];
      std::size_t got;
      while (text.size() < limit && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        text.insert(text.end(), chunk, chunk + std::min(got, limit - text.size()));
      }
      std::fclose(file);
      if (text.size() >= limit) return text;
    }
  }
  return text;
}

}  // namespace packmedia
