#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "server/TrustedProxies.h"

namespace zb::server {

struct ConnectionLimits {
  int workers = 8;                 // requests answered at once
  int queuedRequests = 256;        // read in full and waiting for a worker; beyond, 503
  int maxConnections = 4096;       // open at once; beyond, refused at once
  int perAddress = 32;             // open at once from one address; beyond, refused at once
  std::chrono::milliseconds requestDeadline{5000};  // for the whole request, not per byte
  size_t maxRequestBytes = 8192;   // of a request without a body, or of a head
  // The one route whose POST may carry a body, of at most maxBodyBytes (beyond, 413); at most
  // `uploads` bodies are read or answered at once (beyond, 503).
  std::string bodyPath = "/cgi/replay.pl";
  size_t maxBodyBytes = 1u << 20;
  int uploads = 64;
  // Connections from these count against the cap of the client their X-Forwarded-For names,
  // once the request is read, and the handler is given that client's address.
  TrustedProxies trustedProxies;
};

// Accepts connections and reads each request in full on one event thread, so an idle or
// trickling client holds a file descriptor but never a worker; a worker gets only complete
// requests. One request a connection; only a POST to the body route carries a body, with a
// Content-Length.
class ConnectionFront {
 public:
  // The raw reply to a raw request (headers and whatever followed them) from `address`, the
  // client a trusted proxy forwarded it for or else the peer.
  using Handler = std::function<std::string(std::string_view request, const std::string& address)>;

  ConnectionFront(Handler handler, ConnectionLimits limits);
  ~ConnectionFront();  // stops a front that still runs
  ConnectionFront(const ConnectionFront&) = delete;
  ConnectionFront& operator=(const ConnectionFront&) = delete;

  // Port 0 takes a free one. Returns the port listened on, or -1.
  int Bind(const std::string& host, int port);
  // Serves on the calling thread until Stop; false when nothing was bound.
  bool Run();
  bool IsRunning() const;
  // Safe from any thread.
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zb::server
