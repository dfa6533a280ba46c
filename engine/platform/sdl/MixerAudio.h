#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/platform/Audio.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace zb::platform {

// The sound library on SDL2_mixer: an effect is a chunk played on a free mixer channel, a song
// is the mixer's one music. Without an audio device every call does nothing.
class MixerAudio final : public Audio {
 public:
  MixerAudio();
  ~MixerAudio() override;
  MixerAudio(const MixerAudio&) = delete;
  MixerAudio& operator=(const MixerAudio&) = delete;

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

  bool Open() const { return open_; }
  bool ChannelPlaying(int channel) const;
  // The song's playing time in seconds as the decoder reports it; negative when unknown.
  double SongLength(int song) const;
  // Sample frames (interleaved 16-bit) of what the mixer sends to the device, from StartCapture on.
  void StartCapture();
  size_t CapturedFrames();
  std::vector<int16_t> StopCapture();
  int OutputChannels() const { return outputChannels_; }
  int OutputFrequency() const { return outputFrequency_; }

  // 0..250 onto the mixer's 0..128.
  static int MixerVolume(int volume);

 private:
  struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const;
  };
  struct MusicDeleter {
    void operator()(_Mix_Music* music) const;
  };
  struct Sample {
    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;
    int channel = -1;
  };
  struct Song {
    std::vector<uint8_t> bytes;  // the file; the mixer may read from it while the song plays
    std::unique_ptr<_Mix_Music, MusicDeleter> music;
    int volume = 250;
    bool looping = false;
  };

  static void Tap(void* self, uint8_t* stream, int length);

  bool open_ = false;
  int channels_ = 0;
  int outputChannels_ = 2;
  int outputFrequency_ = 0;
  int lastVolume_ = 250;
  int nextHandle_ = 1;
  int current_ = kNoHandle;
  std::map<int, Sample> samples_;
  std::map<int, Song> songs_;
  std::mutex captureMutex_;
  bool capturing_ = false;
  std::vector<int16_t> captured_;
};

}  // namespace zb::platform
