// SPDX-License-Identifier: GPL-3.0-or-later
// The sound generators: building blocks, the WAV effects and the Ogg Vorbis music, checked
// through what the game will read back.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "generators.h"
#include "sound_synth.h"

namespace {

const char* const effectNames[] = {
    "sfx/bounce.wav",          "sfx/bounce_f.wav",       "sfx/bounce_ball.wav", "sfx/explode.wav",
    "sfx/PrSelect.wav",        "sfx/zap.wav",            "sfx/bouclier.wav",    "sfx/laser3.wav",
    "sfx/missile_loading.wav", "sfx/missile_launch.wav", "sfx/ball_launch.wav", "sfx/onfire.wav",
    "sfx/Explosion.wav",       "sfx/m2fire.wav",         "sfx/HAPPYBEL.WAV",    "sfx/SOUND827.WAV"};

uint32_t Little(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

std::vector<int16_t> WavSamples(const std::vector<uint8_t>& wav) {
  std::vector<int16_t> samples((wav.size() - 44) / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int16_t>(Little(wav, 44 + 2 * i, 2));
  }
  return samples;
}

double Rms(const Samples& s, size_t from) {
  double sum = 0.0;
  for (size_t i = from; i < s.size(); ++i) sum += s[i] * s[i];
  return std::sqrt(sum / (s.size() - from));
}

Samples Sine(double freq, double seconds, double rate) {
  Samples s(static_cast<size_t>(seconds * rate));
  Oscillator osc;
  for (float& x : s) x = SineStep(osc, freq, rate);
  return s;
}

// ---------------------------------------------------------------- building blocks

TEST(SoundSynth, NoiseIsRepeatableBoundedAndCentred) {
  NoiseSource a = MakeNoise(7), b = MakeNoise(7), c = MakeNoise(8);
  double sum = 0.0;
  int differences = 0;
  for (int i = 0; i < 100000; ++i) {
    const float x = WhiteNoise(a);
    ASSERT_EQ(x, WhiteNoise(b));
    if (x != WhiteNoise(c)) ++differences;
    ASSERT_GE(x, -1.0f);
    ASSERT_LT(x, 1.0f);
    sum += x;
  }
  EXPECT_NEAR(sum / 100000, 0.0, 0.01);
  EXPECT_GT(differences, 99000);  // another seed gives another sequence
  NoiseSource zero = MakeNoise(0);
  EXPECT_NE(WhiteNoise(zero), WhiteNoise(zero));  // a zero seed does not stall the generator
}

TEST(SoundSynth, FilterPassesAndStopsTheRightBands) {
  const double rate = 44100.0;
  for (double freq : {100.0, 8000.0}) {
    const Samples in = Sine(freq, 0.5, rate);
    SvfState low, high;
    const SvfCoefficients c = DesignSvf(1000.0, 0.707, rate);
    Samples lowOut(in.size()), highOut(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
      lowOut[i] = SvfStep(low, c, in[i]).low;
      highOut[i] = SvfStep(high, c, in[i]).high;
    }
    const double inRms = Rms(in, 4410);
    if (freq < 1000.0) {
      EXPECT_NEAR(Rms(lowOut, 4410) / inRms, 1.0, 0.05);
      EXPECT_LT(Rms(highOut, 4410) / inRms, 0.05);
    } else {
      EXPECT_LT(Rms(lowOut, 4410) / inRms, 0.05);
      EXPECT_NEAR(Rms(highOut, 4410) / inRms, 1.0, 0.05);
    }
  }
  // The one-pole pair splits a signal into two parts that add back to it.
  OnePole lp, hp;
  const float k = OnePoleCoefficient(500.0, rate);
  NoiseSource noise = MakeNoise(3);
  for (int i = 0; i < 1000; ++i) {
    const float x = WhiteNoise(noise);
    EXPECT_NEAR(LowPassStep(lp, x, k) + HighPassStep(hp, x, k), x, 1e-5f);
  }
}

TEST(SoundSynth, OscillatorsStayInRangeAndKeepTheirPitch) {
  const double rate = 22050.0;
  Oscillator saw, pulse, tri;
  int crossings = 0;
  float previous = 0.0f;
  for (int i = 0; i < 22050; ++i) {
    const float s = SawStep(saw, 441.0, rate);
    ASSERT_LE(std::fabs(s), 1.1f);
    ASSERT_LE(std::fabs(PulseStep(pulse, 441.0, rate, 0.3)), 1.1f);
    const float t = TriangleStep(tri, 441.0, rate);
    ASSERT_LE(std::fabs(t), 1.0f);
    if (previous < 0.0f && t >= 0.0f) ++crossings;
    previous = t;
  }
  EXPECT_NEAR(crossings, 441, 1);
}

TEST(SoundSynth, EnvelopesAndFadesStartAndEndAtZero) {
  EXPECT_EQ(AttackDecay(0.0, 0.01, 0.1), 0.0f);
  EXPECT_FLOAT_EQ(AttackDecay(0.01, 0.01, 0.1), 1.0f);
  EXPECT_NEAR(AttackDecay(0.11, 0.01, 0.1), std::exp(-1.0), 1e-6);
  EXPECT_NEAR(Adsr(0.5, 0.01, 0.05, 0.6, 1.0, 0.1), 0.6, 0.01);   // held at sustain
  EXPECT_LT(Adsr(1.5, 0.01, 0.05, 0.6, 1.0, 0.1), 0.01f);         // released
  Samples s(1000, 1.0f);
  FadeEdges(s, 22050, 0.005, 0.005);
  EXPECT_EQ(s.front(), 0.0f);
  EXPECT_LT(s.back(), 0.001f);
  EXPECT_EQ(s[500], 1.0f);
  NormalisePeak(s, -6.0);
  EXPECT_NEAR(PeakOf(s), DbToGain(-6.0), 1e-6);
}

// ---------------------------------------------------------------- effects

TEST(SoundEffects, EveryEffectIsAWellFormedMonoWav) {
  for (const char* name : effectNames) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> wav;
    ASSERT_TRUE(MakeSound(name, wav));
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(Little(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Little(wav, 16, 4), 16u);
    EXPECT_EQ(Little(wav, 20, 2), 1u);       // PCM
    EXPECT_EQ(Little(wav, 22, 2), 1u);       // mono
    EXPECT_EQ(Little(wav, 24, 4), 22050u);
    EXPECT_EQ(Little(wav, 28, 4), 44100u);
    EXPECT_EQ(Little(wav, 32, 2), 2u);
    EXPECT_EQ(Little(wav, 34, 2), 16u);
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    EXPECT_EQ(Little(wav, 40, 4), wav.size() - 44);
    EXPECT_EQ(wav.size() % 2, 0u);
  }
}

TEST(SoundEffects, EffectsAreShortLoudEnoughUnclippedAndClickFree) {
  for (const char* name : effectNames) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> wav;
    ASSERT_TRUE(MakeSound(name, wav));
    const std::vector<int16_t> pcm = WavSamples(wav);
    const double seconds = pcm.size() / 22050.0;
    EXPECT_GE(seconds, 0.1);
    EXPECT_LE(seconds, 1.6);
    int peak = 0;
    double energy = 0.0;
    for (int16_t s : pcm) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      energy += static_cast<double>(s) * s;
    }
    // Peaks at -3 dBFS: well below full scale, never clipped.
    EXPECT_NEAR(20.0 * std::log10(peak / 32767.0), -3.0, 0.1);
    // Not a lone spike: there is body to the sound.
    const double rmsDb = 10.0 * std::log10(energy / pcm.size() / (32767.0 * 32767.0));
    EXPECT_GT(rmsDb, -30.0);
    // Starts and ends at silence, so playing it does not click.
    EXPECT_LE(std::abs(pcm.front()), 32);
    EXPECT_LE(std::abs(pcm.back()), 32);
  }
}

