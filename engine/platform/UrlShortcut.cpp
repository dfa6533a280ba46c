#include "engine/platform/UrlShortcut.h"

namespace zb::platform {

std::optional<std::string> UrlFromShortcut(std::string_view contents) {
  size_t start = 0;
  while (start < contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > 4 && (line.substr(0, 4) == "URL=" || line.substr(0, 4) == "url=")) {
      return std::string(line.substr(4));
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace zb::platform
