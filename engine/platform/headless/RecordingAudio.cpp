#include "engine/platform/headless/RecordingAudio.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace zb::platform {

const char* OpName(AudioCall::Op op) {
  using Op = AudioCall::Op;
  switch (op) {
    case Op::Init: return "init";
    case Op::Close: return "close";
    case Op::OpenSample: return "open-sample";
    case Op::PlaySample: return "play-sample";
    case Op::StopSample: return "stop-sample";
    case Op::SetChannelVolume: return "channel-volume";
    case Op::OpenSong: return "open-song";
    case Op::SetSongVolume: return "song-volume";
    case Op::SetSongLooping: return "song-looping";
    case Op::PlaySong: return "play-song";
    case Op::StopSong: return "stop-song";
    case Op::FreeSong: return "free-song";
  }
  return "?";
}

std::string ToString(const AudioCall& call) {
  std::ostringstream out;
  out << OpName(call.op) << ' ' << call.handle << ' ' << call.value;
  if (!call.path.empty()) out << ' ' << call.path;
  return out.str();
}

bool RecordingAudio::Init(int frequency, int channels) {
  calls.push_back({AudioCall::Op::Init, frequency, channels, {}});
  initialised_ = deviceAvailable;
  if (initialised_) {
    channelSample_.assign(std::max(channels, 0), kNoHandle);
    channelVolume_.assign(std::max(channels, 0), 250);
  }
  return initialised_;
}

void RecordingAudio::Close() {
  calls.push_back({AudioCall::Op::Close, 0, 0, {}});
  initialised_ = false;
  samples_.clear();
  songs_.clear();
  channelSample_.clear();
  channelVolume_.clear();
  current_ = kNoHandle;
}

int RecordingAudio::NewHandle(const std::string& path) {
  std::error_code ec;
  if (!initialised_ || (requireFiles && !std::filesystem::is_regular_file(path, ec))) return kNoHandle;
  return nextHandle_++;
}

int RecordingAudio::OpenSample(const std::string& path) {
  const int handle = NewHandle(path);
  if (handle != kNoHandle) samples_[handle] = path;
  calls.push_back({AudioCall::Op::OpenSample, handle, 0, path});
  return handle;
}

int RecordingAudio::PlaySample(int sample) {
  int channel = -1;
  if (samples_.count(sample) != 0) {
    const auto free = std::find(channelSample_.begin(), channelSample_.end(), kNoHandle);
    if (free != channelSample_.end()) {
      *free = sample;
      channel = static_cast<int>(free - channelSample_.begin());
    }
  }
  calls.push_back({AudioCall::Op::PlaySample, sample, channel, {}});
  return channel;
}

void RecordingAudio::StopSample(int sample) {
  calls.push_back({AudioCall::Op::StopSample, sample, 0, {}});
  if (sample == kNoHandle) return;
  std::replace(channelSample_.begin(), channelSample_.end(), sample, kNoHandle);
}

void RecordingAudio::SetChannelVolume(int channel, int volume) {
  calls.push_back({AudioCall::Op::SetChannelVolume, channel, volume, {}});
  if (channel >= 0 && channel < static_cast<int>(channelVolume_.size())) channelVolume_[channel] = volume;
}

int RecordingAudio::OpenSong(const std::string& path) {
  const int handle = NewHandle(path);
  if (handle != kNoHandle) songs_[handle] = Song{path};
  calls.push_back({AudioCall::Op::OpenSong, handle, 0, path});
  return handle;
}

void RecordingAudio::SetSongVolume(int song, int volume) {
  calls.push_back({AudioCall::Op::SetSongVolume, song, volume, {}});
  if (auto it = songs_.find(song); it != songs_.end()) it->second.volume = volume;
}

void RecordingAudio::SetSongLooping(int song, bool looping) {
  calls.push_back({AudioCall::Op::SetSongLooping, song, looping ? 1 : 0, {}});
  if (auto it = songs_.find(song); it != songs_.end()) it->second.looping = looping;
}

void RecordingAudio::PlaySong(int song) {
  calls.push_back({AudioCall::Op::PlaySong, song, 0, {}});
  if (auto it = songs_.find(song); it != songs_.end() && !it->second.freed) current_ = song;
}

void RecordingAudio::StopSong(int song) {
  calls.push_back({AudioCall::Op::StopSong, song, 0, {}});
  if (song != kNoHandle && current_ == song) current_ = kNoHandle;
}

bool RecordingAudio::SongPlaying(int song) const { return song != kNoHandle && current_ == song; }

void RecordingAudio::FreeSong(int song) {
  calls.push_back({AudioCall::Op::FreeSong, song, 0, {}});
  if (auto it = songs_.find(song); it != songs_.end()) it->second.freed = true;
  if (song != kNoHandle && current_ == song) current_ = kNoHandle;
}

void RecordingAudio::FinishChannel(int channel) {
  if (channel >= 0 && channel < static_cast<int>(channelSample_.size())) channelSample_[channel] = kNoHandle;
}

std::vector<AudioCall> RecordingAudio::CallsOf(AudioCall::Op op) const {
  std::vector<AudioCall> result;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
               [op](const AudioCall& c) { return c.op == op; });
  return result;
}

std::string RecordingAudio::Log() const {
  std::string text;
  for (const auto& call : calls) text += ToString(call) + "\n";
  return text;
}

int RecordingAudio::SampleOnChannel(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(channelSample_.size())) return kNoHandle;
  return channelSample_[channel];
}

int RecordingAudio::ChannelVolume(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(channelVolume_.size())) return -1;
  return channelVolume_[channel];
}

int RecordingAudio::BusyChannels() const {
  return static_cast<int>(std::count_if(channelSample_.begin(), channelSample_.end(),
                                        [](int s) { return s != kNoHandle; }));
}

const RecordingAudio::Song* RecordingAudio::SongState(int song) const {
  auto it = songs_.find(song);
  return it == songs_.end() ? nullptr : &it->second;
}

std::string RecordingAudio::PathOf(int handle) const {
  if (auto it = samples_.find(handle); it != samples_.end()) return it->second;
  if (auto it = songs_.find(handle); it != songs_.end()) return it->second.path;
  return {};
}

}  // namespace zb::platform
