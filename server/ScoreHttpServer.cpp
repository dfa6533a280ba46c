#include "server/ScoreHttpServer.h"

#include <httplib.h>

#include <thread>

namespace zb::server {

struct ScoreHttpServer::Impl {
  httplib::Server http;
  std::thread thread;
};

ScoreHttpServer::ScoreHttpServer(ScoreService& service) : impl_(std::make_unique<Impl>()) {
  httplib::Server& http = impl_->http;
  http.set_read_timeout(5, 0);
  http.set_write_timeout(5, 0);
  // The game's two requests come back to back; a short keep-alive also keeps shutdown quick,
  // since a worker holds its connection open until it times out.
  http.set_keep_alive_timeout(1);
  http.set_payload_max_length(4096);  // every request is a GET without a body
  http.Get("/cgi/version.pl", [&service](const httplib::Request& request, httplib::Response& response) {
    Reply reply = service.Handle(request.params, request.remote_addr);
    response.status = reply.status;
    response.set_content(std::move(reply.body), reply.contentType.c_str());
  });
  http.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
    response.status = 500;
    response.set_content("internal error\n", "text/plain; charset=utf-8");
  });
}

ScoreHttpServer::~ScoreHttpServer() { Stop(); }

bool ScoreHttpServer::Bind(const std::string& host, int port) { return impl_->http.bind_to_port(host, port); }

int ScoreHttpServer::BindAnyPort(const std::string& host) { return impl_->http.bind_to_any_port(host); }

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

void ScoreHttpServer::Stop() {
  impl_->http.stop();
  if (impl_->thread.joinable() && impl_->thread.get_id() != std::this_thread::get_id()) {
    impl_->thread.join();
  }
}

}  // namespace zb::server
