#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/platform/Http.h"

namespace zb::platform {

// Answers requests from a script, in order, and records every URL asked for (a POST's as
// "POST " and the URL, its body in Bodies). A request with nothing left in the script fails as an
// unreachable server does.
class ScriptedHttp final : public HttpClient {
 public:
  HttpResponse Get(const std::string& url) override;
  HttpResponse Post(const std::string& url, const std::string& body, const std::string& contentType) override;

  void Reply(std::string body, long status = 200);
  void Fail(std::string error = "could not connect");
  void Script(HttpResponse response) { script_.push_back(std::move(response)); }

  const std::vector<std::string>& Requests() const { return requests_; }
  const std::vector<std::string>& Bodies() const { return bodies_; }
  size_t Pending() const { return script_.size(); }

 private:
  std::deque<HttpResponse> script_;
  std::vector<std::string> requests_;
  std::vector<std::string> bodies_;
};

}  // namespace zb::platform
