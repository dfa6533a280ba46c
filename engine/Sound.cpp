#include "engine/Sound.h"

#include <algorithm>
#include <string>

namespace zb {

using platform::Audio;

int SoundIndex(std::string_view name) {
  const auto it = std::find(kSoundNames.begin(), kSoundNames.end(), name);
  return it == kSoundNames.end() ? 0 : static_cast<int>(it - kSoundNames.begin());
}

void TSoundSystem::Init() { audio_.Init(44100, 64); }

void TSoundSystem::LoadMusic(const std::filesystem::path& folder, int volume) {
  MenuSong = audio_.OpenSong((folder / "1.xm").string());
  GameSong = audio_.OpenSong((folder / "2.xm").string());
  FinalSong = audio_.OpenSong((folder / "3.xm").string());
  for (int song : {MenuSong, GameSong, FinalSong}) {
    audio_.SetSongVolume(song, volume);
    audio_.SetSongLooping(song, true);
  }
  audio_.PlaySong(MenuSong);
}

void TSoundSystem::LoadSounds(const std::filesystem::path& folder) {
  for (int i = 0; i < kSoundCount; ++i) LoadSound(folder, i);
}

void TSoundSystem::LoadSound(const std::filesystem::path& folder, int index) {
  if (index < 0 || index >= kSoundCount) return;
  Effects[index].Stream = audio_.OpenSample((folder / (std::string(kSoundNames[index]) + ".wav")).string());
  Effects[index].Playing = false;
}

void TSoundSystem::PlaySound(std::string_view name, int fxVolume) { PlayEffect(SoundIndex(name), fxVolume); }

void TSoundSystem::PlayEffect(int index, int fxVolume) {
  if (index < 0 || index >= kSoundCount) return;
  TSoundEntry& entry = Effects[static_cast<size_t>(index)];
  if (entry.Playing) {
    audio_.StopSample(entry.Stream);
    entry.Channel = -1;
    entry.Playing = false;
  }
  entry.Channel = audio_.PlaySample(entry.Stream);
  entry.Playing = entry.Channel >= 0;
  audio_.SetChannelVolume(entry.Channel, fxVolume);
}

void TSoundSystem::SetMusicVolume(int volume) {
  for (int song : {MenuSong, GameSong, FinalSong}) audio_.SetSongVolume(song, volume);
}

void TSoundSystem::SwitchMusic(int stop, int play) {
  audio_.StopSong(stop);
  audio_.PlaySong(play);
}

void TSoundSystem::Shutdown() {
  for (int* song : {&MenuSong, &GameSong, &FinalSong}) {
    audio_.FreeSong(*song);
    *song = Audio::kNoHandle;
  }
  audio_.Close();
  Effects = {};
}

void MusicOnDifficultyChosen(TSoundSystem& sound) { sound.SwitchMusic(sound.MenuSong, sound.GameSong); }
void MusicOnGameOver(TSoundSystem& sound) { sound.SwitchMusic(sound.GameSong, sound.FinalSong); }
void MusicOnExitToMenu(TSoundSystem& sound) { sound.SwitchMusic(sound.GameSong, sound.MenuSong); }
void MusicOnScoreAnswered(TSoundSystem& sound) { sound.SwitchMusic(sound.FinalSong, sound.MenuSong); }

}  // namespace zb