TEST(SoundEffects, EffectsAreRepeatableAndUnknownNamesRefused) {
  for (const char* name : effectNames) {
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(MakeSound(name, first));
    ASSERT_TRUE(MakeSound(name, second));
    EXPECT_EQ(first, second) << name;
  }
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(MakeSound("sfx/missing.wav", bytes));
  EXPECT_FALSE(MakeSound("gfx/pointer.png", bytes));
  EXPECT_FALSE(MakeSound("sfx/BOUNCE.WAV", bytes));  // names are exact, as the catalogue has them
}

// ---------------------------------------------------------------- music

struct MemoryFile {
  const std::vector<uint8_t>* bytes;
  size_t at = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
  MemoryFile& file = *static_cast<MemoryFile*>(source);
  const size_t wanted = size * count;
  const size_t n = std::min(wanted, file.bytes->size() - file.at);
  std::memcpy(out, file.bytes->data() + file.at, n);
  file.at += n;
  return size ? n / size : 0;
}

struct DecodedMusic {
  int channels = 0;
  long rate = 0;
  std::vector<float> left, right;
};

DecodedMusic DecodeOgg(const std::vector<uint8_t>& bytes) {
  DecodedMusic music;
  MemoryFile file{&bytes};
  OggVorbis_File vf;
  const ov_callbacks callbacks = {ReadMemory, nullptr, nullptr, nullptr};
  if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) return music;
  const vorbis_info* info = ov_info(&vf, -1);
  music.channels = info->channels;
  music.rate = info->rate;
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    const long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n <= 0) break;
    music.left.insert(music.left.end(), pcm[0], pcm[0] + n);
    music.right.insert(music.right.end(), pcm[music.channels > 1 ? 1 : 0],
                       pcm[music.channels > 1 ? 1 : 0] + n);
  }
  ov_clear(&vf);
  return music;
}

