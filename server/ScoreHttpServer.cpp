#include "server/ScoreHttpServer.h"

#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <thread>

namespace zb::server {
namespace {

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
    std::memcpy(ptr, in_.data() + position_, n);
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

}  // namespace

struct ScoreHttpServer::Impl {
  Http http;
  std::thread thread;
  int listenSocket = -1;

  // The library listens with a backlog of 5, which drops connections in a burst of players (a
  // dropped one is retried a second later); listening again on the socket raises it.
  bool WidenBacklog() const { return listenSocket >= 0 && ::listen(listenSocket, SOMAXCONN) == 0; }
};

ScoreHttpServer::ScoreHttpServer(ScoreService& service) : impl_(std::make_unique<Impl>()) {
  httplib::Server& http = impl_->http;
  http.set_read_timeout(5, 0);
  http.set_write_timeout(5, 0);
  // One request a connection: a worker waiting on an idle kept-alive connection serves nobody
  // else, and a game keeps its client open long after its two requests.
  http.set_keep_alive_max_count(1);
  // Replies go out in more than one write; with Nagle's algorithm the last one would wait for
  // the client's delayed acknowledgement, some 40 ms a request.
  http.set_tcp_nodelay(true);
  http.set_payload_max_length(4096);  // every request is a GET without a body
  http.Get("/cgi/version.pl", [&service](const httplib::Request& request, httplib::Response& response) {
    Reply reply = service.Handle(request.params, request.remote_addr);
    response.status = reply.status;
    response.set_content(std::move(reply.body), reply.contentType.c_str());
  });
  http.set_socket_options([impl = impl_.get()](socket_t socket) {
    const int on = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    impl->listenSocket = socket;
  });
  http.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
    response.status = 500;
    response.set_content("internal error\n", "text/plain; charset=utf-8");
  });
}

ScoreHttpServer::~ScoreHttpServer() { Stop(); }

bool ScoreHttpServer::Bind(const std::string& host, int port) {
  return impl_->http.bind_to_port(host, port) && impl_->WidenBacklog();
}

int ScoreHttpServer::BindAnyPort(const std::string& host) {
  const int port = impl_->http.bind_to_any_port(host);
  return port > 0 && impl_->WidenBacklog() ? port : -1;
}

bool ScoreHttpServer::Run() { return impl_->http.listen_after_bind(); }

bool ScoreHttpServer::Start() {
  if (impl_->thread.joinable()) return false;
  impl_->thread = std::thread([this] { impl_->http.listen_after_bind(); });
  // The socket already listens; waiting for the loop makes a Stop right after Start effective.
  for (int waited = 0; !impl_->http.is_running() && waited < 5000; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return impl_->http.is_running();
}

std::string ScoreHttpServer::Answer(std::string_view request, const std::string& address) {
  MemoryStream stream(request, address);
  bool closed = false;
  impl_->http.process_request(stream, true, closed, [](httplib::Request&) {});
  return std::move(stream.out);
}

void ScoreHttpServer::Stop() {
  impl_->http.stop();
  if (impl_->thread.joinable() && impl_->thread.get_id() != std::this_thread::get_id()) {
    impl_->thread.join();
  }
}

}  // namespace zb::server
