// SPDX-License-Identifier: GPL-3.0-or-later
// The looping music's mixing buses: a stereo buffer the length of the loop into which voices are
// written round the end, so a tail that runs past the end sounds at the start and the loop has
// no seam. Shared by the game's track and the credits' track.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "sound_synth.h"

struct Bus {
  Samples left, right;
};

inline Bus MakeBus(std::size_t loopSamples) {
  return Bus{Samples(loopSamples, 0.0f), Samples(loopSamples, 0.0f)};
}

// Renders one voice of the given length (in samples) at a start sample, panned from -1 (left)
// to 1 (right) with constant power. The voice is called with the time since its start.
template <class Voice>
void AddVoice(Bus& bus, std::size_t start, std::size_t length, double pan, float gain, Voice voice) {
  const std::size_t loop = bus.left.size();
  const float l = gain * static_cast<float>(std::cos((pan + 1.0) * pi / 4.0));
  const float r = gain * static_cast<float>(std::sin((pan + 1.0) * pi / 4.0));
  for (std::size_t i = 0; i < length; ++i) {
    const float s = voice(i / static_cast<double>(musicRate));
    const std::size_t at = (start + i) % loop;
    bus.left[at] += s * l;
    bus.right[at] += s * r;
  }
}

// A note name such as "A4" or "G#5" as a MIDI note number (A4 = 69).
int NoteNumber(const std::string& name);

struct Note {
  int pitch;
  int startStep;   // from the start of the loop
  int lengthSteps;
};

// A melody written in eighth notes, one line per bar: a note name starts a note, "-" holds it,
// "." is a rest.
std::vector<Note> ParseMelody(const char* const* bars, int barCount, int stepsPerBar);

// A ping-pong echo of the send into the mix. It runs round the loop twice and keeps the second
// lap, so the echoes at the start are those of the loop's end.
void PingPong(const Bus& send, Bus& mix, std::size_t delaySamples, float feedback, double dampHz,
              float level);
