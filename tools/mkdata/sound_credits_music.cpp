// SPDX-License-Identifier: GPL-3.0-or-later
// The credits' music: a calm 64-second loop in D major at 90 beats a minute, 24 bars, for
// gliding over the landscape. Where the game's track drives (minor key, 150 beats, snare and
// stabs), this one floats: slow pads, a bell arpeggio, a round bass, a soft kick and shaker, a
// singing lead with a long echo. A (8 bars: D Bm G A) is pads, bells and bass; B repeats it with
// the beat and the lead; C (8 bars: Em F#m G A) lifts the lead an octave and falls back into A.
#include <algorithm>
#include <cmath>
#include <vector>

#include "music_bus.h"
#include "sound_synth.h"

namespace {

constexpr double rate = musicRate;
constexpr int stepSamples = 7350;       // a sixteenth note at 90 beats a minute: 1/6 s
constexpr int stepsPerBar = 16;
constexpr int barCount = 24;
constexpr size_t loopSamples = static_cast<size_t>(stepSamples) * stepsPerBar * barCount;
constexpr double barSeconds = stepsPerBar * stepSamples / rate;  // 2.67 s

struct Chord {
  int root;            // bass note (MIDI)
  int tones[4];        // voicing for pads and bells
};

const Chord dMaj9{38, {57, 61, 64, 66}}, bm9{35, {57, 61, 62, 66}}, gMaj9{43, {59, 62, 66, 69}},
    aMaj{45, {57, 61, 64, 69}}, aSus{45, {57, 62, 64, 69}}, em9{40, {55, 59, 62, 66}},
    fsm7{42, {57, 61, 64, 66}};

std::vector<Chord> Progression() {
  std::vector<Chord> bars;
  for (int i = 0; i < 4; ++i) bars.insert(bars.end(), {dMaj9, bm9, gMaj9, i == 1 ? aSus : aMaj});
  bars.insert(bars.end(), {em9, fsm7, gMaj9, aMaj, em9, fsm7, gMaj9, aSus});
  return bars;
}

bool SectionA(int bar) { return bar < 8; }

const char* const melody[barCount] = {
    ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . .",
    ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . A4 B4",
    // B
    "F#5 - - - E5 - D5 -", "C#5 - - - D5 - E5 -", "D5 - - - B4 - - -", "C#5 - - - - - . .",
    "F#5 - - - A5 - - -", "F#5 - E5 - D5 - C#5 -", "D5 - - - E5 - F#5 -", "E5 - - - - - . .",
    // C
    "G5 - - - F#5 - E5 -", "F#5 - - - E5 - C#5 -", "D5 - - - E5 - F#5 -", "A5 - - - - - . .",
    "B5 - - - A5 - G5 -", "A5 - - - F#5 - E5 -", "F#5 - - - D5 - B4 -", "A4 - - - - - - -"};

size_t StepStart(int step) { return static_cast<size_t>(step) * stepSamples; }

// A bar-long pad: two detuned saws per chord tone, one to each side, under a filter that
// breathes once a bar. The release runs into the next bar (and round the loop's end).
void Pad(Bus& bus, int bar, const Chord& chord) {
  const double gate = barSeconds - 0.05;
  const size_t length = static_cast<size_t>((gate + 1.2) * rate);
  for (int k = 0; k < 4; ++k) {
    for (int side = 0; side < 2; ++side) {
      Oscillator osc;
      osc.phase = 0.2 * k + 0.5 * side;
      SvfState lowPass;
      SvfCoefficients filter{};
      const double f = MidiToHz(chord.tones[k]) * (side ? 1.003 : 0.997);
      size_t n = 0;
      AddVoice(bus, StepStart(bar * stepsPerBar), length, side ? 0.7 : -0.7, 0.05f, [&](double t) {
        if (n++ % 64 == 0) filter = DesignSvf(700.0 + 500.0 * std::sin(pi * std::min(t / barSeconds, 1.0)), 0.7, rate);
        return SvfStep(lowPass, filter, SawStep(osc, f, rate)).low * Adsr(t, 0.7, 0.8, 0.8, gate, 0.35);
      });
    }
  }
}

// A two-operator bell: a sine whose phase is bent by another at 3.5 times its pitch, the bend
// dying away faster than the tone.
void Bell(Bus& bus, size_t start, int pitch, double pan, float gain) {
  Oscillator modulator;
  const double f = MidiToHz(pitch);
  double phase = 0.0;
  AddVoice(bus, start, static_cast<size_t>(1.6 * rate), pan, gain, [&](double t) {
    const double bend = 1.8 * std::exp(-t / 0.25) * SineStep(modulator, f * 3.5, rate);
    const float s = static_cast<float>(std::sin(2.0 * pi * phase + bend));
    phase += f / rate;
    return s * AttackDecay(t, 0.003, 0.45) * (1.0f - Ramp(t, 1.3, 1.6));
  });
}

// Eighth-note bells rising and falling through the chord over two octaves, drifting across the
// stereo field.
void Bells(Bus& bus, int bar, const Chord& chord) {
  const int order[8] = {0, 1, 2, 3, 2 + 4, 3 + 4, 2, 1};
  for (int e = 0; e < 8; ++e) {
    const int index = order[e];
    const int pitch = chord.tones[index % 4] + (index >= 4 ? 24 : 12);
    const double pan = 0.6 * std::sin(2.0 * pi * (bar * 8 + e) / 32.0);
    Bell(bus, StepStart(bar * stepsPerBar + 2 * e), pitch, pan, SectionA(bar) ? 0.07f : 0.05f);
  }
}

// A round bass: sine with a little triangle, the root for a bar and a half-beat pickup a fifth
// up before the next bar.
void BassNote(Bus& bus, int step, int lengthSteps, int pitch) {
  Oscillator sine, triangle;
  const double f = MidiToHz(pitch);
  const double gate = lengthSteps * stepSamples / rate * 0.92;
  AddVoice(bus, StepStart(step), static_cast<size_t>((gate + 0.25) * rate), 0.0, 0.42f, [&](double t) {
    const float s = SineStep(sine, f, rate) + 0.25f * TriangleStep(triangle, f * 2.0, rate);
    return s * Adsr(t, 0.02, 0.6, 0.7, gate, 0.08);
  });
}

void Bass(Bus& bus, const std::vector<Chord>& bars) {
  for (int bar = 0; bar < barCount; ++bar) {
    BassNote(bus, bar * stepsPerBar, 14, bars[bar].root);
    if (!SectionA(bar)) BassNote(bus, bar * stepsPerBar + 14, 2, bars[bar].root + 7);
  }
}

// A soft kick on the first and third beats of B and C and a shaker on the eighths, off-beats louder.
void Beat(Bus& bus, int bar, NoiseSource& noise) {
  for (int s : {0, 8}) {
    Oscillator body;
    AddVoice(bus, StepStart(bar * stepsPerBar + s), static_cast<size_t>(0.4 * rate), 0.0, 0.55f,
             [&](double t) {
               const double f = 52.0 + 45.0 * std::exp(-t / 0.04);
               return SineStep(body, f, rate) * AttackDecay(t, 0.004, 0.14) * (1.0f - Ramp(t, 0.3, 0.4));
             });
  }
  for (int e = 0; e < 8; ++e) {
    SvfState band;
    const SvfCoefficients filter = DesignSvf(6500.0, 1.5, rate);
    const float gain = e % 2 ? 0.09f : 0.05f;
    AddVoice(bus, StepStart(bar * stepsPerBar + 2 * e), static_cast<size_t>(0.12 * rate), 0.3, gain,
             [&](double t) {
               return SvfStep(band, filter, WhiteNoise(noise)).band * AttackDecay(t, 0.012, 0.03) *
                      (1.0f - Ramp(t, 0.09, 0.12));
             });
  }
}

// The lead: a sine with a soft triangle an octave up, slow to speak, with a vibrato that grows
// as the note is held.
void Lead(Bus& bus, const std::vector<Note>& notes) {
  for (const Note& note : notes) {
    Oscillator a, b;
    const double f = MidiToHz(note.pitch);
    const double gate = note.lengthSteps * stepSamples / rate - 0.03;
    AddVoice(bus, StepStart(note.startStep), static_cast<size_t>((gate + 0.5) * rate), 0.1, 0.2f,
             [&](double t) {
               const double vibrato = 1.0 + 0.005 * Ramp(t, 0.25, 0.7) * std::sin(2.0 * pi * 4.8 * t);
               const float s = SineStep(a, f * vibrato, rate) + 0.18f * TriangleStep(b, 2.0 * f * vibrato, rate);
               return s * Adsr(t, 0.06, 0.4, 0.8, gate, 0.18);
             });
  }
}

}  // namespace

