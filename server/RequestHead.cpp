#include "server/RequestHead.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zb::server {
namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

size_t HeadEnd(std::string_view request, size_t from) {
  from = from > 3 ? from - 3 : 0;  // a blank line may straddle what was searched and what came
  const size_t crlf = request.find("\r\n\r\n", from);
  const size_t lf = request.find("\n\n", from);
  const size_t npos = std::string_view::npos;
  return std::min(crlf == npos ? npos : crlf + 4, lf == npos ? npos : lf + 2);
}

std::optional<RequestHead> ReadRequestHead(std::string_view head) {
  const size_t lineEnd = head.find('\n');
  const std::string_view line = Trimmed(head.substr(0, lineEnd));
  const size_t firstSpace = line.find(' ');
  const size_t lastSpace = line.rfind(' ');
  if (firstSpace == std::string_view::npos || firstSpace == 0 || lastSpace == firstSpace) return std::nullopt;
  RequestHead read;
  read.method = line.substr(0, firstSpace);
  const std::string_view target = line.substr(firstSpace + 1, lastSpace - firstSpace - 1);
  if (target.empty()) return std::nullopt;
  read.path = target.substr(0, target.find('?'));

  std::string_view rest = lineEnd == std::string_view::npos ? std::string_view() : head.substr(lineEnd + 1);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view header = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const size_t colon = header.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = header.substr(0, colon);
    const std::string_view value = Trimmed(header.substr(colon + 1));
    if (SameNoCase(name, "Transfer-Encoding")) {
      read.transferEncoding = true;
    } else if (SameNoCase(name, "Content-Length")) {
      size_t length = 0;
      const auto [at, ec] = std::from_chars(value.data(), value.data() + value.size(), length);
      const bool whole = !value.empty() && ec == std::errc() && at == value.data() + value.size();
      if (!whole || (read.contentLength && *read.contentLength != length)) read.lengthUnreadable = true;
      else read.contentLength = length;
    }
  }
  return read;
}

}  // namespace zb::server
