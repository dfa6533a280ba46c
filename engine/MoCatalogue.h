#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zb {

// A compiled gettext catalogue (".mo", as msgfmt writes it): UTF-8 original to UTF-8 translation.
// Entries with an empty translation and the header entry are left out, so a lookup that finds
// nothing means "show the original".
class TMoCatalogue {
 public:
  // Reads the bytes of a ".mo" file of either byte order. A damaged file gives nothing and the
  // reason in `error`.
  static std::optional<TMoCatalogue> Parse(std::string_view bytes, std::string* error = nullptr);

  // The translation of `original` (in context `context` when given), or nullptr.
  const std::string* Find(std::string_view original, std::string_view context = {}) const;
  size_t Size() const { return entries_.size(); }
  const std::map<std::string, std::string, std::less<>>& Entries() const { return entries_; }

 private:
  std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace zb
