// SPDX-License-Identifier: GPL-3.0-or-later
// Building blocks of the sound generators: oscillators, noise, filters, envelopes and buffer
// helpers. Everything is plain float/double arithmetic with a fixed-seed noise source, so a
// sound renders to the same samples in every run and on every thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Samples = std::vector<float>;

constexpr double pi = 3.14159265358979323846;
constexpr int effectRate = 22050;  // the rate the game's effects are made at
constexpr int musicRate = 44100;

// ---------------------------------------------------------------- noise
struct NoiseSource {
  uint32_t state;
};
NoiseSource MakeNoise(uint32_t seed);
float WhiteNoise(NoiseSource& noise);             // uniform in [-1, 1)
double RandomUnit(NoiseSource& noise);            // uniform in [0, 1)

// ---------------------------------------------------------------- oscillators
// Each keeps its phase in cycles (0..1); the step advances it by freq / rate.
struct Oscillator {
  double phase = 0.0;
};
float SineStep(Oscillator& osc, double freq, double rate);
float TriangleStep(Oscillator& osc, double freq, double rate);
// Band-limited with a polynomial step correction, so sweeps to high pitches do not alias harshly.
float SawStep(Oscillator& osc, double freq, double rate);
float PulseStep(Oscillator& osc, double freq, double rate, double width);

// ---------------------------------------------------------------- filters
// State-variable filter in the trapezoidal (zero-delay) form: stays stable when the cutoff is
// swept quickly, which most of the effects do.
struct SvfCoefficients {
  float g1, g2, g3, k;
};
struct SvfState {
  float ic1 = 0.0f, ic2 = 0.0f;
};
struct SvfOutput {
  float low, band, high;
};
SvfCoefficients DesignSvf(double cutoff, double q, double rate);
SvfOutput SvfStep(SvfState& state, const SvfCoefficients& c, float in);

struct OnePole {
  float z = 0.0f;
};
float OnePoleCoefficient(double cutoff, double rate);
float LowPassStep(OnePole& f, float in, float coefficient);
float HighPassStep(OnePole& f, float in, float coefficient);

// ---------------------------------------------------------------- envelopes
// Linear rise over attack seconds, then exponential fall with the given time constant.
float AttackDecay(double t, double attack, double decayTime);
// Attack, decay to sustain, hold until gateTime, then exponential release; times in seconds.
float Adsr(double t, double attack, double decayTime, double sustain, double gateTime,
           double releaseTime);
// Smooth 0..1 ramp between t0 and t1 (raised cosine).
float Ramp(double t, double t0, double t1);

// ---------------------------------------------------------------- helpers
double MidiToHz(double note);
double DbToGain(double db);
float PeakOf(const Samples& samples);
// Raised-cosine fade at both ends so the sound starts and stops at zero.
void FadeEdges(Samples& samples, int rate, double fadeIn, double fadeOut);
// Scales so the highest peak sits at peakDb (dBFS).
void NormalisePeak(Samples& samples, double peakDb);

// ---------------------------------------------------------------- the generators
// Renders a mono effect at effectRate by its file name ("sfx/bounce.wav"); false if unknown.
bool RenderEffect(const std::string& fileName, Samples& out);
// The main menu's sounds, by file name ("sfx/menu_intro.wav"); false if unknown.
bool RenderMenuEffect(const std::string& fileName, Samples& out);
// Renders the game's looping music, stereo at musicRate. The two channels have the same length
// and the end joins the start without a seam.
void RenderMusic(Samples& left, Samples& right);
// Renders the credits' looping music, the same way.
void RenderCreditsMusic(Samples& left, Samples& right);
// Renders the falling-blocks game's looping music the same way.
void RenderTetrisMusic(Samples& left, Samples& right);

// ---------------------------------------------------------------- encoders
// A RIFF/WAVE file of mono 16-bit PCM.
std::vector<uint8_t> EncodeWav(const Samples& mono, int rate);
// An Ogg Vorbis stream (variable bit rate) of two channels; the fixed serial number keeps the
// bytes the same from run to run.
std::vector<uint8_t> EncodeVorbis(const Samples& left, const Samples& right, int rate,
                                  float quality, int serial, const char* title = "Kaldovirent theme");
