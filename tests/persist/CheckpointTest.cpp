#include "persist/Checkpoint.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "persist/ReplayStore.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

TReplay Segment(int32_t startLevel, int32_t endLevel, int32_t startScore, int32_t endScore) {
  TReplay r;
  r.RulesVersion = 7;
  r.Difficulty = 2;
  r.Seed = 77;
  r.Name = "Kim";
  r.Keys = {39, 37, 32, 38};
  r.StartLevel = startLevel;
  r.StartScore = startScore;
  r.Frames = 5000;
  r.FinalLevel = endLevel;
  r.FinalScore = endScore;
  r.FinalStateHash = 0xABCDull + static_cast<uint64_t>(endLevel);
  r.Steps.push_back({.Frame = 0, .Input = kInputAction, .Released = {32}, .Actions = {}, .Pointer = {}});
  r.Steps.push_back({.Frame = 4999, .Input = 0, .Released = {}, .Actions = {{ReplayActionKind::Button, "b_stagecomplete_next"}}, .Pointer = {}});
  return r;
}

TResumeState State(uint64_t draws) {
  return {.RandomSeed = 77, .RandomDraws = draws, .LookSeed = 77 ^ 0x4C4F4F4Bu, .LookDraws = draws * 2,
          .ParticleSeed = 123456, .ClockRunning = true, .ClockTicks = 9000, .SpeechLine = 6};
}

// A game continued once: from a new game to level 5, then on to level 9 where this checkpoint is.
TReplay Sample() {
  TReplay second = Segment(5, 9, 4000, 21000);
  second.Resume = State(40);
  TReplay cp = Segment(9, 9, 21000, 21000);
  cp.Frames = 0;
  cp.Steps.clear();
  cp.FinalLevel = 0;
  cp.FinalScore = 0;
  cp.StartLives = 2;
  cp.Resume = State(90);
  cp.Earlier = {Segment(1, 5, 0, 4000), second};
  return cp;
}

TEST(Checkpoint, AChainedGameComesBackWholeAsCheckpointAndAsReplay) {
  const TReplay cp = Sample();
  const TCheckpointReadResult read = DecodeCheckpoint(EncodeCheckpoint(cp));
  ASSERT_TRUE(read.Checkpoint) << read.Error;
  EXPECT_EQ(*read.Checkpoint, cp);
  // A game that went on from it is a version-2 replay with all three segments.
  TReplay continued = cp;
  continued.Steps = Segment(1, 1, 0, 0).Steps;
  continued.Frames = 5000;
  const std::string bytes = EncodeReplay(continued);
  EXPECT_EQ(bytes[4], 2);
  const TReplayReadResult back = DecodeReplay(bytes);
  ASSERT_TRUE(back.Replay) << back.Error;
  EXPECT_EQ(*back.Replay, continued);
  // A game never continued keeps the first version's bytes.
  EXPECT_EQ(EncodeReplay(Segment(1, 2, 0, 10))[4], 1);
}

TEST(Checkpoint, ChainsThatCannotBeTheGameBeforeAreRefused) {
  const auto refused = [](const TReplay& cp) { return DecodeCheckpoint(EncodeCheckpoint(cp)).Error; };
  TReplay cp = Sample();
  cp.StartScore += 500;  // more than the game before came to
  EXPECT_EQ(refused(cp), "the checkpoint's game does not end where the checkpoint starts");
  cp = Sample();
  cp.Earlier[1].Difficulty = 0;
  EXPECT_EQ(refused(cp), "the checkpoint's game changes its difficulty or player");
  cp = Sample();
  cp.Frames = 10;
  EXPECT_EQ(refused(cp), "the checkpoint holds frames of its own");
  // A replay whose first segment continues something, or a later one that starts anew, is no game.
  cp = Sample();
  cp.Earlier[0].Resume = State(1);
  EXPECT_EQ(refused(cp), "the checkpoint is damaged: the replay's segments are damaged");
  cp = Sample();
  cp.Earlier[1].Resume.reset();
  EXPECT_EQ(refused(cp), "the checkpoint is damaged: the replay's segments are damaged");
  // A plain replay is not a checkpoint, nor is a checkpoint a replay.
  EXPECT_EQ(DecodeCheckpoint(EncodeReplay(Segment(1, 2, 0, 10))).Error, "the file is not a checkpoint");
  EXPECT_EQ(DecodeReplay(EncodeCheckpoint(Sample())).Error, "the file is not a replay");
}

