// Clients that connect and then say nothing, or trickle their request a byte at a time, must
// not keep a page from being answered.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

}  // namespace
}  // namespace zb::server
