// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_synth.h"

#include <algorithm>
#include <cmath>

NoiseSource MakeNoise(uint32_t seed) {
  return NoiseSource{seed ? seed : 0x9E3779B9u};
}

// xorshift32: tiny, fast and the same everywhere.
static uint32_t NextBits(NoiseSource& noise) {
  uint32_t x = noise.state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  noise.state = x;
  return x;
}

float WhiteNoise(NoiseSource& noise) {
  return static_cast<float>(static_cast<int32_t>(NextBits(noise)) * (1.0 / 2147483648.0));
}

double RandomUnit(NoiseSource& noise) {
  return (NextBits(noise) >> 8) * (1.0 / 16777216.0);
}

static void Advance(Oscillator& osc, double increment) {
  osc.phase += increment;
  osc.phase -= std::floor(osc.phase);
}

float SineStep(Oscillator& osc, double freq, double rate) {
  const float value = static_cast<float>(std::sin(2.0 * pi * osc.phase));
  Advance(osc, freq / rate);
  return value;
}

float TriangleStep(Oscillator& osc, double freq, double rate) {
  const double p = osc.phase;
  const float value = static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
  Advance(osc, freq / rate);
  return value;
}

// Correction around a unit step at phase 0, for a phase increment dt.
static double PolyBlep(double t, double dt) {
  if (dt <= 0.0) return 0.0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

float SawStep(Oscillator& osc, double freq, double rate) {
  const double dt = std::min(freq / rate, 0.5);
  const double value = 2.0 * osc.phase - 1.0 - PolyBlep(osc.phase, dt);
  Advance(osc, freq / rate);
  return static_cast<float>(value);
}

float PulseStep(Oscillator& osc, double freq, double rate, double width) {
  const double dt = std::min(freq / rate, 0.5);
  double value = osc.phase < width ? 1.0 : -1.0;
  value += PolyBlep(osc.phase, dt);
  double shifted = osc.phase - width;
  shifted -= std::floor(shifted);
  value -= PolyBlep(shifted, dt);
  Advance(osc, freq / rate);
  return static_cast<float>(value);
}

SvfCoefficients DesignSvf(double cutoff, double q, double rate) {
  cutoff = std::clamp(cutoff, 10.0, rate * 0.49);
  const double g = std::tan(pi * cutoff / rate);
  const double k = 1.0 / std::max(q, 0.05);
  const double g1 = 1.0 / (1.0 + g * (g + k));
  return SvfCoefficients{static_cast<float>(g1), static_cast<float>(g * g1),
                         static_cast<float>(g * g * g1), static_cast<float>(k)};
}

SvfOutput SvfStep(SvfState& s, const SvfCoefficients& c, float in) {
  const float v3 = in - s.ic2;
  const float v1 = c.g1 * s.ic1 + c.g2 * v3;
  const float v2 = s.ic2 + c.g2 * s.ic1 + c.g3 * v3;
  s.ic1 = 2.0f * v1 - s.ic1;
  s.ic2 = 2.0f * v2 - s.ic2;
  return SvfOutput{v2, v1, in - c.k * v1 - v2};
}

float OnePoleCoefficient(double cutoff, double rate) {
  return static_cast<float>(1.0 - std::exp(-2.0 * pi * cutoff / rate));
}

float LowPassStep(OnePole& f, float in, float coefficient) {
  f.z += coefficient * (in - f.z);
  return f.z;
}

float HighPassStep(OnePole& f, float in, float coefficient) {
  f.z += coefficient * (in - f.z);
  return in - f.z;
}

float AttackDecay(double t, double attack, double decayTime) {
  if (t < 0.0) return 0.0f;
  if (t < attack) return static_cast<float>(t / attack);
  return static_cast<float>(std::exp(-(t - attack) / decayTime));
}

float Adsr(double t, double attack, double decayTime, double sustain, double gateTime,
           double releaseTime) {
  auto held = [&](double u) {
    if (u < attack) return u / attack;
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decayTime);
  };
  if (t < 0.0) return 0.0f;
  if (t < gateTime) return static_cast<float>(held(t));
  return static_cast<float>(held(gateTime) * std::exp(-(t - gateTime) / releaseTime));
}

float Ramp(double t, double t0, double t1) {
  if (t <= t0) return 0.0f;
  if (t >= t1) return 1.0f;
  return static_cast<float>(0.5 - 0.5 * std::cos(pi * (t - t0) / (t1 - t0)));
}

double MidiToHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double DbToGain(double db) {
  return std::pow(10.0, db / 20.0);
}

float PeakOf(const Samples& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

void FadeEdges(Samples& samples, int rate, double fadeIn, double fadeOut) {
  const size_t n = samples.size();
  const size_t inLength = std::min(n, static_cast<size_t>(fadeIn * rate));
  const size_t outLength = std::min(n, static_cast<size_t>(fadeOut * rate));
  for (size_t i = 0; i < inLength; ++i) {
    samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / inLength));
  }
  for (size_t i = 0; i < outLength; ++i) {
    samples[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / outLength));
  }
}

void NormalisePeak(Samples& samples, double peakDb) {
  const float peak = PeakOf(samples);
  if (peak <= 0.0f) return;
  const float gain = static_cast<float>(DbToGain(peakDb) / peak);
  for (float& s : samples) s *= gain;
}
