// SPDX-License-Identifier: GPL-3.0-or-later
// Sound on OpenAL's silent device: WAV decoding from memory, refused data, the setting clamps,
// playing and stopping, and the tone generator on side threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "media/media.h"

namespace {

void Put16(std::string& out, int value) {
  out += static_cast<char>(value & 255);
  out += static_cast<char>((value >> 8) & 255);
}

void Put32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 255);
}

// A PCM WAV file: channels, rate, bits, frames of a ramp; extra chunks test the chunk walk.
std::string MakeWav(int channels, int rate, int bits, int frames, bool extraChunk = false) {
  std::string data;
  for (int i = 0; i < frames * channels; ++i) {
    if (bits == 8) {
      data += static_cast<char>(i & 255);
    } else {
      Put16(data, (i * 37) & 0xFFFF);
    }
  }
  std::string fmt;
  Put16(fmt, 1);
  Put16(fmt, channels);
  Put32(fmt, static_cast<uint32_t>(rate));
  Put32(fmt, static_cast<uint32_t>(rate * channels * bits / 8));
  Put16(fmt, channels * bits / 8);
  Put16(fmt, bits);
  std::string body = "WAVE";
  if (extraChunk) {
    body += "LIST";
    Put32(body, 3);
    body += std::string("abc\0", 4);  // odd length, padded
  }
  body += "fmt ";
  Put32(body, static_cast<uint32_t>(fmt.size()));
  body += fmt;
  body += "data";
  Put32(body, static_cast<uint32_t>(data.size()));
  body += data;
  std::string file = "RIFF";
  Put32(file, static_cast<uint32_t>(body.size()));
  return file + body;
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitSound()); }
  void TearDown() override { ShutdownMedia(); }
};

TEST_F(SoundTest, WavFilesDecodeWithTheirLength) {
  std::string mono8 = MakeWav(1, 8000, 8, 4000);
  ASSERT_TRUE(CatchSound(1, mono8.data(), mono8.size()));
  EXPECT_TRUE(IsSound(1));
  EXPECT_EQ(SoundLength(1), 500);
  EXPECT_EQ(GetSoundFrequency(1), 8000);

  std::string stereo16 = MakeWav(2, 22050, 16, 22050, true);
  ASSERT_TRUE(CatchSound(2, stereo16.data(), stereo16.size()));
  EXPECT_EQ(SoundLength(2), 1000);
  EXPECT_EQ(GetSoundFrequency(2), 22050);
}

TEST_F(SoundTest, ADataChunkLongerThanTheFileKeepsWhatIsThere) {
  std::string wav = MakeWav(1, 1000, 16, 1000);
  wav.resize(wav.size() - 1000);  // half of the samples are missing
  ASSERT_TRUE(CatchSound(3, wav.data(), wav.size()));
  EXPECT_EQ(SoundLength(3), 500);
}

TEST_F(SoundTest, MalformedSoundsAreRefused) {
  std::string good = MakeWav(1, 8000, 16, 100);
  std::vector<std::string> bad;
  bad.push_back("");
  bad.push_back("RIFF");
  bad.push_back(good.substr(0, 20));                  // cut inside the format chunk
  bad.push_back(MakeWav(3, 8000, 16, 100));           // three channels
  bad.push_back(MakeWav(1, 8000, 24, 100));           // 24-bit samples
  bad.push_back(MakeWav(1, 8000, 16, 0));             // no samples
  std::string noFormat = good;
  noFormat.replace(12, 4, "junk");
  bad.push_back(noFormat);
  std::string compressed = good;
  compressed[20] = 2;  // ADPCM
  bad.push_back(compressed);
  std::string hugeChunk = good;
  hugeChunk[16] = '\xFF';
  hugeChunk[17] = '\xFF';
  hugeChunk[18] = '\xFF';
  hugeChunk[19] = '\x7F';  // a format chunk claiming 2 GB
  bad.push_back(hugeChunk);
  bad.push_back(std::string("OggS") + std::string(200, '\x01'));
  bad.push_back(std::string(500, '\0'));
  for (std::size_t i = 0; i < bad.size(); ++i) {
    EXPECT_FALSE(CatchSound(10, bad[i].data(), bad[i].size())) << "case " << i;
    EXPECT_FALSE(IsSound(10)) << "case " << i;
  }
}

