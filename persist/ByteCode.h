#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zb::bytecode {

// The little-endian fields, varints and texts of the game's own binary files (replays,
// checkpoints).
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

// Reads a zlib stream as it inflates, a chunk at a time, so that a body is refused at its first
// wrong byte and a body that says little in many bytes costs only what is read of it. Every read
// is checked against the end; the first failure sticks and later reads give zeros.
class TReader {
 public:
  TReader(std::string_view packed, size_t maxBytes) : maxBytes_(maxBytes) {
    if (inflateInit(&z_) != Z_OK) {
      ok_ = false;
      streamFailed_ = true;
      return;
    }
    open_ = true;
    z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z_.avail_in = static_cast<uInt>(packed.size());
  }
  ~TReader() {
    if (open_) inflateEnd(&z_);
  }
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  bool Ok() const { return ok_; }
  // The stream itself was damaged, cut short or too long, rather than what it holds.
  bool StreamFailed() const { return streamFailed_; }
  void Fail() { ok_ = false; }
  // Everything was read: the stream ends here, with the last of its input.
  bool AtEnd() {
    if (!ok_ || pos_ < have_) return false;
    if (!ended_ && Refill()) return false;
    return ok_ && ended_;
  }
  // The most the body can still hold.
  size_t Left() const { return have_ - pos_ + (maxBytes_ - total_); }

  uint8_t Byte() {
    if (!ok_ || (pos_ == have_ && !Refill())) return Fail(), 0;
    return chunk_[pos_++];
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
  std::string Text(size_t cap) { return Raw(Count(cap)); }
  // The next `n` bytes as they stand: what the chunk holds, then straight from the stream into
  // the text, whose room doubles as its bytes come out, so a stream that fails early takes little
  // of the room `n` claims.
  std::string Raw(size_t n) {
    if (!ok_) return {};
    const size_t buffered = std::min(n, have_ - pos_);
    std::string text(reinterpret_cast<const char*>(chunk_ + pos_), buffered);
    pos_ += buffered;
    for (size_t got = buffered; ok_ && got < n;) {
      text.resize(std::min(n, std::max(2 * got, sizeof chunk_)));
      const size_t made = Inflate(reinterpret_cast<uint8_t*>(text.data() + got), text.size() - got);
      if (made == 0) return Fail(), std::string();
      got += made;
    }
    return ok_ ? text : std::string();
  }

 private:
  // The next chunk of the body; false at the stream's end or where it fails.
  bool Refill() {
    pos_ = 0;
    have_ = Inflate(chunk_, sizeof chunk_);
    return ok_ && have_ > 0;
  }

  // Up to `room` bytes of the body into `out`; fewer at the stream's end or where it fails.
  // Bytes that came out before a failure of the stream itself are still handed over; the next
  // call gives none.
  size_t Inflate(uint8_t* out, size_t room) {
    if (ended_ || streamFailed_) return 0;
    z_.next_out = out;
    z_.avail_out = static_cast<uInt>(std::min<size_t>(room, UINT32_MAX));
    const size_t asked = z_.avail_out;
    int status = Z_OK;
    while (z_.avail_out > 0 && status == Z_OK) status = inflate(&z_, Z_NO_FLUSH);
    const size_t made = asked - z_.avail_out;
    total_ += made;
    if (total_ > maxBytes_) {
      streamFailed_ = true;
      ok_ = false;
      return 0;
    }
    // Bytes after the end of the stream are not part of any file the game writes.
    if (status == Z_STREAM_END && z_.avail_in == 0) {
      ended_ = true;
    } else if (status != Z_OK) {
      streamFailed_ = true;
      if (made == 0) ok_ = false;
    }
    return made;
  }

  z_stream z_{};
  bool open_ = false;
  size_t maxBytes_;
  size_t total_ = 0;  // inflated so far
  uint8_t chunk_[8192];
  size_t pos_ = 0;
  size_t have_ = 0;
  bool ended_ = false;
  bool ok_ = true;
  bool streamFailed_ = false;
};

// The start of a file: its magic, then its format version as a u16.
inline std::string Prefix(std::string_view magic, uint16_t version) {
  std::string out(magic);
  out.push_back(static_cast<char>(version & 0xFF));
  out.push_back(static_cast<char>(version >> 8));
  return out;
}

// The zlib stream of `body` at the best compression, appended to `out`.
inline void Deflate(std::string_view body, std::string& out) {
  uLongf packedSize = compressBound(static_cast<uLong>(body.size()));
  const size_t prefix = out.size();
  out.resize(prefix + packedSize);
  compress2(reinterpret_cast<Bytef*>(out.data() + prefix), &packedSize, reinterpret_cast<const Bytef*>(body.data()),
            static_cast<uLong>(body.size()), Z_BEST_COMPRESSION);
  out.resize(prefix + packedSize);
}

}  // namespace zb::bytecode
