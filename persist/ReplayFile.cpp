#include "persist/ReplayFile.h"

#include <zlib.h>

#include <cstring>
#include <string_view>

namespace zb {
namespace {

constexpr std::string_view kMagic = "ZBRP";
constexpr size_t kPrefix = 6;  // the magic and the format version, before the compressed body

enum StepFlag : uint8_t { kHasReleased = 1, kHasActions = 2, kHasPointer = 4 };

class TWriter {
 public:
  void Byte(uint8_t value) { out_.push_back(static_cast<char>(value)); }
  void Fixed(uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Var(uint64_t value) {
    while (value >= 0x80) {
      Byte(static_cast<uint8_t>(value | 0x80));
      value >>= 7;
    }
    Byte(static_cast<uint8_t>(value));
  }
  void Signed(int64_t value) { Var((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63)); }
  void Text(std::string_view text) {
    Var(text.size());
    out_.append(text);
  }
  std::string& Bytes() { return out_; }

 private:
  std::string out_;
};

// Every read is checked against the end; the first failure sticks and later reads give zeros.
class TReader {
 public:
  explicit TReader(std::string_view bytes) : in_(bytes) {}
  bool Ok() const { return ok_; }
  bool AtEnd() const { return pos_ == in_.size(); }
  size_t Left() const { return in_.size() - pos_; }
  void Fail() { ok_ = false; }

  uint8_t Byte() {
    if (!ok_ || pos_ >= in_.size()) return Fail(), 0;
    return static_cast<uint8_t>(in_[pos_++]);
  }
  uint64_t Fixed(int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }
  uint64_t Var() {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = Byte();
      value |= static_cast<uint64_t>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return value;
    }
    return Fail(), 0;
  }
  int64_t Signed() {
    const uint64_t v = Var();
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
  }
  // A count of items of at least `itemBytes` each, which the bytes left must be able to hold.
  size_t Count(size_t cap, size_t itemBytes = 1) {
    const uint64_t n = Var();
    if (n > cap || n * itemBytes > Left()) return Fail(), 0;
    return static_cast<size_t>(n);
  }
  std::string Text(size_t cap) {
    const size_t n = Count(cap);
    if (!ok_) return {};
    std::string text(in_.substr(pos_, n));
    pos_ += n;
    return text;
  }

 private:
  std::string_view in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

bool Inflate(std::string_view in, std::string& out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  char chunk[16384];
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    status = inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) break;
    out.append(chunk, sizeof chunk - z.avail_out);
    if (out.size() > kMaxReplayBodyBytes) status = Z_MEM_ERROR;
    // No progress with input left over means a stream that does not end.
    if (status == Z_OK && z.avail_in == 0 && z.avail_out != 0) status = Z_DATA_ERROR;
  }
  // Bytes after the end of the stream are not part of any file the game writes.
  const bool ok = status == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return ok;
}

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

}  // namespace

std::string EncodeReplay(const TReplay& replay) {
  TWriter w;
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
  const std::string& body = w.Bytes();
  uLongf packedSize = compressBound(static_cast<uLong>(body.size()));
  std::string out(kPrefix + packedSize, '\0');
  std::memcpy(out.data(), kMagic.data(), kMagic.size());
  out[4] = static_cast<char>(kReplayFormatVersion & 0xFF);
  out[5] = static_cast<char>(kReplayFormatVersion >> 8);
  compress2(reinterpret_cast<Bytef*>(out.data() + kPrefix), &packedSize,
            reinterpret_cast<const Bytef*>(body.data()), static_cast<uLong>(body.size()), Z_BEST_COMPRESSION);
  out.resize(kPrefix + packedSize);
  return out;
}

TReplayReadResult DecodeReplay(std::span<const uint8_t> bytes) {
  TReplayReadResult result;
  auto refuse = [&result](const char* why) {
    result.Error = why;
    return result;
  };
  if (bytes.size() > kMaxReplayFileBytes) return refuse("the replay is larger than any game makes");
  if (bytes.size() < kPrefix || std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
    return refuse("the file is not a replay");
  }
  const int version = bytes[4] | (bytes[5] << 8);
  if (version > kReplayFormatVersion) return refuse("the replay was made by a newer game");
  if (version != kReplayFormatVersion) return refuse("the replay's format is not known");
  std::string body;
  const std::string_view packed(reinterpret_cast<const char*>(bytes.data()) + kPrefix, bytes.size() - kPrefix);
  if (!Inflate(packed, body)) return refuse("the replay is damaged or cut short");

  TReader r(body);
  TReplay replay;
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
  if (!r.Ok()) return refuse("the replay's header is damaged");
  if (replay.Difficulty > 2 || frames > static_cast<uint64_t>(kMaxReplayFrames) || replay.StartLevel < 1 ||
      replay.StartLevel > 25 || replay.StartLives < 1 || replay.StartLives > 99 || replay.StartScore < 0) {
    return refuse("the replay's header holds values no game has");
  }
  replay.Frames = static_cast<int64_t>(frames);
  // A step takes three bytes at least.
  const size_t steps = r.Count(static_cast<size_t>(replay.Frames), 3);
  if (!r.Ok()) return refuse("the replay holds more steps than frames");
  replay.Steps.resize(steps);
  int64_t previous = 0;
  for (size_t i = 0; i < steps; ++i) {
    if (!ReadStep(r, replay.Steps[i], previous, i == 0) || replay.Steps[i].Frame >= replay.Frames) {
      return refuse("the replay's frames are damaged");
    }
    previous = replay.Steps[i].Frame;
  }
  if (!r.AtEnd()) return refuse("the replay has bytes after its last frame");
  result.Replay = std::move(replay);
  return result;
}

TReplayReadResult DecodeReplay(const std::string& bytes) {
  return DecodeReplay(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace zb
