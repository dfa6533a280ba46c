// The generated effects and songs of the game folder: well-formed, loadable by the mixer,
// audible and clean.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/Sound.h"
#include "engine/platform/sdl/MixerAudio.h"

namespace zb {
namespace {

using platform::Audio;
using platform::MixerAudio;

const std::filesystem::path kSounds = std::filesystem::path(ZB_GAME_DIR) / "Sounds";

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U16(const std::vector<uint8_t>& b, size_t at) {
  return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0xFFFFFFFFu;
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return at + 4 <= b.size() ? U16(b, at) | U16(b, at + 2) << 16 : 0xFFFFFFFFu;
}

struct Pcm {
  int channels = 0, rate = 0, bits = 0, format = 0;
  std::vector<int16_t> samples;
};

// RIFF WAVE: chunks of a four-letter tag and a little-endian size after the 12-byte header.
std::optional<Pcm> DecodeWav(const std::vector<uint8_t>& b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) return {};
  Pcm pcm;
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t size = U32(b, at + 4);
    if (size > b.size() - at - 8) return {};
    if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16) {
      pcm.format = static_cast<int>(U16(b, at + 8));
      pcm.channels = static_cast<int>(U16(b, at + 10));
      pcm.rate = static_cast<int>(U32(b, at + 12));
      pcm.bits = static_cast<int>(U16(b, at + 22));
      haveFormat = true;
    } else if (std::memcmp(b.data() + at, "data", 4) == 0 && haveFormat) {
      for (size_t i = 0; i + 1 < size; i += 2) pcm.samples.push_back(static_cast<int16_t>(U16(b, at + 8 + i)));
      return pcm;
    }
    at += 8 + size + (size & 1);
  }
  return {};
}

struct Level {
  int peak = 0;
  double rms = 0;
  size_t atFullScale = 0;
};

Level Measure(const std::vector<int16_t>& samples) {
  Level level;
  double sum = 0;
  for (int16_t v : samples) {
    const int a = std::abs(static_cast<int>(v));
    level.peak = std::max(level.peak, a);
    if (a >= 32767) ++level.atFullScale;
    sum += static_cast<double>(v) * v;
  }
  level.rms = samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
  return level;
}

TEST(SoundContent, EveryEffectIsAShortCleanAudibleWave) {
  for (std::string_view name : kSoundNames) {
    SCOPED_TRACE(std::string(name));
    const std::optional<Pcm> pcm = DecodeWav(ReadFile(kSounds / (std::string(name) + ".wav")));
    ASSERT_TRUE(pcm.has_value());
    EXPECT_EQ(pcm->format, 1);
    EXPECT_EQ(pcm->channels, 1);
    EXPECT_EQ(pcm->rate, 44100);
    EXPECT_EQ(pcm->bits, 16);
    const double seconds = static_cast<double>(pcm->samples.size()) / 44100.0;
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 2.5);
    const Level level = Measure(pcm->samples);
    EXPECT_EQ(level.atFullScale, 0u);
    EXPECT_LT(level.peak, 32767 * 0.9);   // headroom
    EXPECT_GT(level.peak, 32767 * 0.3);   // plainly audible
    EXPECT_GT(level.rms, 32767 * 0.02);   // not a lone click
    // Starts and ends at rest: no click at either end.
    EXPECT_LE(std::abs(pcm->samples.front()), 100);
    EXPECT_LE(std::abs(pcm->samples.back()), 100);
  }
}

TEST(SoundContent, TheWaveDecoderRefusesBrokenFiles) {
  // A hand-written 48-byte file with two samples, then damaged copies of it.
  std::vector<uint8_t> good = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                               1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0,
                               'd', 'a', 't', 'a', 4, 0, 0, 0, 0x10, 0x00, 0xF0, 0xFF};
  const auto pcm = DecodeWav(good);
  ASSERT_TRUE(pcm.has_value());
  EXPECT_EQ(pcm->samples, (std::vector<int16_t>{16, -16}));
  std::vector<uint8_t> truncated(good.begin(), good.end() - 3);
  EXPECT_FALSE(DecodeWav(truncated).has_value());
  std::vector<uint8_t> hugeChunk = good;
  hugeChunk[16] = 0xFF;
  hugeChunk[19] = 0x7F;
  EXPECT_FALSE(DecodeWav(hugeChunk).has_value());
}

