// SPDX-License-Identifier: GPL-3.0-or-later
// PlayEffect sets pan and frequency only when they are not -1, scales the volume by the player's
// effects volume, and plays nothing while effects are off. Runs on OpenAL's silent device.
#include <gtest/gtest.h>

#include <string>

#include "core/game_state.h"
#include "core/player_options.h"
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
  void TearDown() override {
    ShutdownMedia();
    playerSettings = PlayerSettings{};
  }
};

TEST_F(PlayEffectTest, MinusOneLeavesPanAndFrequencyAsTheyWereAndMeansFullVolume) {
  PlayEffect(effect, -1, -1, -1);
  EXPECT_TRUE(SoundPlaying(effect));
  EXPECT_EQ(GetSoundPan(effect), 30);
  EXPECT_EQ(GetSoundVolume(effect), 100);
  EXPECT_EQ(GetSoundFrequency(effect), 11025);

  PlayEffect(effect, -76, 40, 44100);
  EXPECT_EQ(GetSoundPan(effect), -76);
  EXPECT_EQ(GetSoundVolume(effect), 40);
  EXPECT_EQ(GetSoundFrequency(effect), 44100);

  PlayEffect(effect, -1, 100, -1);
  EXPECT_EQ(GetSoundPan(effect), -76);
  EXPECT_EQ(GetSoundVolume(effect), 100);
  EXPECT_EQ(GetSoundFrequency(effect), 44100);
}

// The player's effects volume scales every effect, the -1 ones included; at 100 each plays at
// its own volume.
TEST_F(PlayEffectTest, TheEffectsVolumeScalesEveryEffect) {
  const struct {
    int effects, asked, heard;
  } cases[] = {{100, 80, 80}, {100, 7, 7}, {50, 80, 40}, {50, -1, 50}, {30, 35, 11},
               {0, 100, 0},   {0, -1, 0},  {70, 0, 0}};
  for (const auto& c : cases) {
    playerSettings.effectsVolume = c.effects;
    PlayEffect(effect, -1, c.asked, -1);
    EXPECT_EQ(GetSoundVolume(effect), c.heard) << c.effects << " " << c.asked;
  }
  playerSettings.effectsVolume = 60;
  EXPECT_EQ(EffectVolume(100), 60);
  EXPECT_EQ(EffectVolume(25), 15);
  playerSettings.effectsVolume = 100;
  for (int volume = 0; volume <= 100; ++volume) EXPECT_EQ(EffectVolume(volume), volume);
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
