#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/UninitVector.h"

namespace zb {

// A growable byte buffer with a read/write position, the target of archive reads and the
// source of record parsers. Reads never go past the end: they return what was there.
class TMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(const std::vector<uint8_t>& bytes) : bytes_(bytes.begin(), bytes.end()) {}

  size_t Size() const { return bytes_.size(); }
  size_t Position() const { return position_; }
  // Positions past the end are allowed; a later write fills the gap with zeros.
  void SetPosition(size_t position) { position_ = position; }
  size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }

  const uint8_t* Data() const { return bytes_.data(); }
  const UninitVector<uint8_t>& Bytes() const { return bytes_; }
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }

  // Writes at the position, growing the buffer; returns the count written (always `count`).
  size_t Write(const void* data, size_t count) {
    if (count == 0) return 0;
    if (position_ + count > bytes_.size()) {
      const size_t old = bytes_.size();
      bytes_.resize(position_ + count);
      if (position_ > old) std::memset(bytes_.data() + old, 0, position_ - old);
    }
    std::memcpy(bytes_.data() + position_, data, count);
    position_ += count;
    return count;
  }

  // Grows the buffer by `count` unset bytes at its end and returns where they start, leaving the
  // position alone, so a producer can write there directly; Truncate takes them back.
  uint8_t* Extend(size_t count) {
    const size_t old = bytes_.size();
    bytes_.resize(old + count);
    return bytes_.data() + old;
  }
  void Truncate(size_t size) {
    if (size < bytes_.size()) bytes_.resize(size);
    if (position_ > size) position_ = size;
  }

  // Reads up to `count` bytes; returns how many were read.
  size_t Read(void* data, size_t count) {
    const size_t n = count < Remaining() ? count : Remaining();
    if (n > 0) std::memcpy(data, bytes_.data() + position_, n);
    position_ += n;
    return n;
  }

  // Little-endian integers; false (value untouched) when the stream is too short.
  bool ReadU8(uint8_t& value) { return Read(&value, 1) == 1; }
  bool ReadU16(uint16_t& value) { return ReadLittle(value); }
  bool ReadU32(uint32_t& value) { return ReadLittle(value); }
  bool ReadI32(int32_t& value) {
    uint32_t raw;
    if (!ReadLittle(raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
  }
  bool Skip(size_t count) {
    if (Remaining() < count) return false;
    position_ += count;
    return true;
  }

 private:
  template <typename T>
  bool ReadLittle(T& value) {
    if (Remaining() < sizeof(T)) return false;
    T v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<T>(bytes_[position_ + i]) << (8 * i);
    position_ += sizeof(T);
    value = v;
    return true;
  }

  UninitVector<uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace zb