// What a hand walk through an XM file finds, from the published layout of the format.
struct XmFacts {
  std::string error;
  int orders = 0, restart = 0, channels = 0, patterns = 0, instruments = 0, speed = 0, bpm = 0;
  int linear = 0;
  double rowsPlayed = 0;
  bool tempoEffects = false;
  int notes = 0;
};

XmFacts WalkXm(const std::vector<uint8_t>& b) {
  XmFacts f;
  if (b.size() < 336 || std::memcmp(b.data(), "Extended Module: ", 17) != 0) return {"no XM header"};
  if (b[37] != 0x1A || U16(b, 58) != 0x0104) return {"not version 1.04"};
  const uint32_t headerSize = U32(b, 60);
  f.orders = static_cast<int>(U16(b, 64));
  f.restart = static_cast<int>(U16(b, 66));
  f.channels = static_cast<int>(U16(b, 68));
  f.patterns = static_cast<int>(U16(b, 70));
  f.instruments = static_cast<int>(U16(b, 72));
  f.linear = static_cast<int>(U16(b, 74) & 1);
  f.speed = static_cast<int>(U16(b, 76));
  f.bpm = static_cast<int>(U16(b, 78));
  if (headerSize != 276 || f.orders < 1 || f.orders > 256 || f.channels < 1 || f.channels > 32 || f.patterns < 1 ||
      f.speed < 1 || f.bpm < 32) {
    return {"bad header fields"};
  }
  size_t at = 60 + headerSize;
  std::vector<int> rows;
  for (int p = 0; p < f.patterns; ++p) {
    if (U32(b, at) != 9 || at + 9 > b.size() || b[at + 4] != 0) return {"bad pattern header"};
    rows.push_back(static_cast<int>(U16(b, at + 5)));
    const size_t packed = U16(b, at + 7);
    at += 9;
    const size_t end = at + packed;
    if (end > b.size()) return {"pattern past the end"};
    int cells = 0;
    while (at < end) {
      uint8_t field[5] = {};
      const uint8_t first = b[at];
      const uint8_t mask = first & 0x80 ? first : 0x1F;
      if (first & 0x80) ++at;
      for (int i = 0; i < 5; ++i) {
        if (!(mask & (1 << i))) continue;
        if (at >= end) return {"cell past the pattern"};
        field[i] = b[at++];
      }
      if (field[0] > 97) return {"bad note"};
      if (field[1] > f.instruments) return {"bad instrument"};
      if (field[3] == 0x0F || field[3] == 0x0B || field[3] == 0x0D) f.tempoEffects = true;
      if (field[0] >= 1 && field[0] <= 96) ++f.notes;
      ++cells;
    }
    if (cells != rows.back() * f.channels) return {"pattern cells do not fill the rows"};
  }
  for (int i = 0; i < f.orders; ++i) {
    const int index = b[80 + i];
    if (index >= f.patterns) return {"order names a missing pattern"};
    f.rowsPlayed += rows[index];
  }
  for (int i = 0; i < f.instruments; ++i) {
    const uint32_t size = U32(b, at);
    const uint32_t samples = U16(b, at + 27);
    if (size < 29 || at + size > b.size()) return {"bad instrument header"};
    const uint32_t sampleHeader = samples ? U32(b, at + 29) : 0;
    at += size;
    uint64_t dataBytes = 0;
    for (uint32_t s = 0; s < samples; ++s) {
      const uint32_t length = U32(b, at), loopStart = U32(b, at + 4), loopLength = U32(b, at + 8);
      const uint8_t type = b.size() > at + 14 ? b[at + 14] : 0;
      if ((type & 3) != 0 && static_cast<uint64_t>(loopStart) + loopLength > length) return {"loop past the sample"};
      if (length == 0) return {"empty sample"};
      dataBytes += length;
      at += sampleHeader;
    }
    at += dataBytes;
    if (at > b.size()) return {"sample data past the end"};
  }
  if (at != b.size()) return {"bytes left over"};
  return f;
}

