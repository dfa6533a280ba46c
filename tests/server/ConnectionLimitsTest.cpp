// Clients that connect and then say nothing, or trickle their request a byte at a time, must
// not keep a page from being answered.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "server/RequestHead.h"
#include "tests/server/RawClient.h"
#include "tests/server/SqliteServerFixture.h"

namespace zb::server {
namespace {

using testing::Fetch;
using testing::RawClient;

constexpr const char* kPage = "/cgi/version.pl?prg=Tamarix&show&type=0";

using ConnectionLimitsTest = testing::SqliteServerFixture;

// The reply's status line says the page was served.
bool IsPage(const std::string& reply) {
  return reply.starts_with("HTTP/1.1 200") && reply.find("No scores yet.") != std::string::npos;
}

TEST_F(ConnectionLimitsTest, IdleConnectionsHoldNoWorker) {
  Serve({});
  std::vector<RawClient> idle;
  // 500 from 20 addresses, each below the cap of one address.
  for (int i = 0; i < 500; ++i) {
    idle.emplace_back(port_, "127.0.1." + std::to_string(1 + i % 20));
    ASSERT_TRUE(idle.back().connected()) << i;
  }
  EXPECT_TRUE(IsPage(Fetch(port_, kPage)));
  EXPECT_TRUE(IsPage(Fetch(port_, kPage, "127.0.1.1")));
}

TEST_F(ConnectionLimitsTest, ATricklingRequestIsCutOffAtItsDeadlineAndHoldsNoWorker) {
  ConnectionLimits limits;
  limits.requestDeadline = std::chrono::milliseconds(1000);
  Serve(limits);
  std::vector<RawClient> slow;
  for (int i = 0; i < 10; ++i) slow.emplace_back(port_, "127.0.2." + std::to_string(1 + i));
  const std::string request = "GET /cgi/version.pl?version&prg=Tamarix HTTP/1.1\r\nHost: scores\r\nX-Pad: ";
  bool allClosed = false;
  // One byte from each every 200 ms: a per-byte timeout would never end them; the whole-request
  // deadline does, long before the 10 s these bytes would take.
  for (size_t sent = 0; sent < 50 && !allClosed; ++sent) {
    allClosed = true;
    for (RawClient& client : slow) {
      if (client.ClosedByServer()) continue;
      allClosed = false;
      client.Send(std::string(1, request[sent % request.size()]));
    }
    if (sent == 2) {
      EXPECT_TRUE(IsPage(Fetch(port_, kPage)));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  EXPECT_TRUE(allClosed);
  EXPECT_TRUE(IsPage(Fetch(port_, kPage)));
}

TEST_F(ConnectionLimitsTest, ConnectionsBeyondTheCapOfAnAddressAreRefusedAtOnce) {
  ConnectionLimits limits;
  limits.perAddress = 4;
  limits.maxConnections = 6;
  Serve(limits);
  std::vector<RawClient> held;
  for (int i = 0; i < 4; ++i) held.emplace_back(port_, "127.0.3.1");
  EXPECT_TRUE(Fetch(port_, kPage, "127.0.3.1").starts_with("HTTP/1.1 503"));
  EXPECT_TRUE(IsPage(Fetch(port_, kPage, "127.0.3.2")));
  // Beyond the pool, every address is refused; a freed place is taken again.
  for (int i = 0; i < 2; ++i) held.emplace_back(port_, "127.0.3.3");
  EXPECT_TRUE(Fetch(port_, kPage, "127.0.3.4").starts_with("HTTP/1.1 503"));
  held.pop_back();
  std::string reply;
  for (int attempt = 0; attempt < 50 && !IsPage(reply); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    reply = Fetch(port_, kPage, "127.0.3.4");
  }
  EXPECT_TRUE(IsPage(reply)) << reply;
}

TEST_F(ConnectionLimitsTest, AnOversizedRequestIsRefused) {
  Serve({});
  RawClient client(port_);
  client.Send("GET /cgi/version.pl?prg=Tamarix&show&type=0 HTTP/1.1\r\nX-Pad: " + std::string(8200, 'a'));
  EXPECT_TRUE(client.ReadAll().starts_with("HTTP/1.1 431"));
}

TEST(RequestHeadTest, FindsTheEndOfTheHeadAndTheLengthOfTheBody) {
  EXPECT_EQ(HeadEnd("GET / HTTP/1.1\r\nHost: x\r\n\r\nbody"), 27u);
  EXPECT_EQ(HeadEnd("GET / HTTP/1.1\n\nbody"), 16u);
  EXPECT_EQ(HeadEnd("GET / HTTP/1.1\r\nHost: x\r\n"), std::string_view::npos);
  // A blank line split between two reads is found from where the first search stopped.
  EXPECT_EQ(HeadEnd("GET / HTTP/1.1\r\nA: b\r\n\r\n", 22), 24u);
  EXPECT_EQ(HeadEnd("GET / HTTP/1.1\r\nA: b\r\n\r\n", 21), 24u);

  const auto post = ReadRequestHead("POST /cgi/replay.pl?token=a HTTP/1.1\r\ncontent-length:  120 \r\n\r\n");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->method, "POST");
  EXPECT_EQ(post->path, "/cgi/replay.pl");
  EXPECT_EQ(post->contentLength, 120u);
  EXPECT_FALSE(post->lengthUnreadable);
  for (const char* unreadable : {"Content-Length: 12a", "Content-Length: -1", "Content-Length:",
                                 "Content-Length: 99999999999999999999999", "Content-Length: 5\r\nContent-Length: 6"}) {
    const auto head = ReadRequestHead("POST /x HTTP/1.1\r\n" + std::string(unreadable) + "\r\n\r\n");
    ASSERT_TRUE(head) << unreadable;
    EXPECT_TRUE(head->lengthUnreadable) << unreadable;
  }
  EXPECT_TRUE(ReadRequestHead("POST /x HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n")->transferEncoding);
  EXPECT_FALSE(ReadRequestHead("GET / HTTP/1.1\r\n\r\n")->contentLength);
  for (const char* broken : {"", "\r\n\r\n", "GET\r\n\r\n", "GET /\r\n\r\n", " / HTTP/1.1\r\n\r\n"}) {
    EXPECT_FALSE(ReadRequestHead(broken)) << broken;
  }
}

// The replay route takes a body with a length up to its cap, in as many pieces as it comes; the
// other routes and other bodies are turned away before the body is read.
TEST_F(ConnectionLimitsTest, ABodyIsReadOnTheReplayRouteAloneWithinItsCap) {
  ConnectionLimits limits;
  limits.uploads = 1;
  limits.requestDeadline = std::chrono::milliseconds(1500);
  Serve(limits);
  auto reply = [&](const std::string& request) {
    RawClient client(port_);
    client.Send(request);
    return client.ReadAll();
  };
  const std::string head = "POST /cgi/replay.pl?token=t HTTP/1.1\r\nHost: scores\r\n";
  EXPECT_TRUE(reply(head + "Content-Length: 1048577\r\n\r\n").starts_with("HTTP/1.1 413"));
  // A head over 8 KB, even when its end comes in the same read.
  EXPECT_TRUE(reply(head + "X-Pad: " + std::string(9000, 'a') + "\r\nContent-Length: 1\r\n\r\nx")
                  .starts_with("HTTP/1.1 431"));
  EXPECT_TRUE(reply(head + "\r\nabc").starts_with("HTTP/1.1 411"));
  EXPECT_TRUE(reply(head + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n").starts_with("HTTP/1.1 411"));
  EXPECT_TRUE(reply(head + "Content-Length: 3\r\nContent-Length: 4\r\n\r\nabcd").starts_with("HTTP/1.1 411"));
  // Elsewhere a request stays a head of at most 8 KB.
  EXPECT_TRUE(reply("POST /cgi/version.pl HTTP/1.1\r\nContent-Length: 20000\r\n\r\n" + std::string(20000, 'a'))
                  .starts_with("HTTP/1.1 431"));

  // A whole body of the largest size, sent in pieces, reaches the service (which takes no replays here).
  {
    RawClient client(port_);
    ASSERT_TRUE(client.Send(head + "Content-Length: 1048576\r\n\r\n"));
    const std::string piece(65536, 'z');
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(client.Send(piece));
    const std::string answer = client.ReadAll();
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 404")) << answer.substr(0, 200);
    EXPECT_NE(answer.find("replays are not taken here"), std::string::npos);
  }

  // One body being read holds the only place: a second upload is turned away, a page is not.
  RawClient slow(port_);
  ASSERT_TRUE(slow.Send(head + "Content-Length: 100\r\n\r\nhalf"));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(reply(head + "Content-Length: 1\r\n\r\nx").starts_with("HTTP/1.1 503"));
  EXPECT_TRUE(IsPage(Fetch(port_, kPage)));
  // The body that never comes whole is cut off at the deadline, and the place is free again.
  EXPECT_TRUE(slow.ReadAll().starts_with("HTTP/1.1 408"));
  std::string again;
  for (int attempt = 0; attempt < 50 && !again.starts_with("HTTP/1.1 404"); ++attempt) {
    again = reply(head + "Content-Length: 1\r\n\r\nx");
    if (!again.starts_with("HTTP/1.1 404")) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(again.starts_with("HTTP/1.1 404")) << again;
}

}  // namespace
}  // namespace zb::server
