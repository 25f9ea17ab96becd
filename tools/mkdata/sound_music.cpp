// SPDX-License-Identifier: GPL-3.0-or-later
// The game's music: a 64-second loop in A minor at 150 beats a minute, 40 bars in three
// sections. A (16 bars: Am F C G) opens on the groove alone and brings in the lead after four
// bars; B (16 bars: F G Em Am F G E E) lifts it with pads and a higher melody; C (8 bars:
// Dm Em F G Dm Em F E) breaks down to arpeggios and builds back with a snare roll into A.
// Every voice is written into a circular bus (music_bus.h), so the loop has no seam.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "music_bus.h"
#include "sound_synth.h"

namespace {

constexpr double rate = musicRate;
constexpr int stepSamples = 4410;       // a sixteenth note at 150 beats a minute: 0.1 s
constexpr int stepsPerBar = 16;
constexpr int barCount = 40;
constexpr size_t loopSamples = static_cast<size_t>(stepSamples) * stepsPerBar * barCount;

struct Chord {
  int root;            // bass note (MIDI)
  int tones[3];        // voicing for pads and stabs
};

const Chord am{45, {57, 60, 64}}, fMaj{41, {53, 57, 60}}, cMaj{48, {55, 60, 64}},
    gMaj{43, {55, 59, 62}}, em{40, {55, 59, 64}}, eMaj{40, {56, 59, 64}}, dm{38, {53, 57, 62}};

// The chord of every bar of the loop.
std::vector<Chord> Progression() {
  std::vector<Chord> bars;
  for (int i = 0; i < 4; ++i) bars.insert(bars.end(), {am, fMaj, cMaj, gMaj});
  for (int i = 0; i < 2; ++i) bars.insert(bars.end(), {fMaj, gMaj, em, am, fMaj, gMaj, eMaj, eMaj});
  bars.insert(bars.end(), {dm, em, fMaj, gMaj, dm, em, fMaj, eMaj});
  return bars;
}

// The lead melody in eighth notes, one line per bar: a note name starts a note, "-" holds it,
// "." is a rest. Bars 0 to 3 and 32 to 35 have no lead.
const char* const melody[barCount] = {
    ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . .",
    // A, first phrase
    "A4 - C5 - E5 - D5 C5", "D5 - C5 - A4 - - -", "G4 - C5 - E5 - G5 -", "F5 E5 D5 - B4 - - -",
    // A, answer
    "A4 - C5 - E5 - A5 -", "G5 F5 E5 - C5 - A4 -", "G4 - C5 E5 G5 - E5 -", "D5 - - - - - . .",
    // A, first phrase again, climbing into B
    "A4 - C5 - E5 - D5 C5", "D5 - C5 - A4 - - -", "G4 - C5 - E5 - G5 -", "A5 - G5 - F5 - D5 -",
    // B
    "A5 - - G5 A5 - C6 -", "B5 - - A5 G5 - D5 -", "E5 - G5 - B5 - - A5", "A5 - - - E5 - - -",
    "F5 - A5 - C6 - A5 -", "G5 - B5 - D6 - B5 -", "G#5 - - - B5 - - -", "E5 - - - - - . .",
    "A5 - - G5 A5 - C6 -", "D6 - - C6 B5 - G5 -", "B5 - - A5 G5 - E5 -", "A5 - - - C6 - - -",
    "C6 - A5 - F5 - A5 -", "B5 - G5 - D5 - G5 -", "G#5 - - - B5 - E6 -", "D6 - C6 - B5 - G#5 -",
    // C
    ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . .",
    "A5 - - - - - - -", "B5 - - - - - - -", "C6 - - - - - - -", "B5 - - - G#5 - - -"};

std::vector<Note> MelodyNotes() { return ParseMelody(melody, barCount, stepsPerBar); }

Bus MakeLoopBus() { return MakeBus(loopSamples); }

size_t StepStart(int step) {
  return static_cast<size_t>(step) * stepSamples;
}

// ---------------------------------------------------------------- drums

void Kick(Bus& bus, int step, std::vector<float>& duck) {
  Oscillator body;
  AddVoice(bus, StepStart(step), static_cast<size_t>(0.3 * rate), 0.0, 0.9f, [&](double t) {
    const double f = 48.0 + 110.0 * std::exp(-t / 0.03);
    float s = SineStep(body, f, rate) * AttackDecay(t, 0.001, 0.11);
    s *= 1.0f - Ramp(t, 0.25, 0.3);
    return s;
  });
  // The other instruments give way a little under each kick.
  const size_t start = StepStart(step);
  for (size_t i = 0; i < static_cast<size_t>(0.3 * rate); ++i) {
    const double t = i / rate;
    duck[(start + i) % loopSamples] *= 1.0f - 0.3f * static_cast<float>(std::exp(-t / 0.07));
  }
}

void Snare(Bus& bus, int step, float gain, NoiseSource& noise) {
  Oscillator tone;
  SvfState band;
  const SvfCoefficients filter = DesignSvf(1900.0, 0.6, rate);
  AddVoice(bus, StepStart(step), static_cast<size_t>(0.25 * rate), -0.1, gain, [&](double t) {
    float s = SvfStep(band, filter, WhiteNoise(noise)).band * AttackDecay(t, 0.001, 0.07);
    s += 0.5f * SineStep(tone, 185.0 + 40.0 * std::exp(-t / 0.01), rate) * AttackDecay(t, 0.001, 0.04);
    return s * (1.0f - Ramp(t, 0.2, 0.25));
  });
}

void HiHat(Bus& bus, int step, bool open, float gain, NoiseSource& noise) {
  SvfState high;
  const SvfCoefficients filter = DesignSvf(7500.0, 0.8, rate);
  const double decay = open ? 0.09 : 0.022;
  const double length = open ? 0.3 : 0.08;
  AddVoice(bus, StepStart(step), static_cast<size_t>(length * rate), 0.35, gain, [&](double t) {
    const float s = SvfStep(high, filter, WhiteNoise(noise)).high * AttackDecay(t, 0.0005, decay);
    return s * (1.0f - Ramp(t, length * 0.8, length));
  });
}

void Crash(Bus& bus, int step, NoiseSource& noise) {
  SvfState high, shimmer;
  const SvfCoefficients highFilter = DesignSvf(4500.0, 0.7, rate);
  const SvfCoefficients shimmerFilter = DesignSvf(9000.0, 3.0, rate);
  AddVoice(bus, StepStart(step), static_cast<size_t>(2.0 * rate), -0.3, 0.3f, [&](double t) {
    const float w = WhiteNoise(noise);
    const float s = SvfStep(high, highFilter, w).high + 0.5f * SvfStep(shimmer, shimmerFilter, w).band;
    return s * AttackDecay(t, 0.001, 0.55) * (1.0f - Ramp(t, 1.6, 2.0));
  });
}

bool Hit(const char* pattern, int step) {
  return pattern[step % stepsPerBar] == 'x';
}

void Drums(Bus& drums, std::vector<float>& duck) {
  NoiseSource noise = MakeNoise(2170);
  for (int bar = 0; bar < barCount; ++bar) {
    const bool sectionB = bar >= 16 && bar < 32;
    const bool breakdown = bar >= 32 && bar < 36;
    const char* kicks = breakdown ? "x.......x......." : sectionB ? "x...x...x...x..x" : "x...x...x...x...";
    const char* snares = breakdown ? "................" : "....x.......x...";
    if (bar == 38) snares = "x.x.x.x.x.x.x.x.";
    if (bar == 39) snares = "xxxxxxxxxxxxxxxx";
    for (int s = 0; s < stepsPerBar; ++s) {
      const int step = bar * stepsPerBar + s;
      if (Hit(kicks, s)) Kick(drums, step, duck);
      if (Hit(snares, s)) {
        // The roll into the loop's start swells.
        const float gain = bar == 39 ? 0.25f + 0.35f * s / 15.0f : 0.6f;
        Snare(drums, step, gain, noise);
      }
      const bool offBeat = s % 4 == 2;
      if (breakdown) {
        if (offBeat) HiHat(drums, step, false, 0.12f, noise);
      } else if (sectionB) {
        HiHat(drums, step, offBeat, offBeat ? 0.16f : (s % 2 ? 0.08f : 0.12f), noise);
      } else if (s % 2 == 0) {
        HiHat(drums, step, offBeat, offBeat ? 0.14f : 0.11f, noise);
      }
    }
    if (bar == 0 || bar == 16 || bar == 32) Crash(drums, bar * stepsPerBar, noise);
  }
}

// ---------------------------------------------------------------- pitched voices

void BassNote(Bus& bus, int step, int lengthSteps, int pitch) {
  Oscillator saw, sub;
  SvfState lowPass;
  SvfCoefficients filter{};
  const double f = MidiToHz(pitch);
  const double gate = lengthSteps * stepSamples / rate * 0.85;
  const size_t length = static_cast<size_t>((gate + 0.08) * rate);
  size_t n = 0;
  AddVoice(bus, StepStart(step), length, 0.0, 0.5f, [&](double t) {
    if (n++ % 32 == 0) filter = DesignSvf(280.0 + 1400.0 * std::exp(-t / 0.07), 1.4, rate);
    const float s = SvfStep(lowPass, filter, SawStep(saw, f, rate)).low +
                    0.6f * SineStep(sub, f * 0.5, rate);
    return s * Adsr(t, 0.003, 0.15, 0.7, gate, 0.02);
  });
}

void Bass(Bus& bus, const std::vector<Chord>& bars) {
  for (int bar = 0; bar < barCount; ++bar) {
    const bool sectionB = bar >= 16 && bar < 32;
    const bool breakdown = bar >= 32 && bar < 36;
    // r: root, o: octave up, f: fifth; each letter a sixteenth, "." holds.
    const char* pattern = breakdown ? "r.......r......." : sectionB ? "r.ror.rof.ror.ro" : "r.r.o.r.r.r.o.o.";
    for (int s = 0; s < stepsPerBar; ++s) {
      const char c = pattern[s];
      if (c == '.') continue;
      int length = 1;
      while (s + length < stepsPerBar && pattern[s + length] == '.') ++length;
      const int root = bars[bar].root;
      const int pitch = c == 'o' ? root + 12 : c == 'f' ? root + 7 : root;
      BassNote(bus, bar * stepsPerBar + s, length, pitch);
    }
  }
}

// Off-beat chord stabs: a plucked pulse with a closing filter.
void Stab(Bus& bus, int step, const Chord& chord, double pan) {
  for (int k = 0; k < 3; ++k) {
    Oscillator osc;
    SvfState lowPass;
    SvfCoefficients filter{};
    const double f = MidiToHz(chord.tones[k]);
    size_t n = 0;
    AddVoice(bus, StepStart(step), static_cast<size_t>(0.25 * rate), pan, 0.1f, [&](double t) {
      if (n++ % 32 == 0) filter = DesignSvf(600.0 + 3000.0 * std::exp(-t / 0.05), 1.0, rate);
      const float s = SvfStep(lowPass, filter, PulseStep(osc, f, rate, 0.35)).low;
      return s * AttackDecay(t, 0.002, 0.07) * (1.0f - Ramp(t, 0.2, 0.25));
    });
  }
}

// A bar-long pad: two detuned saws per chord tone, one to each side.
void Pad(Bus& bus, int bar, const Chord& chord) {
  const double gate = stepsPerBar * stepSamples / rate;
  const size_t length = static_cast<size_t>((gate + 0.3) * rate);
  for (int k = 0; k < 3; ++k) {
    for (int side = 0; side < 2; ++side) {
      Oscillator osc;
      osc.phase = 0.25 * k + 0.5 * side;
      SvfState lowPass;
      const SvfCoefficients filter = DesignSvf(1700.0, 0.7, rate);
      const double f = MidiToHz(chord.tones[k]) * (side ? 1.004 : 0.996);
      AddVoice(bus, StepStart(bar * stepsPerBar), length, side ? 0.6 : -0.6, 0.07f, [&](double t) {
        return SvfStep(lowPass, filter, SawStep(osc, f, rate)).low *
               Adsr(t, 0.08, 0.5, 0.75, gate - 0.02, 0.1);
      });
    }
  }
}

// Sixteenth-note arpeggio over the chord, an octave up, swaying across the stereo field.
void Arpeggio(Bus& bus, int bar, const Chord& chord) {
  const int order[4] = {0, 1, 2, 1};
  for (int s = 0; s < stepsPerBar; ++s) {
    const int pitch = chord.tones[order[s % 4]] + (s >= 8 ? 24 : 12);
    Oscillator osc;
    const double f = MidiToHz(pitch);
    const double pan = 0.5 * std::sin(2.0 * pi * s / stepsPerBar);
    AddVoice(bus, StepStart(bar * stepsPerBar + s), static_cast<size_t>(0.12 * rate), pan, 0.07f,
             [&](double t) {
               return PulseStep(osc, f, rate, 0.25) * AttackDecay(t, 0.002, 0.04) *
                      (1.0f - Ramp(t, 0.09, 0.12));
             });
  }
}

// The lead: two pulses a few cents apart, a filter that opens on each note and a vibrato that
// comes in as the note is held.
void Lead(Bus& bus, const std::vector<Note>& notes) {
  for (const Note& note : notes) {
    Oscillator a, b;
    SvfState lowPass;
    SvfCoefficients filter{};
    const double f = MidiToHz(note.pitch);
    const double gate = note.lengthSteps * stepSamples / rate - 0.02;
    const size_t length = static_cast<size_t>((gate + 0.12) * rate);
    size_t n = 0;
    AddVoice(bus, StepStart(note.startStep), length, 0.0, 0.22f, [&](double t) {
      if (n++ % 32 == 0) filter = DesignSvf(1500.0 + 2500.0 * std::exp(-t / 0.12), 1.2, rate);
      const double vibrato = 1.0 + 0.006 * Ramp(t, 0.15, 0.35) * std::sin(2.0 * pi * 5.5 * t);
      const float s = PulseStep(a, f * vibrato, rate, 0.5) +
                      0.7f * PulseStep(b, f * vibrato * 1.003, rate, 0.25);
      return SvfStep(lowPass, filter, s).low * Adsr(t, 0.005, 0.2, 0.7, gate, 0.04);
    });
  }
}

}  // namespace