TEST(SoundContent, EverySongIsAWellFormedModuleOfOverAMinute) {
  for (const char* file : {"1.xm", "2.xm", "3.xm"}) {
    SCOPED_TRACE(file);
    const XmFacts f = WalkXm(ReadFile(kSounds / file));
    ASSERT_EQ(f.error, "");
    EXPECT_GE(f.channels, 6);
    EXPECT_GE(f.instruments, 6);
    EXPECT_EQ(f.linear, 1);
    EXPECT_FALSE(f.tempoEffects);
    EXPECT_GT(f.notes, 500);
    // A tick lasts 2.5 / BPM seconds.
    const double seconds = f.rowsPlayed * f.speed * 2.5 / f.bpm;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 240.0);
  }
}

TEST(SoundContent, TheModuleWalkerCatchesDamage) {
  std::vector<uint8_t> module = ReadFile(kSounds / "1.xm");
  ASSERT_EQ(WalkXm(module).error, "");
  std::vector<uint8_t> truncated(module.begin(), module.end() - 1);
  EXPECT_NE(WalkXm(truncated).error, "");
  std::vector<uint8_t> badOrder = module;
  badOrder[80] = 200;
  EXPECT_EQ(WalkXm(badOrder).error, "order names a missing pattern");
}

// The mixer on the dummy driver: every file loads, the songs render to real sound.
class MixerContentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(audio_.Init(44100, 64)); }
  void TearDown() override { audio_.Close(); }

  // Waits until `seconds` of output have reached the device: the dummy driver runs in real time,
  // later on a loaded machine, so the wait may take up to ten times as long.
  std::vector<int16_t> FinishCapture(double seconds) {
    const auto frames = static_cast<size_t>(seconds * audio_.OutputFrequency());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(1.0 + 10.0 * seconds);
    while (audio_.CapturedFrames() < frames && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return audio_.StopCapture();
  }
  std::vector<int16_t> Capture(double seconds) {
    audio_.StartCapture();
    return FinishCapture(seconds);
  }
  // Waits for a channel to fall silent by itself.
  bool WaitUntilIdle(int channel) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (audio_.ChannelPlaying(channel) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !audio_.ChannelPlaying(channel);
  }

  MixerAudio audio_;
};

TEST_F(MixerContentTest, EveryEffectLoadsAndPlays) {
  for (std::string_view name : kSoundNames) {
    const int sample = audio_.OpenSample((kSounds / (std::string(name) + ".wav")).string());
    ASSERT_NE(sample, Audio::kNoHandle) << name;
    const int channel = audio_.PlaySample(sample);
    EXPECT_GE(channel, 0) << name;
    audio_.StopSample(sample);
  }
  const int sample = audio_.OpenSample((kSounds / "stagecomplete.wav").string());
  const int channel = audio_.PlaySample(sample);
  audio_.SetChannelVolume(channel, 250);
  const Level level = Measure(Capture(0.4));
  EXPECT_GT(level.peak, 3000);
  EXPECT_EQ(level.atFullScale, 0u);
}

TEST_F(MixerContentTest, EverySongLoadsAndRendersToSoundThatIsNeitherSilentNorClipped) {
  for (const char* file : {"1.xm", "2.xm", "3.xm"}) {
    SCOPED_TRACE(file);
    const int song = audio_.OpenSong((kSounds / file).string());
    ASSERT_NE(song, Audio::kNoHandle);
    EXPECT_GE(audio_.SongLength(song), 60.0);
    audio_.SetSongLooping(song, true);
    audio_.PlaySong(song);
    ASSERT_TRUE(audio_.SongPlaying(song));
    const std::vector<int16_t> pcm = Capture(1.2);
    ASSERT_GE(pcm.size() / 2, static_cast<size_t>(1.2 * 44100));  // stereo frames reached the device
    const Level level = Measure(pcm);
    EXPECT_GT(level.rms, 500.0);
    EXPECT_GT(level.peak, 4000);
    EXPECT_LT(level.peak, 32767 * 0.9);
    EXPECT_EQ(level.atFullScale, 0u);
    audio_.FreeSong(song);
  }
}

