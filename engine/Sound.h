#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "engine/platform/Audio.h"

namespace zb {

inline constexpr int kSoundCount = 22;

// The effects by index; each is played from "Sounds/<name>.wav".
inline constexpr std::array<std::string_view, kSoundCount> kSoundNames = {
    "check",    "ball_side", "ball_gold", "ball_step",  "ball_bita", "ball_crash",   "ball_dead", "lostlife",
    "startlevel", "banan",   "big",       "small",      "magnit",    "3balls",       "money",     "extralife",
    "fireball", "bananas",   "bigball",   "gameover",   "stagecomplete", "opendoor"};

// The index of an effect by its exact name; any other name selects "check" (0).
int SoundIndex(std::string_view name);

struct TSoundEntry {
  int Stream = platform::Audio::kNoHandle;
  int Channel = -1;      // of the last play, -1 after a stop
  bool Playing = false;  // the last play started and no later play has stopped it
};

// The effect table and the three songs on the sound library. Missing files leave invalid
// handles, on which plays and stops do nothing; the game goes on silent.
class TSoundSystem {
 public:
  explicit TSoundSystem(platform::Audio& audio) : audio_(audio) {}

  // The output: 44100 Hz, 64 channels; no device is not an error.
  void Init();
  // "1.xm", "2.xm" and "3.xm" of `folder` at `volume`, each looping; the menu song starts.
  void LoadMusic(const std::filesystem::path& folder, int volume);
  // Every effect "<name>.wav" of `folder`.
  void LoadSounds(const std::filesystem::path& folder);
  // The one effect at `index` (0 .. kSoundCount - 1), from "<name>.wav" in `folder`.
  void LoadSound(const std::filesystem::path& folder, int index);
  // One instance per effect: a second play restarts it from its beginning. The volume goes to
  // the channel of every play, also of one that failed.
  void PlaySound(std::string_view name, int fxVolume);
  // The effect at `index` of the table; another index plays nothing.
  void PlayEffect(int index, int fxVolume);
  // A new music volume, heard at once on all three songs.
  void SetMusicVolume(int volume);
  // Stops one song, then starts another.
  void SwitchMusic(int stop, int play);
  // Frees the songs, then closes the output.
  void Shutdown();

  std::array<TSoundEntry, kSoundCount> Effects{};
  int MenuSong = platform::Audio::kNoHandle;
  int GameSong = platform::Audio::kNoHandle;
  int FinalSong = platform::Audio::kNoHandle;

 private:
  platform::Audio& audio_;
};

// The music switches of the screens.
void MusicOnDifficultyChosen(TSoundSystem& sound);  // menu song to game song
void MusicOnGameOver(TSoundSystem& sound);          // game song to final song
void MusicOnExitToMenu(TSoundSystem& sound);        // game song to menu song ("b_exitmm_yes")
void MusicOnScoreAnswered(TSoundSystem& sound);     // final song to menu song (either send-score answer)

}  // namespace zb