void RenderMusic(Samples& left, Samples& right) {
  const std::vector<Chord> bars = Progression();
  std::vector<float> duck(loopSamples, 1.0f);
  Bus drums = MakeLoopBus(), music = MakeLoopBus(), echoSend = MakeLoopBus();
  Drums(drums, duck);
  Bass(music, bars);
  for (int bar = 0; bar < barCount; ++bar) {
    const bool sectionB = bar >= 16 && bar < 32;
    const bool sectionC = bar >= 32;
    if (sectionB || sectionC) Pad(music, bar, bars[bar]);
    if (!sectionC) {
      for (int s = 2; s < stepsPerBar; s += 4) {
        Stab(music, bar * stepsPerBar + s, bars[bar], s % 8 == 2 ? -0.4 : 0.4);
      }
    }
    if (bar < 4 || sectionC) Arpeggio(echoSend, bar, bars[bar]);
  }
  Lead(echoSend, MelodyNotes());
  // The lead and the arpeggio are heard dry and through the echo.
  for (size_t i = 0; i < loopSamples; ++i) {
    music.left[i] += echoSend.left[i];
    music.right[i] += echoSend.right[i];
  }
  // A dotted-eighth echo.
  PingPong(echoSend, music, 3 * stepSamples, 0.38f, 3500.0, 0.45f);

  left.assign(loopSamples, 0.0f);
  right.assign(loopSamples, 0.0f);
  for (size_t i = 0; i < loopSamples; ++i) {
    left[i] = drums.left[i] + music.left[i] * duck[i];
    right[i] = drums.right[i] + music.right[i] * duck[i];
  }
  // Both channels get the same gain so the stereo picture stays as mixed.
  const float peak = std::max(PeakOf(left), PeakOf(right));
  const float gain = static_cast<float>(DbToGain(-1.5) / peak);
  for (size_t i = 0; i < loopSamples; ++i) {
    left[i] *= gain;
    right[i] *= gain;
  }
}