void RenderCreditsMusic(Samples& left, Samples& right) {
  const std::vector<Chord> bars = Progression();
  NoiseSource noise = MakeNoise(2187);
  Bus music = MakeBus(loopSamples), echoSend = MakeBus(loopSamples);
  Bass(music, bars);
  for (int bar = 0; bar < barCount; ++bar) {
    Pad(music, bar, bars[bar]);
    Bells(echoSend, bar, bars[bar]);
    if (!SectionA(bar)) Beat(music, bar, noise);
  }
  Lead(echoSend, ParseMelody(melody, barCount, stepsPerBar));
  for (size_t i = 0; i < loopSamples; ++i) {
    music.left[i] += echoSend.left[i];
    music.right[i] += echoSend.right[i];
  }
  // A dotted-eighth echo and a longer, darker one give the space of a wide valley.
  PingPong(echoSend, music, 3 * stepSamples, 0.45f, 3000.0, 0.4f);
  PingPong(echoSend, music, 10 * stepSamples, 0.35f, 1500.0, 0.25f);

  // Both channels get the same gain so the stereo picture stays as mixed.
  const float peak = std::max(PeakOf(music.left), PeakOf(music.right));
  const float gain = static_cast<float>(DbToGain(-1.5) / peak);
  left.resize(loopSamples);
  right.resize(loopSamples);
  for (size_t i = 0; i < loopSamples; ++i) {
    left[i] = music.left[i] * gain;
    right[i] = music.right[i] * gain;
  }
}
