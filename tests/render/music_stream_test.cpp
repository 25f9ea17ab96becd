// SPDX-License-Identifier: GPL-3.0-or-later
// The game's music streams: its track plays from a few small buffers queued on one source,
// refilled while it plays, and it stops, starts over, changes volume and goes away on demand.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <thread>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "media/media.h"

namespace {

class MusicStream : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxesSilent(true);
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(InitSprite3D());
    ASSERT_TRUE(InitSound());
    ASSERT_TRUE(OpenWindow(1, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(1, 0, 0, 1024, 768, true));
    LoadAssets();
    ASSERT_TRUE(IsSound(obj::music));
  }
  void TearDown() override {
    ClosePackFile();
    ShutdownMedia();
  }
  // The bytes the whole track would take decoded, counting one channel only.
  static std::size_t WholeTrackMonoBytes() {
    return static_cast<std::size_t>(SoundLength(obj::music)) / 1000 *
           static_cast<std::size_t>(GetSoundFrequency(obj::music)) * 2;
  }
};

TEST_F(MusicStream, TheTrackPlaysFromAFewSmallBuffersNotItsWholeLength) {
  ASSERT_GT(SoundLength(obj::music), 60000);
  PlaySound(obj::music, soundLoop);
  EXPECT_TRUE(SoundPlaying(obj::music));
  const std::size_t held = SoundBufferedBytes(obj::music);
  EXPECT_GT(held, 0u);
  EXPECT_LT(held * 10, WholeTrackMonoBytes());
  // A short sound is still held whole.
  EXPECT_GT(SoundBufferedBytes(obj::soundDoor), 0u);
  EXPECT_EQ(SoundBufferedBytes(-5), 0u);
}

TEST_F(MusicStream, ItKeepsPlayingPastItsFirstQueueAndStopsStartsOverAndGoes) {
  SoundVolume(obj::music, 40);
  PlaySound(obj::music, soundLoop);
  EXPECT_FLOAT_EQ(SoundGain(obj::music), 0.16f);
  const std::size_t held = SoundBufferedBytes(obj::music);
  // The first queue lasts one second; without refills the source would have stopped by now.
  std::this_thread::sleep_for(std::chrono::milliseconds(1800));
  EXPECT_TRUE(SoundPlaying(obj::music));
  EXPECT_EQ(SoundBufferedBytes(obj::music), held);  // refilled, not grown

  StopSound(obj::music);
  EXPECT_FALSE(SoundPlaying(obj::music));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(SoundPlaying(obj::music));  // the feeder does not start a stopped track again

  PlaySound(obj::music);
  EXPECT_TRUE(SoundPlaying(obj::music));
  StopSound(-1);
  EXPECT_FALSE(SoundPlaying(obj::music));
  PlaySound(obj::music, soundLoop);
  FreeSound(obj::music);  // while it plays
  EXPECT_FALSE(IsSound(obj::music));
  EXPECT_FALSE(SoundPlaying(obj::music));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(SoundBufferedBytes(obj::music), 0u);
}

}  // namespace
