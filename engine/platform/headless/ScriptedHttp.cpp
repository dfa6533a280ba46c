#include "engine/platform/headless/ScriptedHttp.h"

#include <utility>

namespace zb::platform {

HttpResponse ScriptedHttp::Get(const std::string& url) {
  requests_.push_back(url);
  if (script_.empty()) return HttpResponse{.error = "could not connect"};
  HttpResponse next = std::move(script_.front());
  script_.pop_front();
  return next;
}

HttpResponse ScriptedHttp::Post(const std::string& url, const std::string& body, const std::string&) {
  bodies_.push_back(body);
  return Get("POST " + url);
}

void ScriptedHttp::Reply(std::string body, long status) {
  HttpResponse response;
  response.status = status;
  response.ok = status >= 200 && status < 300;
  response.body = std::move(body);
  if (!response.ok) response.error = "HTTP status " + std::to_string(status);
  script_.push_back(std::move(response));
}

void ScriptedHttp::Fail(std::string error) { script_.push_back(HttpResponse{.error = std::move(error)}); }

}  // namespace zb::platform
