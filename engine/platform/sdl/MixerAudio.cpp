#include "engine/platform/sdl/MixerAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

#include "engine/FileRead.h"

namespace zb::platform {
namespace {
// Far above the game's effects and songs.
constexpr size_t kMaxSoundFileBytes = size_t{64} << 20;
}  // namespace

void MixerAudio::ChunkDeleter::operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
void MixerAudio::MusicDeleter::operator()(_Mix_Music* music) const { Mix_FreeMusic(music); }

MixerAudio::MixerAudio() = default;

MixerAudio::~MixerAudio() { Close(); }

int MixerAudio::MixerVolume(int volume) {
  return (std::clamp(volume, 0, 250) * MIX_MAX_VOLUME + 125) / 250;
}

bool MixerAudio::Init(int frequency, int channels) {
  if (open_) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MOD);
  if (Mix_OpenAudio(frequency, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Uint16 format = 0;
  Mix_QuerySpec(&outputFrequency_, &format, &outputChannels_);
  channels_ = Mix_AllocateChannels(channels);
  open_ = true;
  return true;
}

void MixerAudio::Close() {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  samples_.clear();
  songs_.clear();
  current_ = kNoHandle;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

int MixerAudio::OpenSample(const std::string& path) {
  if (!open_) return kNoHandle;
  // Read through the file helper: a folder or a pipe is refused instead of read or waited on.
  const FileReadResult file = ReadFileText(path, kMaxSoundFileBytes);
  if (!file.ok) return kNoHandle;
  SDL_RWops* source = SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size()));
  Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
  if (!chunk) return kNoHandle;
  const int handle = nextHandle_++;
  samples_[handle].chunk.reset(chunk);
  return handle;
}

int MixerAudio::PlaySample(int sample) {
  auto it = samples_.find(sample);
  if (it == samples_.end()) return -1;
  // Choose the channel here so that it carries the effect volume before the first sample is mixed.
  int channel = 0;
  while (channel < channels_ && Mix_Playing(channel)) ++channel;
  if (channel == channels_) return -1;
  Mix_Volume(channel, MixerVolume(lastVolume_));
  it->second.channel = Mix_PlayChannel(channel, it->second.chunk.get(), 0);
  return it->second.channel;
}

void MixerAudio::StopSample(int sample) {
  auto it = samples_.find(sample);
  if (it == samples_.end() || it->second.channel < 0) return;
  const int channel = it->second.channel;
  // The channel may have finished and taken another effect since.
  if (Mix_Playing(channel) && Mix_GetChunk(channel) == it->second.chunk.get()) Mix_HaltChannel(channel);
  it->second.channel = -1;
}

void MixerAudio::SetChannelVolume(int channel, int volume) {
  lastVolume_ = std::clamp(volume, 0, 250);
  // Mix_Volume(-1) would set every channel; a failed play's channel names none.
  if (!open_ || channel < 0 || channel >= channels_) return;
  Mix_Volume(channel, MixerVolume(volume));
}

int MixerAudio::OpenSong(const std::string& path) {
  if (!open_) return kNoHandle;
  const FileReadResult file = ReadFileText(path, kMaxSoundFileBytes);
  if (!file.ok) return kNoHandle;
  Song song;
  song.bytes = AsBytes(file.bytes);  // a vector keeps its buffer where it is when moved
  SDL_RWops* source = SDL_RWFromConstMem(song.bytes.data(), static_cast<int>(song.bytes.size()));
  song.music.reset(source ? Mix_LoadMUS_RW(source, 1) : nullptr);
  if (!song.music) return kNoHandle;
  const int handle = nextHandle_++;
  songs_[handle] = std::move(song);
  return handle;
}

void MixerAudio::SetSongVolume(int song, int volume) {
  auto it = songs_.find(song);
  if (it == songs_.end()) return;
  it->second.volume = std::clamp(volume, 0, 250);
  if (current_ == song) Mix_VolumeMusic(MixerVolume(it->second.volume));
}

void MixerAudio::SetSongLooping(int song, bool looping) {
  // The mixer takes the loop count at the start of a play, so this holds from the next play on.
  if (auto it = songs_.find(song); it != songs_.end()) it->second.looping = looping;
}

void MixerAudio::PlaySong(int song) {
  auto it = songs_.find(song);
  if (it == songs_.end()) return;
  Mix_VolumeMusic(MixerVolume(it->second.volume));
  if (Mix_PlayMusic(it->second.music.get(), it->second.looping ? -1 : 0) == 0) {
    current_ = song;
  } else {
    current_ = kNoHandle;
  }
}

void MixerAudio::StopSong(int song) {
  if (song == kNoHandle || song != current_) return;
  Mix_HaltMusic();
  current_ = kNoHandle;
}

bool MixerAudio::SongPlaying(int song) const {
  return song != kNoHandle && song == current_ && Mix_PlayingMusic() != 0;
}

void MixerAudio::FreeSong(int song) {
  auto it = songs_.find(song);
  if (it == songs_.end()) return;
  StopSong(song);
  songs_.erase(it);
}

bool MixerAudio::ChannelPlaying(int channel) const {
  return open_ && channel >= 0 && channel < channels_ && Mix_Playing(channel) != 0;
}

double MixerAudio::SongLength(int song) const {
  auto it = songs_.find(song);
  if (it == songs_.end()) return -1.0;
  return Mix_MusicDuration(it->second.music.get());
}

void MixerAudio::Tap(void* self, uint8_t* stream, int length) {
  auto& audio = *static_cast<MixerAudio*>(self);
  std::lock_guard lock(audio.captureMutex_);
  if (!audio.capturing_) return;
  const size_t count = static_cast<size_t>(length) / sizeof(int16_t);
  const size_t old = audio.captured_.size();
  audio.captured_.resize(old + count);
  std::memcpy(audio.captured_.data() + old, stream, count * sizeof(int16_t));
}

void MixerAudio::StartCapture() {
  if (!open_) return;
  {
    std::lock_guard lock(captureMutex_);
    captured_.clear();
    capturing_ = true;
  }
  Mix_SetPostMix(&MixerAudio::Tap, this);
}

size_t MixerAudio::CapturedFrames() {
  std::lock_guard lock(captureMutex_);
  return captured_.size() / static_cast<size_t>(std::max(outputChannels_, 1));
}

std::vector<int16_t> MixerAudio::StopCapture() {
  if (open_) Mix_SetPostMix(nullptr, nullptr);
  std::lock_guard lock(captureMutex_);
  capturing_ = false;
  return std::move(captured_);
}

}  // namespace zb::platform
