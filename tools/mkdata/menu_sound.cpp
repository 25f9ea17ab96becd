// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's intro sound: a rising whoosh as the emblem zooms home, then a bright chord that
// rings out with the flash.
#include <cmath>

#include "sound_synth.h"

namespace {

constexpr double rate = effectRate;

Samples Intro() {
  const double seconds = 2.2;
  Samples s(static_cast<size_t>(seconds * rate));
  NoiseSource noise = MakeNoise(0x1A7);
  SvfState whoosh;
  Oscillator notes[4], shimmer;
  const double chord[4] = {MidiToHz(72), MidiToHz(76), MidiToHz(79), MidiToHz(84)};  // C major
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / rate;
    // Noise through a band-pass whose centre climbs over the first 0.45 s.
    const double climb = std::min(t / 0.45, 1.0);
    const SvfCoefficients band = DesignSvf(300.0 + 5000.0 * climb * climb, 2.5, rate);
    float v = 0.8f * SvfStep(whoosh, band, WhiteNoise(noise)).band * (1.0f - Ramp(t, 0.4, 0.6));
    // The chord, each note a little later than the one below, with a slow shimmer on top.
    for (int n = 0; n < 4; ++n) {
      const double start = 0.42 + 0.03 * n;
      if (t < start) continue;
      const double local = t - start;
      v += 0.22f * SineStep(notes[n], chord[n] * (1.0 + 0.002 * std::sin(2 * pi * 5 * local)), rate) *
           AttackDecay(local, 0.005, 0.6);
    }
    if (t > 0.42) v += 0.1f * TriangleStep(shimmer, chord[3] * 2, rate) * AttackDecay(t - 0.42, 0.01, 0.25);
    s[i] = v;
  }
  FadeEdges(s, effectRate, 0.002, 0.2);
  NormalisePeak(s, -3.0);
  return s;
}

}  // namespace

bool RenderMenuEffect(const std::string& fileName, Samples& out) {
  if (fileName != "sfx/menu_intro.wav") return false;
  out = Intro();
  return true;
}
