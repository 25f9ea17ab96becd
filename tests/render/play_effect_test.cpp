// PlayEffect sets each of pan, volume and frequency only when it is not -1, and plays nothing
// while effects are off. Runs on OpenAL's silent device.
#include <gtest/gtest.h>

#include <string>

#include "core/game_state.h"
#include "core/sound_effects.h"
#include "media/media.h"
#include "support/headless.h"

namespace {

constexpr int effect = 2171;

class PlayEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ASSERT_TRUE(InitSound());
    const std::string wav = SquareWaveWav(22050);
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
