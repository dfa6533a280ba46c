#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <string>
#include <utility>

namespace zb::server::testing {

// A TCP connection to 127.0.0.1 made from a chosen loopback address, so that tests can play
// several clients; every read gives up after `timeoutSeconds`, so a server that never answers
// fails the test instead of hanging it.
class RawClient {
 public:
  RawClient(int port, const std::string& from = "127.0.0.1", int timeoutSeconds = 10) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    ::inet_pton(AF_INET, from.c_str(), &local.sin_addr);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(port));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval timeout{timeoutSeconds, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    connected_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                 ::connect(fd_, reinterpret_cast<sockaddr*>(&server), sizeof server) == 0;
  }
  ~RawClient() {
    if (fd_ >= 0) ::close(fd_);
  }
  RawClient(RawClient&& other) noexcept
      : fd_(std::exchange(other.fd_, -1)), connected_(other.connected_) {}
  RawClient& operator=(RawClient&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
      connected_ = other.connected_;
    }
    return *this;
  }

  bool connected() const { return connected_; }
  bool Send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }
  // Everything until the server closes (or the timeout).
  std::string ReadAll() {
    std::string all;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd_, buffer, sizeof buffer, 0)) > 0;) all.append(buffer, static_cast<size_t>(n));
    return all;
  }
  // True when the server has answered or closed its side, though the request is not complete.
  bool ClosedByServer() {
    char byte;
    const ssize_t n = ::recv(fd_, &byte, 1, MSG_DONTWAIT | MSG_PEEK);
    return n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

// One request, the whole reply.
inline std::string Fetch(int port, const std::string& target, const std::string& from = "127.0.0.1") {
  RawClient client(port, from);
  if (!client.connected() || !client.Send("GET " + target + " HTTP/1.1\r\nHost: scores\r\n\r\n")) return {};
  return client.ReadAll();
}

}  // namespace zb::server::testing
