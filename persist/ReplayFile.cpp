#include "persist/ReplayFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "persist/ByteCode.h"

namespace zb {
namespace {

using bytecode::TReader;
using bytecode::TWriter;

constexpr std::string_view kMagic = "ZBRP";
constexpr size_t kPrefix = 6;  // the magic and the format version, before the compressed body

enum StepFlag : uint8_t { kHasReleased = 1, kHasActions = 2, kHasPointer = 4 };

void WriteStep(TWriter& w, const TReplayStep& step, int64_t previousFrame) {
  w.Var(static_cast<uint64_t>(step.Frame - previousFrame));
  uint8_t flags = 0;
  if (!step.Released.empty()) flags |= kHasReleased;
  if (!step.Actions.empty()) flags |= kHasActions;
  if (step.Pointer) flags |= kHasPointer;
  w.Byte(flags);
  w.Byte(step.Input);
  if (flags & kHasReleased) {
    w.Var(step.Released.size());
    for (const uint8_t key : step.Released) w.Byte(key);
  }
  if (flags & kHasActions) {
    w.Var(step.Actions.size());
    for (const TReplayAction& action : step.Actions) {
      w.Byte(static_cast<uint8_t>(action.Kind));
      if (action.Kind == ReplayActionKind::Button) w.Text(action.Button);
    }
  }
  if (step.Pointer) {
    w.Signed((*step.Pointer)[0]);
    w.Signed((*step.Pointer)[1]);
  }
}

bool ReadStep(TReader& r, TReplayStep& step, int64_t previousFrame, bool first) {
  const uint64_t delta = r.Var();
  // One step per frame: only the first may stand on frame 0.
  if (!r.Ok() || delta > static_cast<uint64_t>(kMaxReplayFrames) || (!first && delta == 0)) return false;
  step.Frame = previousFrame + static_cast<int64_t>(delta);
  const uint8_t flags = r.Byte();
  if ((flags & ~(kHasReleased | kHasActions | kHasPointer)) != 0) return false;
  step.Input = r.Byte();
  if ((step.Input & ~(kInputRight | kInputLeft | kInputAction | kInputUp)) != 0) return false;
  if (flags & kHasReleased) {
    step.Released.resize(r.Count(256));
    for (uint8_t& key : step.Released) key = r.Byte();
  }
  if (flags & kHasActions) {
    step.Actions.resize(r.Count(64));
    for (TReplayAction& action : step.Actions) {
      const uint8_t kind = r.Byte();
      if (kind < 1 || kind > 3) return false;
      action.Kind = static_cast<ReplayActionKind>(kind);
      if (action.Kind == ReplayActionKind::Button) action.Button = r.Text(kMaxReplayName);
    }
  }
  if (flags & kHasPointer) {
    const int64_t x = r.Signed(), y = r.Signed();
    if (x < INT16_MIN || x > INT16_MAX || y < INT16_MIN || y > INT16_MAX) return false;
    step.Pointer = std::array<int16_t, 2>{static_cast<int16_t>(x), static_cast<int16_t>(y)};
  }
  return r.Ok();
}

// One segment: the whole body of a version-1 file.
void WriteSegment(TWriter& w, const TReplay& replay) {
  w.Fixed(replay.RulesVersion, 4);
  for (const uint8_t b : replay.ContentHash) w.Byte(b);
  w.Byte(replay.Difficulty);
  w.Fixed(replay.Seed, 4);
  w.Text(replay.Name);
  w.Var(replay.Keys.size());
  for (const uint32_t key : replay.Keys) w.Var(key);
  w.Signed(replay.StartLevel);
  w.Signed(replay.StartLives);
  w.Signed(replay.StartScore);
  w.Var(static_cast<uint64_t>(replay.Frames));
  w.Signed(replay.FinalLevel);
  w.Signed(replay.FinalScore);
  w.Fixed(replay.FinalStateHash, 8);
  w.Var(replay.Steps.size());
  int64_t previous = 0;
  for (const TReplayStep& step : replay.Steps) {
    WriteStep(w, step, previous);
    previous = step.Frame;
  }
}

void WriteResume(TWriter& w, const std::optional<TResumeState>& resume) {
  w.Byte(resume ? 1 : 0);
  if (!resume) return;
  w.Fixed(resume->RandomSeed, 4);
  w.Var(resume->RandomDraws);
  w.Fixed(resume->LookSeed, 4);
  w.Var(resume->LookDraws);
  w.Fixed(resume->ParticleSeed, 4);
  w.Byte(resume->ClockRunning ? 1 : 0);
  w.Signed(resume->ClockTicks);
  w.Signed(resume->SpeechLine);
}

// Empty when the segment reads, else why not.
std::string ReadSegment(TReader& r, TReplay& replay) {
  replay.RulesVersion = static_cast<uint32_t>(r.Fixed(4));
  for (uint8_t& b : replay.ContentHash) b = r.Byte();
  replay.Difficulty = r.Byte();
  replay.Seed = static_cast<uint32_t>(r.Fixed(4));
  replay.Name = r.Text(kMaxReplayName);
  replay.Keys.resize(r.Count(kMaxReplayKeys));
  for (uint32_t& key : replay.Keys) key = static_cast<uint32_t>(r.Var());
  replay.StartLevel = static_cast<int32_t>(r.Signed());
  replay.StartLives = static_cast<int32_t>(r.Signed());
  replay.StartScore = static_cast<int32_t>(r.Signed());
  const uint64_t frames = r.Var();
  replay.FinalLevel = static_cast<int32_t>(r.Signed());
  replay.FinalScore = static_cast<int32_t>(r.Signed());
  replay.FinalStateHash = r.Fixed(8);
  if (!r.Ok()) return "the replay's header is damaged";
  if (replay.Difficulty > 2 || frames > static_cast<uint64_t>(kMaxReplayFrames) || replay.StartLevel < 1 ||
      replay.StartLevel > 25 || replay.StartLives < 1 || replay.StartLives > 99 || replay.StartScore < 0) {
    return "the replay's header holds values no game has";
  }
  replay.Frames = static_cast<int64_t>(frames);
  // A step takes three bytes at least.
  const size_t steps = r.Count(static_cast<size_t>(replay.Frames), 3);
  if (!r.Ok()) return "the replay holds more steps than frames";
  // Room grows with the steps read, not with the count claimed: the count is only bounded by what
  // the rest of the body could still inflate to.
  replay.Steps.reserve(std::min<size_t>(steps, 4096));
  int64_t previous = 0;
  for (size_t i = 0; i < steps; ++i) {
    TReplayStep& step = replay.Steps.emplace_back();
    if (!ReadStep(r, step, previous, i == 0) || step.Frame >= replay.Frames) return "the replay's frames are damaged";
    previous = step.Frame;
  }
  return {};
}

std::string ReadResume(TReader& r, std::optional<TResumeState>& resume) {
  const uint8_t present = r.Byte();
  if (present > 1) return "the replay's segments are damaged";
  if (present == 0) return r.Ok() ? std::string() : "the replay's segments are damaged";
  TResumeState state;
  state.RandomSeed = static_cast<uint32_t>(r.Fixed(4));
  state.RandomDraws = r.Var();
  state.LookSeed = static_cast<uint32_t>(r.Fixed(4));
  state.LookDraws = r.Var();
  state.ParticleSeed = static_cast<uint32_t>(r.Fixed(4));
  const uint8_t clock = r.Byte();
  state.ClockTicks = static_cast<int32_t>(r.Signed());
  state.SpeechLine = static_cast<int32_t>(r.Signed());
  // No game draws more often than once a frame a hundred times over.
  constexpr uint64_t kMaxDraws = static_cast<uint64_t>(kMaxReplayFrames) * 100;
  if (!r.Ok() || clock > 1 || state.RandomDraws > kMaxDraws || state.LookDraws > kMaxDraws || state.ClockTicks < 0 ||
      state.SpeechLine < 0 || state.SpeechLine > 1000) {
    return "the replay's segments are damaged";
  }
  state.ClockRunning = clock == 1;
  resume = state;
  return {};
}

}  // namespace

bool TReplay::operator==(const TReplay& other) const {
  return RulesVersion == other.RulesVersion && ContentHash == other.ContentHash && Difficulty == other.Difficulty &&
         Seed == other.Seed && Name == other.Name && Keys == other.Keys && StartLevel == other.StartLevel &&
         StartLives == other.StartLives && StartScore == other.StartScore && Frames == other.Frames &&
         FinalLevel == other.FinalLevel && FinalScore == other.FinalScore && FinalStateHash == other.FinalStateHash &&
         Steps == other.Steps && Resume == other.Resume && Earlier == other.Earlier;
}

std::string EncodeReplay(const TReplay& replay) {
  TWriter w;
  // A game played from its start keeps the first version's bytes.
  const bool segmented = !replay.Earlier.empty() || replay.Resume;
  if (segmented) {
    w.Var(replay.Earlier.size() + 1);
    for (const TReplay& earlier : replay.Earlier) {
      WriteSegment(w, earlier);
      WriteResume(w, earlier.Resume);
    }
    WriteSegment(w, replay);
    WriteResume(w, replay.Resume);
  } else {
    WriteSegment(w, replay);
  }
  const uint16_t version = segmented ? 2 : 1;
  std::string out = bytecode::Prefix(kMagic, version);
  bytecode::Deflate(w.Bytes(), out);
  return out;
}

TReplayReadResult DecodeReplay(std::span<const uint8_t> bytes) {
  TReplayReadResult result;
  auto refuse = [&result](std::string why) {
    result.Error = std::move(why);
    return result;
  };
  if (bytes.size() > kMaxReplayFileBytes) return refuse("the replay is larger than any game makes");
  if (bytes.size() < kPrefix || std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
    return refuse("the file is not a replay");
  }
  const int version = bytes[4] | (bytes[5] << 8);
  if (version > kReplayFormatVersion) return refuse("the replay was made by a newer game");
  if (version != 1 && version != 2) return refuse("the replay's format is not known");
  const std::string_view packed(reinterpret_cast<const char*>(bytes.data()) + kPrefix, bytes.size() - kPrefix);
  TReader r(packed, kMaxReplayBodyBytes);
  // What the body holds is judged only where the stream under it held.
  auto refuseBody = [&](std::string why) {
    return refuse(r.StreamFailed() ? "the replay is damaged or cut short" : std::move(why));
  };
  const size_t segments = version == 1 ? 1 : r.Count(kMaxReplaySegments, 3);
  if (!r.Ok() || segments == 0) return refuseBody("the replay's segments are damaged");
  std::vector<TReplay> read(segments);
  for (size_t i = 0; i < segments; ++i) {
    if (std::string error = ReadSegment(r, read[i]); !error.empty()) return refuseBody(std::move(error));
    if (version == 2) {
      if (std::string error = ReadResume(r, read[i].Resume); !error.empty()) return refuseBody(std::move(error));
    }
    // Only the first segment starts a new game; every later one continues the one before.
    if ((i == 0) == read[i].Resume.has_value()) return refuseBody("the replay's segments are damaged");
  }
  if (!r.AtEnd()) return refuseBody("the replay has bytes after its last frame");
  TReplay replay = std::move(read.back());
  read.pop_back();
  replay.Earlier = std::move(read);
  result.Replay = std::move(replay);
  return result;
}

TReplayReadResult DecodeReplay(const std::string& bytes) {
  return DecodeReplay(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace zb
