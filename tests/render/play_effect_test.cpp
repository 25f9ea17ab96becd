// PlayEffect sets each of pan, volume and frequency only when it is not -1, and plays nothing
// while effects are off. Runs on OpenAL's silent device.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "media/media.h"
#include "shell/game_state.h"

namespace {

constexpr int effect = 2171;

// One second of a 22050 Hz mono 16-bit tone as a WAV file.
std::string ToneWav() {
  auto put = [](std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 255);
  };
  std::string samples;
  for (int i = 0; i < 22050; ++i) put(samples, static_cast<uint32_t>((i * 97) & 0x3FFF), 2);
  std::string wav = "RIFF";
  put(wav, static_cast<uint32_t>(36 + samples.size()), 4);
  wav += "WAVEfmt ";
  put(wav, 16, 4);
  put(wav, 1, 2);
  put(wav, 1, 2);
  put(wav, 22050, 4);
  put(wav, 44100, 4);
  put(wav, 2, 2);
  put(wav, 16, 2);
  wav += "data";
  put(wav, static_cast<uint32_t>(samples.size()), 4);
  return wav + samples;
}

class PlayEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ASSERT_TRUE(InitSound());
    const std::string wav = ToneWav();
    ASSERT_TRUE(CatchSound(effect, wav.data(), wav.size()));
    SoundPan(effect, 30);
    SoundVolume(effect, 40);
    SoundFrequency(effect, 11025);
  }
  void TearDown() override { ShutdownMedia(); }
};

TEST_F(PlayEffectTest, MinusOneLeavesEachSettingAsItWas) {
  PlayEffect(effect, -1, -1, -1);
  EXPECT_TRUE(SoundPlaying(effect));
  EXPECT_EQ(GetSoundPan(effect), 30);
  EXPECT_EQ(GetSoundVolume(effect), 40);
  EXPECT_EQ(GetSoundFrequency(effect), 11025);

  PlayEffect(effect, -76, -1, 44100);
  EXPECT_EQ(GetSoundPan(effect), -76);
  EXPECT_EQ(GetSoundVolume(effect), 40);
  EXPECT_EQ(GetSoundFrequency(effect), 44100);

  PlayEffect(effect, -1, 100, -1);
  EXPECT_EQ(GetSoundPan(effect), -76);
  EXPECT_EQ(GetSoundVolume(effect), 100);
}

TEST_F(PlayEffectTest, NothingHappensWhileEffectsAreOff) {
  game.effectsOn = 0;
  PlayEffect(effect, 10, 90, 30000);
  EXPECT_FALSE(SoundPlaying(effect));
  EXPECT_EQ(GetSoundPan(effect), 30);
  EXPECT_EQ(GetSoundVolume(effect), 40);
  EXPECT_EQ(GetSoundFrequency(effect), 11025);
}

}  // namespace