TEST(Checkpoint, EmptyCutForeignAndFutureFilesAreRefusedWithAReason) {
  const std::string bytes = EncodeCheckpoint(Sample());
  EXPECT_EQ(DecodeCheckpoint(std::string()).Error, "the checkpoint is empty");
  EXPECT_EQ(DecodeCheckpoint(bytes.substr(0, 3)).Error, "the checkpoint is cut short");
  EXPECT_EQ(DecodeCheckpoint(bytes.substr(0, 6)).Error, "the checkpoint is cut short");
  for (size_t n = 7; n < bytes.size(); n += 7) {
    const TCheckpointReadResult cut = DecodeCheckpoint(bytes.substr(0, n));
    EXPECT_FALSE(cut.Checkpoint) << "cut at " << n;
    EXPECT_FALSE(cut.Error.empty());
  }
  EXPECT_EQ(DecodeCheckpoint(std::string("GIF89a and more")).Error, "the file is not a checkpoint");
  std::string future = bytes;
  future[4] = 2;
  EXPECT_EQ(DecodeCheckpoint(future).Error, "the checkpoint was made by a newer game");
  EXPECT_EQ(DecodeCheckpoint(bytes + std::string(kMaxCheckpointFileBytes, 'x')).Error,
            "the checkpoint is larger than any game makes");
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::string bent = bytes;
    bent[i] = static_cast<char>(bent[i] ^ 0x21);
    (void)DecodeCheckpoint(bent);  // refused or read as another checkpoint; never a crash
  }
}

TEST(Checkpoint, EveryNameGetsAFileOfItsOwnThatNoFileSystemConfuses) {
  const fs::path user = "/u";
  EXPECT_EQ(CheckpointPath(user, "kim"), fs::path("/u/checkpoints/kim.zbc"));
  EXPECT_EQ(CheckpointPath(user, "Kim"), fs::path("/u/checkpoints/_4bim.zbc"));
  std::set<fs::path> seen;
  for (const char* name : {"kim", "Kim", "KIM", "_4bim", "../x", "a/b", "\xC8\xE2\xE0\xED", "", " ", "con", "a.b"}) {
    const fs::path path = CheckpointPath(user, name);
    EXPECT_TRUE(seen.insert(path).second) << name;
    EXPECT_EQ(path.parent_path(), user / "checkpoints") << name;
    for (const char c : path.filename().string()) {
      EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.') << name;
    }
  }
}

TEST(Checkpoint, TheFileIsWrittenReadSetAsideAndRemoved) {
  const fs::path folder = fs::temp_directory_path() / ("zb-checkpoint-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  const fs::path path = CheckpointPath(folder, "Kim");
  EXPECT_TRUE(ReadCheckpointFile(path).Missing);
  ASSERT_EQ(WriteCheckpointFile(path, Sample()), "");
  const TCheckpointReadResult read = ReadCheckpointFile(path);
  ASSERT_TRUE(read.Checkpoint) << read.Error;
  EXPECT_EQ(*read.Checkpoint, Sample());
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
  const fs::path aside = SetCheckpointAside(path);
  EXPECT_EQ(aside, fs::path(path.string() + ".bad"));
  EXPECT_TRUE(ReadCheckpointFile(path).Missing);
  EXPECT_TRUE(ReadCheckpointFile(aside).Checkpoint);
  RemoveCheckpointFile(aside);
  RemoveCheckpointFile(aside);  // gone already: no error
  EXPECT_FALSE(fs::exists(aside));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zb
