#pragma once

#include <string>

namespace zb::platform {

// The sound library the game needs: sampled effects played on free channels, and module
// songs of which one plays at a time. Handles are positive; 0 is the invalid handle that a
// failed open returns, and every call on it does nothing. Volumes run 0..250.
class Audio {
 public:
  static constexpr int kNoHandle = 0;

  virtual ~Audio() = default;

  // Opens the output; false when there is no sound device, after which the game runs silent.
  virtual bool Init(int frequency, int channels) = 0;
  // Frees every sample and song still open and closes the output.
  virtual void Close() = 0;

  virtual int OpenSample(const std::string& path) = 0;
  // Starts the sample on any free channel; the channel, or -1 when it could not start.
  virtual int PlaySample(int sample) = 0;
  // Stops the sample's last play, so that the next play starts from its beginning.
  virtual void StopSample(int sample) = 0;
  virtual void SetChannelVolume(int channel, int volume) = 0;

  virtual int OpenSong(const std::string& path) = 0;
  virtual void SetSongVolume(int song, int volume) = 0;
  virtual void SetSongLooping(int song, bool looping) = 0;
  // Starts the song from its beginning, in place of whichever song was playing.
  virtual void PlaySong(int song) = 0;
  // Stops the song if it is the one playing; any other song plays on.
  virtual void StopSong(int song) = 0;
  virtual bool SongPlaying(int song) const = 0;
  virtual void FreeSong(int song) = 0;
};

}  // namespace zb::platform
