#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "server/ConnectionFront.h"
#include "server/ScoreService.h"

namespace zb::server {

// The score service over HTTP: GET "/cgi/version.pl" with the query, POST "/cgi/replay.pl" with a
// replay, everything else 404.
class ScoreHttpServer {
 public:
  explicit ScoreHttpServer(ScoreService& service, ConnectionLimits limits = {});
  ~ScoreHttpServer();  // stops a server that still runs
  ScoreHttpServer(const ScoreHttpServer&) = delete;
  ScoreHttpServer& operator=(const ScoreHttpServer&) = delete;

  bool Bind(const std::string& host, int port);
  // Binds to a free port and returns it, or -1.
  int BindAnyPort(const std::string& host);

  // Serves on the calling thread until Stop.
  bool Run();
  // Serves on a thread of its own; returns once requests are accepted.
  bool Start();
  // Safe from any thread, also a signal-waiting one; waits for the server thread of Start.
  void Stop();

  // The raw reply to one raw request read from memory, as a connection from `address` would get
  // it; nothing listens (the fuzz driver of the request parsing).
  std::string Answer(std::string_view request, const std::string& address = "127.0.0.1");

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zb::server