TEST_F(SoundTest, ARefusedSoundSaysWhyOnStderr) {
  const struct {
    std::string bytes;
    std::string line;
  } cases[] = {
      {MakeWav(3, 8000, 16, 100), "Sound 10 could not be decoded: a WAV layout not played: 3 channels, 16 bits, 8000 Hz\n"},
      {std::string(500, '\0'), "Sound 10 could not be decoded: neither a WAV nor an Ogg Vorbis file\n"},
      {std::string("OggS") + std::string(200, '\x01'), "Sound 10 could not be decoded: not Vorbis data\n"}};
  for (const auto& refused : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(CatchSound(10, refused.bytes.data(), refused.bytes.size()));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), refused.line);
  }
}

TEST_F(SoundTest, VolumeAndPanAreClampedAndVolumeGainIsSquared) {
  std::string wav = MakeWav(1, 8000, 16, 800);
  ASSERT_TRUE(CatchSound(4, wav.data(), wav.size()));
  EXPECT_EQ(GetSoundVolume(4), 100);
  SoundVolume(4, 150);
  EXPECT_EQ(GetSoundVolume(4), 100);
  SoundVolume(4, -5);
  EXPECT_EQ(GetSoundVolume(4), 0);
  SoundPan(4, 300);
  EXPECT_EQ(GetSoundPan(4), 100);
  SoundPan(4, -101);
  EXPECT_EQ(GetSoundPan(4), -100);

  PlaySound(4);
  SoundVolume(4, 50);  // reaches the voice that already plays
  EXPECT_NEAR(SoundGain(4), 0.25f, 1e-4);
  SoundVolume(4, 100);
  EXPECT_NEAR(SoundGain(4), 1.0f, 1e-4);
  SoundVolume(4, 0);
  EXPECT_NEAR(SoundGain(4), 0.0f, 1e-4);
}

TEST_F(SoundTest, FrequencyOverridesTheNativeRateUntilReset) {
  std::string wav = MakeWav(1, 22050, 16, 2205);
  ASSERT_TRUE(CatchSound(5, wav.data(), wav.size()));
  SoundFrequency(5, 2500);
  EXPECT_EQ(GetSoundFrequency(5), 2500);
  SoundFrequency(5, 0);
  EXPECT_EQ(GetSoundFrequency(5), 22050);
}

TEST_F(SoundTest, PlayingLoopingAndStoppingEverything) {
  std::string wav = MakeWav(2, 22050, 16, 22050);
  ASSERT_TRUE(CatchSound(6, wav.data(), wav.size()));
  ASSERT_TRUE(CatchSound(7, wav.data(), wav.size()));
  EXPECT_FALSE(SoundPlaying(6));
  PlaySound(6, soundLoop);
  PlaySound(7, soundMultiple);
  PlaySound(7, soundMultiple);
  EXPECT_TRUE(SoundPlaying(6));
  EXPECT_TRUE(SoundPlaying(7));
  StopSound(7);
  EXPECT_FALSE(SoundPlaying(7));
  EXPECT_TRUE(SoundPlaying(6));
  PlaySound(7);
  StopSound(-1);
  EXPECT_FALSE(SoundPlaying(6));
  EXPECT_FALSE(SoundPlaying(7));
  FreeSound(6);
  EXPECT_FALSE(IsSound(6));
  PlaySound(6);  // nothing there: nothing happens
  EXPECT_FALSE(SoundPlaying(6));
}

std::atomic<int> tonesDone{0};

void BeepThread(int hertz) {
  Tone(hertz, 20);
  Tone(hertz * 2, 1);
  ++tonesDone;
}

TEST_F(SoundTest, TonesBlockForTheirLengthAndOverlapOnThreads) {
  int64_t start = ElapsedMilliseconds();
  Tone(440, 30);
  EXPECT_GE(ElapsedMilliseconds() - start, 30);

  tonesDone = 0;
  for (int i = 0; i < 4; ++i) StartThread(BeepThread, 500 + 100 * i);
  while (tonesDone < 4) Delay(1);
  EXPECT_EQ(tonesDone, 4);
  // A tone still sounding while the device closes must not take the device down with it.
  StartThread(BeepThread, 300);
  ShutdownMedia();
  while (tonesDone < 5) Delay(1);
  ASSERT_TRUE(InitSound());
}

}  // namespace
