#pragma once

#include <string>

namespace zb::platform {

struct HttpResponse {
  bool ok = false;    // the transfer finished with a 2xx status
  long status = 0;    // 0 when no status line arrived
  std::string body;   // as received, also for an error status
  std::string error;  // why it failed; empty when ok
};

// One HTTP session: blocking requests that keep the cookies the server sets from one request
// to the next.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual HttpResponse Get(const std::string& url) = 0;
  // `body` goes out whole with its Content-Length.
  virtual HttpResponse Post(const std::string& url, const std::string& body, const std::string& contentType) = 0;
};

}  // namespace zb::platform
