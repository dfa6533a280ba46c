#include "engine/platform/sdl/MixerAudio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace zb::platform {
namespace {

TEST(MixerAudio, VolumesScaleOntoTheMixerRange) {
  EXPECT_EQ(MixerAudio::MixerVolume(0), 0);
  EXPECT_EQ(MixerAudio::MixerVolume(25), 13);
  EXPECT_EQ(MixerAudio::MixerVolume(125), 64);
  EXPECT_EQ(MixerAudio::MixerVolume(250), 128);
  EXPECT_EQ(MixerAudio::MixerVolume(-5), 0);
  EXPECT_EQ(MixerAudio::MixerVolume(999), 128);
}

TEST(MixerAudio, WithoutADeviceEveryCallDoesNothing) {
  const char* old = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = old ? old : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  MixerAudio audio;
  EXPECT_FALSE(audio.Init(44100, 64));
  if (old) setenv("SDL_AUDIODRIVER", saved.c_str(), 1); else unsetenv("SDL_AUDIODRIVER");
  EXPECT_FALSE(audio.Open());
  const int sample = audio.OpenSample("missing.wav");
  EXPECT_EQ(sample, Audio::kNoHandle);
  EXPECT_EQ(audio.PlaySample(sample), -1);
  audio.StopSample(sample);
  audio.SetChannelVolume(-1, 250);
  const int song = audio.OpenSong("missing.xm");
  EXPECT_EQ(song, Audio::kNoHandle);
  audio.SetSongVolume(song, 100);
  audio.SetSongLooping(song, true);
  audio.PlaySong(song);
  EXPECT_FALSE(audio.SongPlaying(song));
  audio.StopSong(song);
  audio.FreeSong(song);
  audio.Close();
}

TEST(MixerAudio, MissingFilesGiveInvalidHandlesOnAnOpenDevice) {
  MixerAudio audio;
  ASSERT_TRUE(audio.Init(44100, 64));
  EXPECT_EQ(audio.OpenSample("no/such/file.wav"), Audio::kNoHandle);
  EXPECT_EQ(audio.OpenSong("no/such/file.xm"), Audio::kNoHandle);
  EXPECT_EQ(audio.PlaySample(Audio::kNoHandle), -1);
  audio.Close();
  EXPECT_FALSE(audio.Open());
}

}  // namespace
}  // namespace zb::platform
