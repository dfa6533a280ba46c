#pragma once

#include <string_view>

namespace zb {

// Names of images, fonts, templates and records match when equal after lowering A-Z only;
// every other byte (CP1251 letters included) must be identical.
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace zb
