// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's music: a 64-second loop in D minor, a lilting 6/8 at 120 dotted
// beats a minute (one bar a second), 64 bars in four sections. A (16 bars) sets an FM bell
// melody over a plucked bass and brushed percussion; B (16 bars) turns to F major with a marimba
// running under a higher, sparer line; A again with a warm pad; C breaks down to marimba alone
// and climbs back with long bell notes into A. As in the game's own music, every voice is
// written into a circular buffer and the room runs round the loop twice, so the end joins the
// start without a seam.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "sound_synth.h"

namespace {

constexpr double rate = musicRate;
constexpr int stepSamples = 7350;       // an eighth note: a sixth of a second
constexpr int stepsPerBar = 6;
constexpr int barCount = 64;
constexpr size_t loopSamples = static_cast<size_t>(stepSamples) * stepsPerBar * barCount;

struct Chord {
  int root;       // bass note (MIDI)
  int tones[3];   // voicing for the pad and the marimba
};

const Chord dm{38, {62, 65, 69}}, bb{34, {58, 62, 65}}, cMaj{36, {60, 64, 67}}, aMaj{33, {61, 64, 69}},
    gm{43, {55, 58, 62}}, fMaj{41, {57, 60, 65}};

enum Section { sectionA, sectionB, sectionA2, sectionC };
Section SectionOf(int bar) { return static_cast<Section>(bar / 16); }

std::vector<Chord> Progression() {
  const std::vector<Chord> a = {dm, bb, cMaj, aMaj, dm, bb, aMaj, dm, gm, dm, bb, cMaj, dm, bb, aMaj, aMaj};
  const std::vector<Chord> b = {fMaj, cMaj, dm, bb, fMaj, cMaj, bb, aMaj};
  const std::vector<Chord> c = {gm, dm, bb, aMaj, gm, dm, bb, aMaj, dm, dm, dm, cMaj, dm, bb, gm, aMaj};
  std::vector<Chord> bars = a;
  bars.insert(bars.end(), b.begin(), b.end());
  bars.insert(bars.end(), b.begin(), b.end());
  bars.insert(bars.end(), a.begin(), a.end());
  bars.insert(bars.end(), c.begin(), c.end());
  return bars;
}

// The bell's melody in eighth notes, one line per bar: a note name starts a note ("Bb5" flat,
// "C#6" sharp), "-" holds it, "." is a rest.
const char* const phraseA[16] = {
    "D5 - E5 F5 - A5", "G5 - F5 E5 - D5", "E5 - - C5 - E5", "A4 - - - . .",
    "D5 - E5 F5 - A5", "Bb5 - A5 G5 - F5", "E5 - G5 A5 - C#6", "D6 - - - . .",
    "Bb5 - A5 G5 - D5", "F5 - E5 D5 - A4", "D5 - F5 Bb5 - A5", "G5 - - E5 - C5",
    "D5 - F5 A5 - D6", "C6 - Bb5 A5 - G5", "A5 - G5 E5 - C#5", "E5 - - C#5 - -"};
const char* const phraseB[16] = {
    "A5 - - C6 - -", "G5 - - E5 - -", "F5 - - A5 - -", "D6 - - - - -",
    "C6 - A5 F5 - A5", "G5 - E5 C5 - E5", "D5 - F5 Bb5 - D6", "C#6 - - - . .",
    "A5 - - C6 - -", "G5 - - E5 - -", "F5 - - A5 - -", "D6 - - - - -",
    "C6 - A5 F5 - A5", "G5 - E5 C5 - E5", "Bb5 - D6 F6 - D6", "E6 - - C#6 - -"};
const char* const phraseC[16] = {
    ". . . . . .", ". . . . . .", ". . . . . .", ". . . . . .",
    ". . . . . .", ". . . . . .", ". . . . . .", ". . . . . .",
    "D5 - - - - -", "F5 - - - - -", "A5 - - - - -", "G5 - - E5 - -",
    "F5 - - D5 - -", "Bb5 - - A5 - -", "G5 - - E5 - -", "C#5 - - E5 - -"};

const char* MelodyBar(int bar) {
  switch (SectionOf(bar)) {
    case sectionB: return phraseB[bar % 16];
    case sectionC: return phraseC[bar % 16];
    default: return phraseA[bar % 16];
  }
}

int NoteNumber(const std::string& name) {
  static const int offsets[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int note = offsets[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') {
    ++note;
    ++i;
  } else if (name[i] == 'b') {
    --note;
    ++i;
  }
  return 12 * (name[i] - '0' + 1) + note;
}

struct Note {
  int pitch;
  int startStep;
  int lengthSteps;
};

std::vector<Note> MelodyNotes() {
  std::vector<Note> notes;
  for (int bar = 0; bar < barCount; ++bar) {
    std::istringstream tokens(MelodyBar(bar));
    std::string token;
    for (int eighth = 0; tokens >> token; ++eighth) {
      const int step = bar * stepsPerBar + eighth;
      if (token == "-") {
        if (!notes.empty() && notes.back().startStep + notes.back().lengthSteps == step) ++notes.back().lengthSteps;
      } else if (token != ".") {
        notes.push_back({NoteNumber(token), step, 1});
      }
    }
  }
  return notes;
}

struct Bus {
  Samples left, right;
};

Bus MakeBus() { return Bus{Samples(loopSamples, 0.0f), Samples(loopSamples, 0.0f)}; }

size_t StepStart(int step) { return static_cast<size_t>(step) * stepSamples; }

// One voice of the given length in seconds from a step, panned -1 (left) to 1 (right) with
// constant power; writes past the loop's end wrap to its start.
template <class Voice>
void AddVoice(Bus& bus, int step, double seconds, double pan, float gain, Voice voice) {
  const float l = gain * static_cast<float>(std::cos((pan + 1.0) * pi / 4.0));
  const float r = gain * static_cast<float>(std::sin((pan + 1.0) * pi / 4.0));
  const size_t start = StepStart(step);
  const size_t length = static_cast<size_t>(seconds * rate);
  for (size_t i = 0; i < length; ++i) {
    const float s = voice(i / rate);
    const size_t at = (start + i) % loopSamples;
    bus.left[at] += s * l;
    bus.right[at] += s * r;
  }
}

// ---------------------------------------------------------------- instruments

// Two-operator FM bell: an inharmonic modulator whose depth dies away, so the strike is bright
// and the tail a pure tone.
void Bell(Bus& bus, const Note& note, double pan, float gain) {
  const double f = MidiToHz(note.pitch);
  const double held = note.lengthSteps * stepSamples / rate;
  const double seconds = std::max(1.6, held + 0.8);
  AddVoice(bus, note.startStep, seconds, pan, gain, [=](double t) {
    const double index = 2.2 * std::exp(-t / 0.25);
    const double modulator = std::sin(2 * pi * 3.5 * f * t);
    const double carrier = std::sin(2 * pi * f * t + index * modulator);
    const double shimmer = 0.25 * std::sin(2 * pi * 2.0 * f * t) * std::exp(-t / 0.15);
    const float envelope = AttackDecay(t, 0.003, std::max(0.5, held * 0.9));
    return static_cast<float>(carrier + shimmer) * envelope * (1.0f - Ramp(t, seconds - 0.2, seconds));
  });
}

// A wooden bar: the fundamental and its fourth harmonic, damped quickly, with a mallet click.
void Marimba(Bus& bus, int step, int pitch, double pan, float gain) {
  const double f = MidiToHz(pitch);
  AddVoice(bus, step, 0.5, pan, gain, [=](double t) {
    const double body = std::sin(2 * pi * f * t) * std::exp(-t / 0.22);
    const double overtone = 0.35 * std::sin(2 * pi * 3.93 * f * t) * std::exp(-t / 0.05);
    const double click = 0.2 * std::sin(2 * pi * 9.2 * f * t) * std::exp(-t / 0.006);
    return static_cast<float>(body + overtone + click) * AttackDecay(t, 0.001, 10.0) * (1.0f - Ramp(t, 0.42, 0.5));
  });
}

// A round plucked bass: triangle and sine, the triangle's brightness fading first.
void Bass(Bus& bus, int step, int steps, int pitch) {
  const double f = MidiToHz(pitch);
  const double gate = steps * stepSamples / rate * 0.9;
  Oscillator tri;
  AddVoice(bus, step, gate + 0.1, 0.0, 0.55f, [=, &tri](double t) {
    const float bright = TriangleStep(tri, f, rate) * static_cast<float>(std::exp(-t / 0.18));
    const float round = static_cast<float>(std::sin(2 * pi * f * t));
    return (0.6f * bright + round) * Adsr(t, 0.004, 0.3, 0.55, gate, 0.06);
  });
}

// A bar-long pad of detuned triangles, soft in and out.
void Pad(Bus& bus, int bar, const Chord& chord) {
  const double seconds = stepsPerBar * stepSamples / rate;
  for (int k = 0; k < 3; ++k) {
    for (int side = 0; side < 2; ++side) {
      Oscillator osc;
      osc.phase = 0.3 * k + 0.5 * side;
      const double f = MidiToHz(chord.tones[k] - 12) * (side ? 1.003 : 0.997);
      AddVoice(bus, bar * stepsPerBar, seconds + 0.4, side ? 0.7 : -0.7, 0.06f, [=, &osc](double t) {
        return TriangleStep(osc, f, rate) * Adsr(t, 0.25, 0.4, 0.8, seconds - 0.05, 0.35);
      });
    }
  }
}

void Kick(Bus& bus, int step, float gain) {
  AddVoice(bus, step, 0.35, 0.0, gain, [](double t) {
    // The phase of a pitch falling from 120 to 50 Hz: the integral of 50 + 70 e^(-t / 0.04).
    const double phase = 2 * pi * (50.0 * t + 70.0 * 0.04 * (1.0 - std::exp(-t / 0.04)));
    return static_cast<float>(std::sin(phase)) * AttackDecay(t, 0.002, 0.12) * (1.0f - Ramp(t, 0.3, 0.35));
  });
}

void Rim(Bus& bus, int step, float gain, NoiseSource& noise) {
  SvfState band;
  const SvfCoefficients filter = DesignSvf(1700.0, 4.0, rate);
  AddVoice(bus, step, 0.08, -0.25, gain, [&](double t) {
    return SvfStep(band, filter, WhiteNoise(noise)).band * AttackDecay(t, 0.0005, 0.012);
  });
}

// A brushed shaker: high noise with a soft swell, panned a little right.
void Shaker(Bus& bus, int step, float gain, NoiseSource& noise) {
  SvfState high;
  const SvfCoefficients filter = DesignSvf(6500.0, 0.7, rate);
  AddVoice(bus, step, 0.12, 0.4, gain, [&](double t) {
    return SvfStep(high, filter, WhiteNoise(noise)).high * AttackDecay(t, 0.012, 0.03) * (1.0f - Ramp(t, 0.1, 0.12));
  });
}

void Percussion(Bus& bus) {
  NoiseSource noise = MakeNoise(2257);
  for (int bar = 0; bar < barCount; ++bar) {
    const Section section = SectionOf(bar);
    const bool quiet = section == sectionC && bar % 16 < 8;
    const int first = bar * stepsPerBar;
    if (!quiet) Kick(bus, first, 0.8f);
    if (section == sectionB || section == sectionA2 || bar >= barCount - 2) Kick(bus, first + 3, 0.55f);
    if (!quiet) Rim(bus, first + 3, 0.5f, noise);
    for (int s = 0; s < stepsPerBar; ++s) {
      const float accent = s == 0 || s == 3 ? 0.16f : 0.09f;
      Shaker(bus, first + s, quiet ? accent * 0.6f : accent, noise);
    }
    // The last bar rolls back into the start.
    if (bar == barCount - 1) {
      Rim(bus, first + 4, 0.35f, noise);
      Rim(bus, first + 5, 0.45f, noise);
    }
  }
}

void BassLine(Bus& bus, const std::vector<Chord>& bars) {
  for (int bar = 0; bar < barCount; ++bar) {
    const int root = bars[bar].root;
    const int first = bar * stepsPerBar;
    if (SectionOf(bar) == sectionC && bar % 16 < 8) {
      Bass(bus, first, 6, root);
      continue;
    }
    Bass(bus, first, 3, root);
    Bass(bus, first + 3, 2, root + 7);
    if (SectionOf(bar) == sectionB) Bass(bus, first + 5, 1, root + 12);
  }
}

// Rolling chord tones under the bell in B and all through C.
void MarimbaLine(Bus& bus, const std::vector<Chord>& bars) {
  const int order[stepsPerBar] = {0, 1, 2, 1, 2, 1};
  for (int bar = 0; bar < barCount; ++bar) {
    const Section section = SectionOf(bar);
    if (section != sectionB && section != sectionC) continue;
    for (int s = 0; s < stepsPerBar; ++s) {
      const int pitch = bars[bar].tones[order[s]] - (s < 3 ? 12 : 0);
      Marimba(bus, bar * stepsPerBar + s, pitch, s % 2 ? 0.35 : -0.35, s == 0 ? 0.3f : 0.22f);
    }
  }
}

// A small room: four damped feedback delays, mixed across the channels. It runs round the loop
// twice and keeps the second lap, so the tail at the start is the end's.
void Room(const Bus& send, Bus& mix, float level) {
  const size_t lengths[4] = {1931, 2473, 3011, 3559};
  std::vector<Samples> lines;
  for (size_t n : lengths) lines.emplace_back(n, 0.0f);
  size_t pos[4] = {0, 0, 0, 0};
  OnePole damp[4];
  const float coefficient = OnePoleCoefficient(4000.0, rate);
  const float feedback = 0.72f;
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < loopSamples; ++i) {
      float out[4];
      for (int k = 0; k < 4; ++k) out[k] = lines[k][pos[k]];
      const float in = 0.5f * (send.left[i] + send.right[i]);
      // A Householder mix keeps the energy while it spreads it over the four lines.
      const float sum = 0.5f * (out[0] + out[1] + out[2] + out[3]);
      for (int k = 0; k < 4; ++k) {
        lines[k][pos[k]] = LowPassStep(damp[k], in + feedback * (out[k] - sum), coefficient);
        pos[k] = (pos[k] + 1) % lengths[k];
      }
      if (lap == 1) {
        mix.left[i] += level * (out[0] + out[2]);
        mix.right[i] += level * (out[1] + out[3]);
      }
    }
  }
}

}  // namespace

