#pragma once

#include <zlib.h>

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

inline bool Inflate(std::string_view in, std::string& out, size_t maxBytes) {
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
    if (out.size() > maxBytes) status = Z_MEM_ERROR;
    // No progress with input left over means a stream that does not end.
    if (status == Z_OK && z.avail_in == 0 && z.avail_out != 0) status = Z_DATA_ERROR;
  }
  // Bytes after the end of the stream are not part of any file the game writes.
  const bool ok = status == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return ok;
}

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