// A brick that breaks as the ball leaves the bat: two loud onsets together over the play music.
TEST_F(MixerContentTest, EffectsOverTheMusicAtFullVolumeDoNotClip) {
  const int song = audio_.OpenSong((kSounds / "2.xm").string());
  audio_.PlaySong(song);
  audio_.StartCapture();
  for (const char* name : {"ball_crash", "ball_bita"}) {
    const int channel = audio_.PlaySample(audio_.OpenSample((kSounds / (std::string(name) + ".wav")).string()));
    audio_.SetChannelVolume(channel, 250);
  }
  const Level level = Measure(FinishCapture(0.5));
  EXPECT_GT(level.peak, 8000);
  EXPECT_LT(level.peak, 32767 * 0.9);
}

TEST_F(MixerContentTest, OneSongPlaysAtATimeAndStoppingAnotherLeavesIt) {
  const int menu = audio_.OpenSong((kSounds / "1.xm").string());
  const int game = audio_.OpenSong((kSounds / "2.xm").string());
  ASSERT_NE(menu, Audio::kNoHandle);
  ASSERT_NE(game, Audio::kNoHandle);
  audio_.PlaySong(menu);
  audio_.StopSong(game);
  EXPECT_TRUE(audio_.SongPlaying(menu));
  audio_.PlaySong(game);
  EXPECT_FALSE(audio_.SongPlaying(menu));
  EXPECT_TRUE(audio_.SongPlaying(game));
  audio_.StopSong(menu);
  EXPECT_TRUE(audio_.SongPlaying(game));
  audio_.StopSong(game);
  EXPECT_FALSE(audio_.SongPlaying(game));
}

TEST_F(MixerContentTest, MusicVolumeZeroKeepsTheSongRunningSilently) {
  const int song = audio_.OpenSong((kSounds / "2.xm").string());
  audio_.SetSongLooping(song, true);
  audio_.PlaySong(song);
  audio_.SetSongVolume(song, 0);
  const Level quiet = Measure(Capture(0.3));
  EXPECT_TRUE(audio_.SongPlaying(song));
  // The module decoder's lowest master volume is 1/512: below -50 dBFS, inaudible.
  EXPECT_LE(quiet.peak, 100);
  audio_.SetSongVolume(song, 250);
  EXPECT_GT(Measure(Capture(0.3)).peak, 4000);
}

TEST_F(MixerContentTest, AnEffectAtVolumeZeroIsStartedButSilentFromItsFirstSample) {
  const int sample = audio_.OpenSample((kSounds / "gameover.wav").string());
  audio_.SetChannelVolume(-1, 0);  // the volume of an earlier failed play
  audio_.StartCapture();
  const int channel = audio_.PlaySample(sample);
  audio_.SetChannelVolume(channel, 0);
  const Level level = Measure(FinishCapture(0.3));
  EXPECT_TRUE(audio_.ChannelPlaying(channel));
  EXPECT_EQ(level.peak, 0);
}

TEST_F(MixerContentTest, StoppingAnEffectThatEndedLeavesTheChannelsNextEffectAlone) {
  const int click = audio_.OpenSample((kSounds / "check.wav").string());
  const int bell = audio_.OpenSample((kSounds / "ball_gold.wav").string());
  const int first = audio_.PlaySample(click);
  ASSERT_TRUE(WaitUntilIdle(first));  // the 70 ms click is over
  const int second = audio_.PlaySample(bell);
  ASSERT_EQ(first, second);
  audio_.StopSample(click);
  EXPECT_TRUE(audio_.ChannelPlaying(second));
  audio_.StopSample(bell);
  EXPECT_FALSE(audio_.ChannelPlaying(second));
}

}  // namespace
}  // namespace zb
