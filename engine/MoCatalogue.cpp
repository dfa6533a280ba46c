#include "engine/MoCatalogue.h"

#include <cstdint>

namespace zb {
namespace {

constexpr uint32_t kMagic = 0x950412de;
// gettext keeps a message's context before its original, parted by this byte.
constexpr char kContextEnd = '\x04';

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Start() {
    if (bytes_.size() < 28) return false;
    if (Raw(0) == kMagic) return true;
    swapped_ = true;
    return Raw(0) == kMagic;
  }
  std::optional<uint32_t> Word(size_t at) const {
    if (at > bytes_.size() || bytes_.size() - at < 4) return std::nullopt;
    return Raw(at);
  }
  // The string of the table entry at `at` (length, offset), or nothing when it lies outside.
  std::optional<std::string_view> String(size_t at) const {
    const auto length = Word(at), offset = Word(at + 4);
    if (!length || !offset || *offset > bytes_.size() || bytes_.size() - *offset < *length) return std::nullopt;
    return bytes_.substr(*offset, *length);
  }

 private:
  uint32_t Raw(size_t at) const {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const auto b = static_cast<uint8_t>(bytes_[at + static_cast<size_t>(swapped_ ? i : 3 - i)]);
      v = v << 8 | b;
    }
    return v;
  }

  std::string_view bytes_;
  bool swapped_ = false;
};

std::optional<TMoCatalogue> Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<TMoCatalogue> TMoCatalogue::Parse(std::string_view bytes, std::string* error) {
  Reader in(bytes);
  if (!in.Start()) return Fail(error, "not a compiled catalogue");
  const auto revision = in.Word(4), count = in.Word(8), originals = in.Word(12), translations = in.Word(16);
  if (!revision || (*revision >> 16) > 1) return Fail(error, "catalogue revision not understood");
  if (*count > bytes.size() / 16) return Fail(error, "catalogue tables lie outside the file");
  TMoCatalogue result;
  for (uint32_t i = 0; i < *count; ++i) {
    const auto original = in.String(*originals + size_t{i} * 8);
    const auto translation = in.String(*translations + size_t{i} * 8);
    if (!original || !translation) return Fail(error, "catalogue tables lie outside the file");
    if (original->empty() || translation->empty()) continue;  // the header, or nothing to show
    // Plural forms follow the singular after a NUL; the game shows the singular only.
    const std::string_view key = original->substr(0, original->find('\0'));
    result.entries_.emplace(std::string(key), std::string(translation->substr(0, translation->find('\0'))));
  }
  return result;
}

const std::string* TMoCatalogue::Find(std::string_view original, std::string_view context) const {
  if (context.empty()) {
    const auto it = entries_.find(original);
    return it == entries_.end() ? nullptr : &it->second;
  }
  std::string key(context);
  key += kContextEnd;
  key += original;
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace zb
