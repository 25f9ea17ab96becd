// SPDX-License-Identifier: GPL-3.0-or-later
#include "music_bus.h"

#include <sstream>

int NoteNumber(const std::string& name) {
  static const int offsets[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int note = offsets[name[0] - 'A'];
  std::size_t i = 1;
  if (name[i] == '#') {
    ++note;
    ++i;
  }
  const int octave = name[i] - '0';
  return 12 * (octave + 1) + note;
}

std::vector<Note> ParseMelody(const char* const* bars, int barCount, int stepsPerBar) {
  std::vector<Note> notes;
  for (int bar = 0; bar < barCount; ++bar) {
    std::istringstream tokens(bars[bar]);
    std::string token;
    int eighth = 0;
    while (tokens >> token) {
      const int step = bar * stepsPerBar + eighth * 2;
      if (token == "-") {
        if (!notes.empty() && notes.back().startStep + notes.back().lengthSteps == step) {
          notes.back().lengthSteps += 2;
        }
      } else if (token != ".") {
        notes.push_back({NoteNumber(token), step, 2});
      }
      ++eighth;
    }
  }
  return notes;
}

void PingPong(const Bus& send, Bus& mix, std::size_t delaySamples, float feedback, double dampHz,
              float level) {
  const std::size_t loop = send.left.size();
  Samples lineL(delaySamples, 0.0f), lineR(delaySamples, 0.0f);
  OnePole dampL, dampR;
  const float damp = OnePoleCoefficient(dampHz, musicRate);
  std::size_t pos = 0;
  for (int lap = 0; lap < 2; ++lap) {
    for (std::size_t i = 0; i < loop; ++i) {
      const float outL = lineL[pos], outR = lineR[pos];
      const float in = 0.5f * (send.left[i] + send.right[i]);
      lineL[pos] = LowPassStep(dampL, in + feedback * outR, damp);
      lineR[pos] = LowPassStep(dampR, feedback * outL, damp);
      pos = (pos + 1) % delaySamples;
      if (lap == 1) {
        mix.left[i] += level * outL;
        mix.right[i] += level * outR;
      }
    }
  }
}
