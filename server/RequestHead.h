#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zb::server {

// What the front needs of a request's head to know whether a body follows and how long it is.
struct RequestHead {
  std::string_view method;
  std::string_view path;  // the target before any '?'
  std::optional<size_t> contentLength;
  // Content-Length not a plain decimal number, or given twice with different values.
  bool lengthUnreadable = false;
  bool transferEncoding = false;  // any Transfer-Encoding: chunked bodies are not taken
};

// `head` is the request up to and including its blank line. Nothing when the request line is not
// "METHOD TARGET VERSION".
std::optional<RequestHead> ReadRequestHead(std::string_view head);

// Where the head of `request` ends (after its blank line), or npos while it has not ended.
// `from` is where the search may start: what was already searched needs no second look.
size_t HeadEnd(std::string_view request, size_t from = 0);

}  // namespace zb::server
