#include "persist/ReplayFile.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "persist/ByteCode.h"

namespace zb {
namespace {

TReplay Sample() {
  TReplay r;
  r.RulesVersion = 7;
  for (size_t i = 0; i < r.ContentHash.size(); ++i) r.ContentHash[i] = static_cast<uint8_t>(i * 13);
  r.Difficulty = 1;
  r.Seed = 0xDEADBEEF;
  r.Name = "\xC8\xE2\xE0\xED";  // "Иван" in CP1251
  r.Keys = {39, 37, 32, 38};
  r.StartLevel = 3;
  r.StartLives = 2;
  r.StartScore = 1234;
  r.Frames = 900'000;
  r.FinalLevel = 9;
  r.FinalScore = 56'780;
  r.FinalStateHash = 0x0123456789ABCDEFull;
  r.Steps.push_back({.Frame = 0, .Input = 0, .Released = {}, .Actions = {}, .Pointer = std::array<int16_t, 2>{400, 300}});
  r.Steps.push_back({.Frame = 1, .Input = kInputLeft, .Released = {32}, .Actions = {}, .Pointer = {}});
  r.Steps.push_back({.Frame = 70'000,
                     .Input = kInputRight | kInputAction,
                     .Released = {27, 112},
                     .Actions = {{ReplayActionKind::Pause, {}}, {ReplayActionKind::Button, "b_exitmm_no"},
                                 {ReplayActionKind::Close, {}}},
                     .Pointer = std::array<int16_t, 2>{-5, 32000}});
  r.Steps.push_back({.Frame = 899'999, .Input = kInputUp, .Released = {}, .Actions = {}, .Pointer = {}});
  return r;
}

TEST(ReplayFile, EveryFieldComesBackAndAWholeGameStaysSmall) {
  const TReplay replay = Sample();
  const TReplayReadResult read = DecodeReplay(EncodeReplay(replay));
  ASSERT_TRUE(read.Replay) << read.Error;
  EXPECT_EQ(*read.Replay, replay);

  // An hour of play with a key changing every few frames.
  TReplay game = Sample();
  game.Steps.clear();
  game.Frames = 360'000;
  for (int64_t frame = 0; frame < game.Frames; frame += 7 + frame % 5) {
    game.Steps.push_back({.Frame = frame, .Input = static_cast<uint8_t>((frame / 7) % 4), .Released = {},
                          .Actions = {}, .Pointer = {}});
  }
  const std::string bytes = EncodeReplay(game);
  EXPECT_LT(bytes.size(), 200'000u);
  ASSERT_TRUE(DecodeReplay(bytes).Replay);
}

TEST(ReplayFile, DamagedCutAndForeignBytesAreRefusedWithAReason) {
  const std::string bytes = EncodeReplay(Sample());
  for (size_t n = 0; n < bytes.size(); ++n) {
    const TReplayReadResult cut = DecodeReplay(bytes.substr(0, n));
    EXPECT_FALSE(cut.Replay) << "cut at " << n;
    EXPECT_FALSE(cut.Error.empty());
  }
  // Any byte changed: refused, or read as some other replay; never a crash.
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::string bent = bytes;
    bent[i] = static_cast<char>(bent[i] ^ 0x5A);
    (void)DecodeReplay(bent);
  }
  EXPECT_EQ(DecodeReplay(bytes + "x").Error, "the replay is damaged or cut short");
  EXPECT_EQ(DecodeReplay(std::string("PNG\x89 not a replay")).Error, "the file is not a replay");
  std::string future = bytes;
  future[4] = 3;  // 2 is the chained game
  EXPECT_EQ(DecodeReplay(future).Error, "the replay was made by a newer game");
  EXPECT_EQ(DecodeReplay(bytes + std::string(kMaxReplayFileBytes, '\0')).Error,
            "the replay is larger than any game makes");
}

// A file of the replay's prefix around another body.
std::string Repacked(const std::string& file, const std::string& tail, size_t cut = 0) {
  std::string body(1 << 16, '\0');
  uLongf size = body.size();
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(body.data()), &size, reinterpret_cast<const Bytef*>(file.data() + 6),
                       file.size() - 6),
            Z_OK);
  body.resize(size - cut);
  std::string out = file.substr(0, 6);
  bytecode::Deflate(body + tail, out);
  return out;
}

TEST(ReplayFile, ABodyIsJudgedByWhatItHoldsAndNotByHowFarItInflates) {
  const std::string bytes = EncodeReplay(Sample());
  ASSERT_TRUE(DecodeReplay(Repacked(bytes, "")).Replay);
  // Zeros past the last frame, and past the most any body may inflate to: the fault is the bytes after
  // the game, found where they start.
  EXPECT_EQ(DecodeReplay(Repacked(bytes, std::string(64, '\0'))).Error, "the replay has bytes after its last frame");
  EXPECT_EQ(DecodeReplay(Repacked(bytes, std::string(kMaxReplayBodyBytes + 1, '\0'))).Error,
            "the replay has bytes after its last frame");
  // A body cut inside its last step, in a stream that is whole.
  EXPECT_EQ(DecodeReplay(Repacked(bytes, "", 1)).Error, "the replay's frames are damaged");
  // A stream cut short is the stream's fault, wherever the body's reading stops.
  std::string cut = bytes.substr(0, bytes.size() - 5);
  EXPECT_EQ(DecodeReplay(cut).Error, "the replay is damaged or cut short");
}

TEST(ReplayFile, HeadersAndFramesNoGameHasAreRefused) {
  const auto refused = [](TReplay r) { return DecodeReplay(EncodeReplay(r)).Error; };
  TReplay r = Sample();
  r.Difficulty = 3;
  EXPECT_EQ(refused(r), "the replay's header holds values no game has");
  r = Sample();
  r.Frames = kMaxReplayFrames + 1;
  EXPECT_EQ(refused(r), "the replay's header holds values no game has");
  r = Sample();
  r.Steps.back().Frame = r.Frames;  // a step past the last frame
  EXPECT_EQ(refused(r), "the replay's frames are damaged");
  r = Sample();
  r.Steps[1].Input = 0x80;
  EXPECT_EQ(refused(r), "the replay's frames are damaged");
  r = Sample();
  r.Name = std::string(kMaxReplayName + 1, 'a');
  EXPECT_EQ(refused(r), "the replay's header is damaged");
}

}  // namespace
}  // namespace zb
