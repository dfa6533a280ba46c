#pragma once

#include <memory>
#include <string>

#include "engine/platform/Http.h"

namespace zb::platform {

struct HttpLimits {
  long connectMillis = 5000;
  long totalMillis = 10000;
  size_t maxBodyBytes = 1 << 20;
};

// HTTP through libcurl: one handle for the life of the client, so connections and cookies
// carry over between requests. The headers of a GET are those the score server expects from the
// game; no proxy is used, whatever the environment says.
class CurlHttp final : public HttpClient {
 public:
  explicit CurlHttp(HttpLimits limits = {});
  ~CurlHttp() override;
  CurlHttp(const CurlHttp&) = delete;
  CurlHttp& operator=(const CurlHttp&) = delete;

  HttpResponse Get(const std::string& url) override;
  HttpResponse Post(const std::string& url, const std::string& body, const std::string& contentType) override;

 private:
  HttpResponse Perform();  // the request set up on the handle

  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zb::platform
