#include "engine/Sound.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/HeadlessGame.h"
#include "tests/app/GameFolder.h"
#include "engine/platform/sdl/MixerAudio.h"
#include "engine/platform/headless/RecordingAudio.h"

namespace zb {
namespace {

using platform::AudioCall;
using platform::RecordingAudio;
using Op = AudioCall::Op;

// The sound layer alone on a recording backend whose opens all succeed.
class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audio_.requireFiles = false;
    sound_.Init();
    sound_.LoadMusic("Sounds", 250);
    sound_.LoadSounds("Sounds");
    audio_.ClearCalls();
  }

  int Stream(std::string_view name) { return sound_.Effects[SoundIndex(name)].Stream; }

  RecordingAudio audio_;
  TSoundSystem sound_{audio_};
};

TEST_F(SoundTest, QuickRepeatedClicksRestartTheOneInstance) {
  for (int i = 0; i < 3; ++i) sound_.PlaySound("check", 250);
  const int check = Stream("check");
  EXPECT_EQ(audio_.BusyChannels(), 1);
  EXPECT_EQ(audio_.Log(),
            "play-sample " + std::to_string(check) + " 0\nchannel-volume 0 250\n"
            "stop-sample " + std::to_string(check) + " 0\nplay-sample " + std::to_string(check) + " 0\n"
            "channel-volume 0 250\n"
            "stop-sample " + std::to_string(check) + " 0\nplay-sample " + std::to_string(check) + " 0\n"
            "channel-volume 0 250\n");
  EXPECT_TRUE(sound_.Effects[0].Playing);
  EXPECT_EQ(sound_.Effects[0].Channel, 0);
}

TEST_F(SoundTest, DifferentEffectsOverlap) {
  sound_.PlaySound("ball_side", 250);
  sound_.PlaySound("ball_crash", 250);
  sound_.PlaySound("ball_side", 250);
  EXPECT_EQ(audio_.BusyChannels(), 2);
  EXPECT_EQ(audio_.CallsOf(Op::StopSample).size(), 1u);
  EXPECT_EQ(audio_.CallsOf(Op::StopSample)[0].handle, Stream("ball_side"));
}

TEST_F(SoundTest, NamesMatchExactlyAndAnyOtherPlaysCheck) {
  EXPECT_EQ(SoundIndex("check"), 0);
  EXPECT_EQ(SoundIndex("3balls"), 13);
  EXPECT_EQ(SoundIndex("opendoor"), 21);
  for (const char* name : {"chek", "Check", "ball_side ", "", "BALL_SIDE", "stage_complete"}) {
    audio_.ClearCalls();
    sound_.PlaySound(name, 250);
    const auto plays = audio_.CallsOf(Op::PlaySample);
    ASSERT_EQ(plays.size(), 1u) << name;
    EXPECT_EQ(plays[0].handle, Stream("check")) << name;
  }
}

TEST_F(SoundTest, EveryEffectHasItsOwnFile) {
  std::vector<std::string> paths;
  for (int i = 0; i < kSoundCount; ++i) {
    const int stream = sound_.Effects[i].Stream;
    ASSERT_NE(stream, 0) << kSoundNames[i];
    paths.push_back(audio_.PathOf(stream));
  }
  EXPECT_EQ(paths[0], (std::filesystem::path("Sounds") / "check.wav").string());
  EXPECT_EQ(paths[13], (std::filesystem::path("Sounds") / "3balls.wav").string());
  EXPECT_EQ(paths[20], (std::filesystem::path("Sounds") / "stagecomplete.wav").string());
}

TEST_F(SoundTest, VolumeZeroStillStartsEffects) {
  sound_.PlaySound("money", 0);
  ASSERT_EQ(audio_.CallsOf(Op::PlaySample).size(), 1u);
  const int channel = sound_.Effects[SoundIndex("money")].Channel;
  EXPECT_EQ(audio_.SampleOnChannel(channel), Stream("money"));
  EXPECT_EQ(audio_.ChannelVolume(channel), 0);
}

TEST_F(SoundTest, ANewEffectVolumeIsHeardOnTheNextPlayOnly) {
  sound_.PlaySound("gameover", 250);
  const int sounding = sound_.Effects[SoundIndex("gameover")].Channel;
  // The sound screen changes the volume, then plays its click.
  sound_.PlaySound("check", 100);
  EXPECT_EQ(audio_.ChannelVolume(sound_.Effects[0].Channel), 100);
  EXPECT_EQ(audio_.ChannelVolume(sounding), 250);
}

TEST_F(SoundTest, AFailedPlayStillSetsTheVolumeAndIsNotStoppedLater) {
  // Every channel busy with another effect's play that has not ended.
  RecordingAudio audio;
  audio.requireFiles = false;
  TSoundSystem sound(audio);
  audio.Init(44100, 1);
  sound.LoadSounds("Sounds");
  sound.PlaySound("money", 250);
  audio.ClearCalls();
  sound.PlaySound("check", 75);
  sound.PlaySound("check", 75);
  EXPECT_FALSE(sound.Effects[0].Playing);
  EXPECT_EQ(sound.Effects[0].Channel, -1);
  EXPECT_EQ(audio.Log(), "play-sample 1 -1\nchannel-volume -1 75\nplay-sample 1 -1\nchannel-volume -1 75\n");
}

