#include "engine/platform/sdl/CurlHttp.h"

#include <curl/curl.h>

namespace zb::platform {

struct CurlHttp::State {
  struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  };
  struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
  };

  HttpLimits limits;
  bool globalReady = false;
  std::unique_ptr<CURL, EasyDeleter> easy;
  std::unique_ptr<curl_slist, ListDeleter> headers;
  std::string body;
  bool bodyTooLong = false;

  static size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto& state = *static_cast<State*>(user);
    const size_t bytes = size * count;
    if (state.body.size() + bytes > state.limits.maxBodyBytes) {
      state.bodyTooLong = true;
      return 0;  // makes curl abort the transfer
    }
    state.body.append(data, bytes);
    return bytes;
  }
};

CurlHttp::CurlHttp(HttpLimits limits) : state_(std::make_unique<State>()) {
  state_->limits = limits;
  state_->globalReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!state_->globalReady) return;
  state_->easy.reset(curl_easy_init());
  curl_slist* list = nullptr;
  for (const char* header : {"Accept: text/html, */*", "Content-Type: text/html"}) {
    if (curl_slist* longer = curl_slist_append(list, header)) list = longer;
  }
  state_->headers.reset(list);

  CURL* easy = state_->easy.get();
  if (!easy) return;
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, state_->headers.get());
  curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // this handle's in-memory cookie store
  curl_easy_setopt(easy, CURLOPT_PROXY, "");       // also ignores the proxy variables
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMillis);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, limits.totalMillis);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &State::Collect);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, state_.get());
}

CurlHttp::~CurlHttp() {
  state_->easy.reset();
  state_->headers.reset();
  if (state_->globalReady) curl_global_cleanup();
}

HttpResponse CurlHttp::Get(const std::string& url) {
  CURL* easy = state_->easy.get();
  if (!easy) return HttpResponse{.error = "the HTTP library could not start"};
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  return Perform();
}

HttpResponse CurlHttp::Post(const std::string& url, const std::string& body, const std::string& contentType) {
  CURL* easy = state_->easy.get();
  if (!easy) return HttpResponse{.error = "the HTTP library could not start"};
  // "Expect:" keeps curl from waiting for a "100 Continue" the server never sends.
  curl_slist* list = nullptr;
  for (const std::string& header : {std::string("Accept: text/html, */*"), "Content-Type: " + contentType,
                                    std::string("Expect:")}) {
    if (curl_slist* longer = curl_slist_append(list, header.c_str())) list = longer;
  }
  const std::unique_ptr<curl_slist, State::ListDeleter> headers(list);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.data());
  HttpResponse response = Perform();
  // The handle goes back to the GET the game's two requests are, with their own headers.
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, nullptr);
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(-1));
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, state_->headers.get());
  return response;
}

HttpResponse CurlHttp::Perform() {
  HttpResponse response;
  CURL* easy = state_->easy.get();
  state_->body.clear();
  state_->bodyTooLong = false;
  const CURLcode result = curl_easy_perform(easy);
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response.status);
  response.body = std::move(state_->body);
  state_->body.clear();
  if (result != CURLE_OK) {
    response.error = state_->bodyTooLong ? "the reply is too long" : curl_easy_strerror(result);
    response.body.clear();
    return response;
  }
  response.ok = response.status >= 200 && response.status < 300;
  if (!response.ok) response.error = "HTTP status " + std::to_string(response.status);
  return response;
}

}  // namespace zb::platform
