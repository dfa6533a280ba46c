#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/platform/Audio.h"

namespace zb::platform {

// One call the game made on the sound library.
struct AudioCall {
  enum class Op {
    Init, Close, OpenSample, PlaySample, StopSample, SetChannelVolume,
    OpenSong, SetSongVolume, SetSongLooping, PlaySong, StopSong, FreeSong,
  };
  Op op;
  int handle = 0;     // the sample, song or channel the call is about; for opens, the handle returned
  int value = 0;      // volume, looping flag, or the channel a play returned
  std::string path;   // for opens
};

const char* OpName(AudioCall::Op op);
std::string ToString(const AudioCall& call);

// A sound library without sound: it records every call and keeps the state a real one would
// (which channel plays which sample, which song is playing), so tests can follow the game's
// use of sound without a device. A file opens when it exists, unless `requireFiles` is off.
class RecordingAudio final : public Audio {
 public:
  bool Init(int frequency, int channels) override;
  void Close() override;
  int OpenSample(const std::string& path) override;
  int PlaySample(int sample) override;
  void StopSample(int sample) override;
  void SetChannelVolume(int channel, int volume) override;
  int OpenSong(const std::string& path) override;
  void SetSongVolume(int song, int volume) override;
  void SetSongLooping(int song, bool looping) override;
  void PlaySong(int song) override;
  void StopSong(int song) override;
  bool SongPlaying(int song) const override;
  void FreeSong(int song) override;

  struct Song {
    std::string path;
    int volume = 250;
    bool looping = false;
    bool freed = false;
  };

  // The sample a play ends by itself on; the channel becomes free.
  void FinishChannel(int channel);
  // The calls of one kind, in order.
  std::vector<AudioCall> CallsOf(AudioCall::Op op) const;
  std::string Log() const;  // one call per line
  void ClearCalls() { calls.clear(); }

  int SampleOnChannel(int channel) const;  // 0 when the channel is free
  int ChannelVolume(int channel) const;
  int BusyChannels() const;
  int CurrentSong() const { return current_; }
  const Song* SongState(int song) const;
  std::string PathOf(int handle) const;
  bool Initialised() const { return initialised_; }

  bool requireFiles = true;
  bool deviceAvailable = true;
  std::vector<AudioCall> calls;

 private:
  int NewHandle(const std::string& path);

  bool initialised_ = false;
  int nextHandle_ = 1;
  std::map<int, std::string> samples_;
  std::map<int, Song> songs_;
  std::vector<int> channelSample_;
  std::vector<int> channelVolume_;
  int current_ = kNoHandle;
};

}  // namespace zb::platform