TEST_F(SoundTest, AnEffectThatEndedByItselfIsStoppedHarmlesslyBeforeItsNextPlay) {
  sound_.PlaySound("banan", 250);
  audio_.FinishChannel(sound_.Effects[SoundIndex("banan")].Channel);
  sound_.PlaySound("banan", 250);
  EXPECT_EQ(audio_.CallsOf(Op::StopSample).size(), 1u);
  EXPECT_EQ(audio_.BusyChannels(), 1);
}

TEST_F(SoundTest, MusicVolumeGoesToAllThreeSongsAndZeroKeepsTheSongRunning) {
  sound_.SetMusicVolume(0);
  EXPECT_TRUE(audio_.SongPlaying(sound_.MenuSong));
  sound_.SetMusicVolume(175);
  for (int song : {sound_.MenuSong, sound_.GameSong, sound_.FinalSong}) {
    EXPECT_EQ(audio_.SongState(song)->volume, 175);
  }
  // Neither stopped nor restarted: raising the volume resumes the song where it is.
  EXPECT_TRUE(audio_.CallsOf(Op::StopSong).empty());
  EXPECT_TRUE(audio_.CallsOf(Op::PlaySong).empty());
  EXPECT_TRUE(audio_.SongPlaying(sound_.MenuSong));
}

struct SwitchCase {
  const char* moment;
  void (*run)(TSoundSystem&);
  int TSoundSystem::*before;
  int TSoundSystem::*stop;
  int TSoundSystem::*play;
};

TEST_F(SoundTest, TheMusicSwitchesStopOneSongThenPlayAnother) {
  const SwitchCase cases[] = {
      {"difficulty chosen", MusicOnDifficultyChosen, &TSoundSystem::MenuSong, &TSoundSystem::MenuSong,
       &TSoundSystem::GameSong},
      {"game over", MusicOnGameOver, &TSoundSystem::GameSong, &TSoundSystem::GameSong, &TSoundSystem::FinalSong},
      {"back to the menu", MusicOnExitToMenu, &TSoundSystem::GameSong, &TSoundSystem::GameSong,
       &TSoundSystem::MenuSong},
      {"score answered", MusicOnScoreAnswered, &TSoundSystem::FinalSong, &TSoundSystem::FinalSong,
       &TSoundSystem::MenuSong},
  };
  for (const SwitchCase& c : cases) {
    audio_.PlaySong(sound_.*c.before);
    audio_.ClearCalls();
    c.run(sound_);
    ASSERT_EQ(audio_.calls.size(), 2u) << c.moment;
    EXPECT_EQ(audio_.calls[0].op, Op::StopSong) << c.moment;
    EXPECT_EQ(audio_.calls[0].handle, sound_.*c.stop) << c.moment;
    EXPECT_EQ(audio_.calls[1].op, Op::PlaySong) << c.moment;
    EXPECT_EQ(audio_.calls[1].handle, sound_.*c.play) << c.moment;
    EXPECT_EQ(audio_.CurrentSong(), sound_.*c.play) << c.moment;
  }
}

TEST_F(SoundTest, AnsweringTheScoreAfterTheEndSequenceLeavesOnlyTheMenuSong) {
  // The end sequence leaves the game song playing; stopping the final song must not stop it,
  // and the menu song then takes its place.
  audio_.PlaySong(sound_.GameSong);
  audio_.StopSong(sound_.FinalSong);
  EXPECT_TRUE(audio_.SongPlaying(sound_.GameSong));
  MusicOnScoreAnswered(sound_);
  EXPECT_TRUE(audio_.SongPlaying(sound_.MenuSong));
  EXPECT_FALSE(audio_.SongPlaying(sound_.GameSong));
}

// The form brings sound up at its start-up steps and takes it down when destroyed.
class FormSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-sound-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
    test::InstallArchives(folder_);
    game_ = std::make_unique<HeadlessGame>(folder_);
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::remove_all(folder_);
  }
  RecordingAudio& Audio() { return game_->Platform().audio; }

  std::filesystem::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