void RenderTetrisMusic(Samples& left, Samples& right) {
  const std::vector<Chord> bars = Progression();
  Bus music = MakeBus(), wet = MakeBus();
  Percussion(music);
  BassLine(music, bars);
  for (int bar = 0; bar < barCount; ++bar) {
    if (SectionOf(bar) == sectionA2 || SectionOf(bar) == sectionC) Pad(wet, bar, bars[bar]);
  }
  MarimbaLine(wet, bars);
  for (const Note& note : MelodyNotes()) {
    Bell(wet, note, -0.15, 0.28f);
    // In B the bell is doubled an octave down on the other side.
    if (SectionOf(note.startStep / stepsPerBar) == sectionB) {
      Bell(wet, Note{note.pitch - 12, note.startStep, note.lengthSteps}, 0.45, 0.12f);
    }
  }
  for (size_t i = 0; i < loopSamples; ++i) {
    music.left[i] += wet.left[i];
    music.right[i] += wet.right[i];
  }
  Room(wet, music, 0.22f);

  left = std::move(music.left);
  right = std::move(music.right);
  const float peak = std::max(PeakOf(left), PeakOf(right));
  const float gain = static_cast<float>(DbToGain(-1.5) / peak);
  for (size_t i = 0; i < loopSamples; ++i) {
    left[i] *= gain;
    right[i] *= gain;
  }
}
