#include "server/ScoreHttpServer.h"

#include <httplib.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <thread>

namespace zb::server {
namespace {

constexpr std::string_view kScorePath = "/cgi/version.pl";

// The library's server, with its request processing reachable for one request in memory.
class Http final : public httplib::Server {
 public:
  using httplib::Server::process_request;
};

// A connection whose bytes are a request held in memory; the reply is collected.
class MemoryStream final : public httplib::Stream {
 public:
  MemoryStream(std::string_view request, std::string address) : in_(request), address_(std::move(address)) {}
  bool is_readable() const override { return position_ < in_.size(); }
  bool is_writable() const override { return true; }
  ssize_t read(char* ptr, size_t size) override {
    const size_t n = std::min(size, in_.size() - position_);
    // The library reads a request's head a byte at a time.
    if (n == 1) {
      *ptr = in_[position_];
    } else {
      std::memcpy(ptr, in_.data() + position_, n);
    }
    position_ += n;
    return static_cast<ssize_t>(n);
  }
  ssize_t write(const char* ptr, size_t size) override {
    out.append(ptr, size);
    return static_cast<ssize_t>(size);
  }
  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    ip = address_;
    port = 40000;
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 8642;
  }
  socket_t socket() const override { return INVALID_SOCKET; }

  std::string out;

 private:
  std::string_view in_;
  size_t position_ = 0;
  std::string address_;
};

void Send(Reply reply, httplib::Response& response) {
  response.status = reply.status;
  response.set_content(std::move(reply.body), reply.contentType.c_str());
}

}  // namespace

struct ScoreHttpServer::Impl {
  Http http;
  ConnectionLimits limits;
  // Made at the first bind: a server that only answers requests handed to it (the tests, the
  // fuzzer) takes no descriptors.
  std::unique_ptr<ConnectionFront> front;
  std::thread thread;
  bool bound = false;

  ConnectionFront& Front() {
    // The library reads a request with a timeout for every byte and keeps a worker on a
    // connection while it waits, so a few slow or idle clients could hold every worker; its
    // routes get only requests the front has read in full.
    if (!front) {
      front = std::make_unique<ConnectionFront>(
          [this](std::string_view request, const std::string& address) { return Answer(request, address); }, limits);
    }
    return *front;
  }

  std::string Answer(std::string_view request, const std::string& address) {
    MemoryStream stream(request, address);
    bool closed = false;
    http.process_request(stream, true, closed, [](httplib::Request&) {});
    return std::move(stream.out);
  }
};

ScoreHttpServer::ScoreHttpServer(ScoreService& service, ConnectionLimits limits)
    : impl_(std::make_unique<Impl>()) {
  httplib::Server& http = impl_->http;
  // Only the replay route has a body; the front lets no other through.
  http.set_payload_max_length(limits.maxBodyBytes);
  // The score route is matched by its exact path ahead of the library's routes, which are regular
  // expressions: one was compiled for every server made, and its "." let "/cgi/versionXpl" in.
  // Nothing reads a GET's body, so it needs none of what the library does after this point.
  http.set_pre_routing_handler([&service](const httplib::Request& request, httplib::Response& response) {
    if ((request.method != "GET" && request.method != "HEAD") || request.path != kScorePath) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    Send(service.Handle(request.params, request.remote_addr), response);
    return httplib::Server::HandlerResponse::Handled;
  });
  http.Post(limits.bodyPath, [&service](const httplib::Request& request, httplib::Response& response) {
    Send(service.TakeReplay(request.params, request.body), response);
  });
  http.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
    response.status = 500;
    response.set_content("internal error\n", "text/plain; charset=utf-8");
  });
  impl_->limits = limits;
}

ScoreHttpServer::~ScoreHttpServer() { Stop(); }

bool ScoreHttpServer::Bind(const std::string& host, int port) {
  impl_->bound = impl_->Front().Bind(host, port) > 0;
  return impl_->bound;
}

int ScoreHttpServer::BindAnyPort(const std::string& host) {
  const int port = impl_->Front().Bind(host, 0);
  impl_->bound = port > 0;
  return port;
}

bool ScoreHttpServer::Run() { return impl_->bound && impl_->front->Run(); }

bool ScoreHttpServer::Start() {
  if (impl_->thread.joinable() || !impl_->bound) return false;
  impl_->thread = std::thread([this] { impl_->front->Run(); });
  // The socket already listens; waiting for the loop makes a Stop right after Start effective.
  for (int waited = 0; !impl_->front->IsRunning() && waited < 5000; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return impl_->front->IsRunning();
}

std::string ScoreHttpServer::Answer(std::string_view request, const std::string& address) {
  return impl_->Answer(request, address);
}

void ScoreHttpServer::Stop() {
  if (impl_->front) impl_->front->Stop();
  if (impl_->thread.joinable() && impl_->thread.get_id() != std::this_thread::get_id()) {
    impl_->thread.join();
  }
}

}  // namespace zb::server