TEST_F(FormSoundTest, StartUpLoadsTheSongsStartsTheMenuSongThenLoadsTheEffects) {
  Audio().requireFiles = false;
  ASSERT_TRUE(game_->Start());
  const auto& calls = Audio().calls;
  ASSERT_EQ(calls.size(), 1u + 3 + 6 + 1 + kSoundCount);
  EXPECT_EQ(ToString(calls[0]), "init 44100 64");
  const std::filesystem::path sounds = folder_ / "Sounds";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[1 + i].op, Op::OpenSong);
    EXPECT_EQ(calls[1 + i].path, (sounds / (std::to_string(i + 1) + ".xm")).string());
  }
  TSoundSystem& sound = game_->Form().Sound;
  EXPECT_EQ(calls[1].handle, sound.MenuSong);
  EXPECT_EQ(calls[2].handle, sound.GameSong);
  EXPECT_EQ(calls[3].handle, sound.FinalSong);
  for (int song : {sound.MenuSong, sound.GameSong, sound.FinalSong}) {
    EXPECT_EQ(Audio().SongState(song)->volume, 250);
    EXPECT_TRUE(Audio().SongState(song)->looping);
  }
  EXPECT_EQ(calls[10].op, Op::PlaySong);
  EXPECT_EQ(calls[10].handle, sound.MenuSong);
  for (int i = 0; i < kSoundCount; ++i) {
    EXPECT_EQ(calls[11 + i].op, Op::OpenSample);
    EXPECT_EQ(calls[11 + i].path, (sounds / (std::string(kSoundNames[i]) + ".wav")).string());
  }
}

TEST_F(FormSoundTest, DestructionFreesTheSongsThenClosesTheOutput) {
  Audio().requireFiles = false;
  ASSERT_TRUE(game_->Start());
  const TSoundSystem& sound = game_->Form().Sound;
  const int songs[] = {sound.MenuSong, sound.GameSong, sound.FinalSong};
  Audio().ClearCalls();
  game_->Form().FormDestroy();
  ASSERT_EQ(Audio().calls.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Audio().calls[i].op, Op::FreeSong);
    EXPECT_EQ(Audio().calls[i].handle, songs[i]);
  }
  EXPECT_EQ(Audio().calls[3].op, Op::Close);
}

TEST_F(FormSoundTest, MissingFilesAndNoDeviceLeaveTheGameRunningSilently) {
  for (bool device : {true, false}) {
    game_ = std::make_unique<HeadlessGame>(folder_);
    Audio().deviceAvailable = device;
    ASSERT_TRUE(game_->Start());
    TForm1& form = game_->Form();
    EXPECT_EQ(form.Sound.MenuSong, 0);
    for (const auto& entry : form.Sound.Effects) EXPECT_EQ(entry.Stream, 0);
    form.PlaySound("check");
    form.PlaySound("check");
    EXPECT_FALSE(form.Sound.Effects[0].Playing);
    EXPECT_EQ(Audio().BusyChannels(), 0);
    MusicOnDifficultyChosen(form.Sound);
    EXPECT_EQ(Audio().CurrentSong(), 0);
    game_->Frames(3);
  }
}

TEST_F(FormSoundTest, TheFormPlaysWithTheCurrentVolumeSettings) {
  Audio().requireFiles = false;
  ASSERT_TRUE(game_->Start());
  TForm1& form = game_->Form();
  form.Settings.FxVolume = 50;
  form.PlaySound("check");
  EXPECT_EQ(Audio().ChannelVolume(form.Sound.Effects[0].Channel), 50);
  form.SetMusicVolume(25);
  EXPECT_EQ(form.Settings.MusicVolume, 25);
  EXPECT_EQ(Audio().SongState(form.Sound.FinalSong)->volume, 25);
}

TEST(FormSoundOnTheMixer, TheGeneratedFolderGivesEveryEffectAndTheSongsPlayInTurn) {
  // A fresh game folder (no "Config.cfg") that borrows the generated content.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zb-sound-mixer";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const char* sub : {"Data", "Sounds"}) {
    std::filesystem::create_directory_symlink(std::filesystem::path(ZB_GAME_DIR) / sub, folder / sub);
  }
  platform::MixerAudio mixer;
  platform::HeadlessPlatform platform;
  platform.audioOverride = &mixer;
  {
    TForm1 form(platform, folder);
    ASSERT_TRUE(form.FormCreate() && form.FinishLoading());
    ASSERT_TRUE(mixer.Open());
    for (int i = 0; i < kSoundCount; ++i) EXPECT_NE(form.Sound.Effects[i].Stream, 0) << kSoundNames[i];
    EXPECT_TRUE(mixer.SongPlaying(form.Sound.MenuSong));
    form.PlaySound("ball_crash");
    EXPECT_TRUE(form.Sound.Effects[SoundIndex("ball_crash")].Playing);
    MusicOnDifficultyChosen(form.Sound);
    EXPECT_TRUE(mixer.SongPlaying(form.Sound.GameSong));
    MusicOnGameOver(form.Sound);
    EXPECT_TRUE(mixer.SongPlaying(form.Sound.FinalSong));
    MusicOnScoreAnswered(form.Sound);
    EXPECT_TRUE(mixer.SongPlaying(form.Sound.MenuSong));
    EXPECT_FALSE(mixer.SongPlaying(form.Sound.FinalSong));
  }
  EXPECT_FALSE(mixer.Open());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zb
