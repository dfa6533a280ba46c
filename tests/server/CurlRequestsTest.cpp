// The game's two requests go out byte for byte the same whether or not a replay was posted on
// the same session before them.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "engine/platform/sdl/CurlHttp.h"

namespace zb::platform {
namespace {

// Takes `count` connections on 127.0.0.1, one request each, and keeps what each sent; every
// request is answered "OK" and the connection closed.
class Listener {
 public:
  explicit Listener(int count) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd_, 8);
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, count] {
      for (int i = 0; i < count; ++i) {
        const int client = ::accept(fd_, nullptr, nullptr);
        if (client < 0) return;
        const timeval timeout{5, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        std::string request;
        char buffer[4096];
        // The head, then as much body as its Content-Length says.
        size_t want = std::string::npos;
        while (request.size() < want) {
          const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
          if (n <= 0) break;
          request.append(buffer, static_cast<size_t>(n));
          const size_t end = request.find("\r\n\r\n");
          if (end == std::string::npos) continue;
          const size_t length = request.find("Content-Length: ");
          want = end + 4 + (length < end ? std::stoul(request.substr(length + 16)) : 0);
        }
        requests.push_back(request);
        const std::string reply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2\r\n\r\nOK";
        ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(client);
      }
    });
  }
  ~Listener() {
    if (thread_.joinable()) thread_.join();
    ::close(fd_);
  }
  int port() const { return port_; }
  void Wait() { thread_.join(); }

  std::vector<std::string> requests;

 private:
  int fd_ = -1;
  int port_ = 0;
  std::thread thread_;
};

TEST(CurlRequestsTest, AGetAfterAPostIsTheSameGetAsBefore) {
  Listener listener(4);
  const std::string base = "http://127.0.0.1:" + std::to_string(listener.port());
  CurlHttp http;
  EXPECT_TRUE(http.Get(base + "/cgi/version.pl?version&prg=Tamarix").ok);
  EXPECT_TRUE(http.Post(base + "/cgi/replay.pl?token=t", std::string("ZBRP\1\0body", 10), "application/octet-stream").ok);
  EXPECT_TRUE(http.Get(base + "/cgi/version.pl?version&prg=Tamarix").ok);
  EXPECT_TRUE(http.Get(base + "/cgi/version.pl?hs&prg=Tamarix&inf=ABC").ok);
  listener.Wait();
  ASSERT_EQ(listener.requests.size(), 4u);
  EXPECT_EQ(listener.requests[2], listener.requests[0]);
  EXPECT_TRUE(listener.requests[0].starts_with("GET /cgi/version.pl?version&prg=Tamarix HTTP/1.1\r\n"));
  EXPECT_NE(listener.requests[0].find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"), std::string::npos);
  EXPECT_NE(listener.requests[0].find("Content-Type: text/html\r\n"), std::string::npos);
  EXPECT_EQ(listener.requests[0].find("Content-Length"), std::string::npos);
  EXPECT_TRUE(listener.requests[3].starts_with("GET /cgi/version.pl?hs&prg=Tamarix&inf=ABC HTTP/1.1\r\n"));
  EXPECT_EQ(listener.requests[3].find("Content-Length"), std::string::npos);

  const std::string& post = listener.requests[1];
  EXPECT_TRUE(post.starts_with("POST /cgi/replay.pl?token=t HTTP/1.1\r\n")) << post;
  EXPECT_NE(post.find("Content-Type: application/octet-stream\r\n"), std::string::npos) << post;
  EXPECT_NE(post.find("Content-Length: 10\r\n"), std::string::npos) << post;
  EXPECT_EQ(post.find("Expect:"), std::string::npos) << post;
  EXPECT_TRUE(post.ends_with(std::string("\r\n\r\nZBRP\1\0body", 14))) << post;
}

}  // namespace
}  // namespace zb::platform