constexpr const char* gameTrack = "sfx/kolt3.ogg";
constexpr const char* creditsTrack = "GFX\\Credits\\creditskaldovirent.ogg";

// Each track is made once for all the tests that hear it.
const std::vector<uint8_t>& Track(const char* name) {
  static std::map<std::string, std::vector<uint8_t>> made;
  std::vector<uint8_t>& bytes = made[name];
  if (bytes.empty()) {
    EXPECT_TRUE(MakeSound(name, bytes));
  }
  return bytes;
}

class Music : public testing::TestWithParam<const char*> {
 protected:
  static const std::vector<uint8_t>& Ogg() { return Track(GetParam()); }
};

TEST_P(Music, DecodesToAMinuteOfStereoAt44100) {
  const std::vector<uint8_t>& ogg = Ogg();
  ASSERT_GT(ogg.size(), 100000u);
  EXPECT_EQ(std::memcmp(ogg.data(), "OggS", 4), 0);
  const DecodedMusic music = DecodeOgg(ogg);
  EXPECT_EQ(music.channels, 2);
  EXPECT_EQ(music.rate, 44100);
  EXPECT_GE(music.left.size(), 60u * 44100u);
  EXPECT_EQ(music.left.size(), music.right.size());
}

TEST_P(Music, IsLoudUnclippedStereoAndJoinsItsStartWithoutASeam) {
  const DecodedMusic music = DecodeOgg(Ogg());
  ASSERT_GT(music.left.size(), 44100u);
  float peak = 0.0f;
  double energy = 0.0, sideEnergy = 0.0;
  std::vector<float> steps;
  for (size_t i = 0; i < music.left.size(); ++i) {
    peak = std::max({peak, std::fabs(music.left[i]), std::fabs(music.right[i])});
    energy += music.left[i] * music.left[i] + music.right[i] * music.right[i];
    const float side = music.left[i] - music.right[i];
    sideEnergy += side * side;
    if (i > 0) steps.push_back(std::fabs(music.left[i] - music.left[i - 1]));
  }
  EXPECT_LT(peak, 1.0f);
  EXPECT_GT(peak, 0.5f);
  EXPECT_GT(10.0 * std::log10(energy / (2.0 * music.left.size())), -24.0);
  EXPECT_GT(sideEnergy, 0.01 * energy);  // the two channels really differ
  // The jump from the last sample back to the first is no bigger than the music's own
  // sample-to-sample steps.
  std::sort(steps.begin(), steps.end());
  const float typicalLargeStep = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::fabs(music.left.front() - music.left.back()), typicalLargeStep);
  EXPECT_LE(std::fabs(music.right.front() - music.right.back()), typicalLargeStep);
}

TEST_P(Music, IsRepeatable) {
  std::vector<uint8_t> again;
  ASSERT_TRUE(MakeSound(GetParam(), again));
  EXPECT_TRUE(again == Ogg());
}

INSTANTIATE_TEST_SUITE_P(Tracks, Music,
                         testing::Values(gameTrack, creditsTrack),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "Game" : "Credits");
                         });

// The credits' track is not the game's track again: a calmer pulse, heard as far fewer sharp
// onsets (attacks) per second.
TEST(CreditsMusic, IsCalmerThanTheGamesTrack) {
  const DecodedMusic game = DecodeOgg(Track(gameTrack)), credits = DecodeOgg(Track(creditsTrack));
  ASSERT_FALSE(game.left.empty());
  ASSERT_FALSE(credits.left.empty());
  // Onsets: 10 ms windows whose energy jumps to more than four times the window before.
  auto onsetsPerSecond = [](const std::vector<float>& s) {
    const size_t window = 441;
    double previous = 0.0;
    int onsets = 0;
    for (size_t at = 0; at + window <= s.size(); at += window) {
      double e = 0.0;
      for (size_t i = at; i < at + window; ++i) e += s[i] * s[i];
      if (e > 4.0 * previous && e > 0.5) ++onsets;
      previous = e;
    }
    return onsets / (s.size() / 44100.0);
  };
  const double gameRate = onsetsPerSecond(game.left), creditsRate = onsetsPerSecond(credits.left);
  EXPECT_LT(creditsRate, 0.5 * gameRate) << creditsRate << " against " << gameRate;
}

}  // namespace
