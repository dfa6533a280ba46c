#include "engine/platform/sdl/CurlHttp.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace zb::platform {
namespace {

// A small server on 127.0.0.1 that sets a cookie and echoes what the client sent.
class CurlHttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.Get("/set", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Set-Cookie", "session=abc; Path=/");
      response.set_content("set", "text/plain");
    });
    server_.Get("/echo", [](const httplib::Request& request, httplib::Response& response) {
      response.set_content("UA=" + request.get_header_value("User-Agent") +
                               "\nAccept=" + request.get_header_value("Accept") +
                               "\nCookie=" + request.get_header_value("Cookie"),
                           "text/plain");
    });
    server_.Get("/big", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(std::string(4096, 'x'), "text/plain");
    });
    server_.Get("/gone", [](const httplib::Request&, httplib::Response& response) {
      response.status = 503;
      response.set_content("OK|but an error status", "text/plain");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  void TearDown() override {
    server_.stop();
    thread_.join();
  }

  std::string Url(const std::string& path) { return "http://127.0.0.1:" + std::to_string(port_) + path; }

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

TEST_F(CurlHttpTest, SendsTheFixedHeadersAndKeepsCookiesBetweenRequests) {
  CurlHttp http;
  const HttpResponse set = http.Get(Url("/set"));
  EXPECT_TRUE(set.ok) << set.error;
  EXPECT_EQ(set.status, 200);
  EXPECT_EQ(set.body, "set");
  const HttpResponse echo = http.Get(Url("/echo"));
  EXPECT_EQ(echo.body,
            "UA=Mozilla/3.0 (compatible; Indy Library)\nAccept=text/html, */*\nCookie=session=abc");
  // Another client is another session.
  CurlHttp other;
  EXPECT_TRUE(other.Get(Url("/echo")).body.ends_with("Cookie="));
}

TEST_F(CurlHttpTest, ErrorStatusesAndOverlongRepliesAreFailures) {
  CurlHttp http(HttpLimits{.maxBodyBytes = 1000});
  const HttpResponse gone = http.Get(Url("/gone"));
  EXPECT_FALSE(gone.ok);
  EXPECT_EQ(gone.status, 503);
  EXPECT_FALSE(gone.error.empty());
  EXPECT_EQ(http.Get(Url("/missing")).status, 404);
  const HttpResponse big = http.Get(Url("/big"));
  EXPECT_FALSE(big.ok);
  EXPECT_TRUE(big.body.empty());
  EXPECT_TRUE(http.Get(Url("/set")).ok);  // the handle is still good
  EXPECT_FALSE(http.Get("ftp://127.0.0.1/").ok);
  EXPECT_FALSE(http.Get("not a url").ok);
}

TEST_F(CurlHttpTest, ProxySettingsOfTheEnvironmentAreIgnored) {
  // A proxy that does not exist: a client that used it could not reach the server.
  const char* saved = std::getenv("http_proxy");
  const std::string before = saved ? saved : "";
  ::setenv("http_proxy", "http://127.0.0.1:9", 1);
  CurlHttp http;
  const HttpResponse reply = http.Get(Url("/set"));
  if (saved) ::setenv("http_proxy", before.c_str(), 1);
  else ::unsetenv("http_proxy");
  EXPECT_TRUE(reply.ok) << reply.error;
}

TEST(CurlHttpTimeoutTest, AServerThatNeverAnswersDoesNotHoldTheGame) {
  // Connections complete in the kernel's backlog, but nothing is ever read or written.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(fd, 4), 0);
  ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
  CurlHttp http(HttpLimits{.connectMillis = 200, .totalMillis = 300});
  const HttpResponse reply = http.Get("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/");
  ::close(fd);
  EXPECT_FALSE(reply.ok);
  EXPECT_EQ(reply.status, 0);
  EXPECT_FALSE(reply.error.empty());
}

}  // namespace
}  // namespace zb::platform
