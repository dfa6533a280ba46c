// X-Forwarded-For counts only from a trusted proxy: otherwise any client could spread its
// submissions over made-up addresses, or exhaust another player's limit.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "server/ConnectionFront.h"
#include "tests/server/RawClient.h"
#include "tests/server/SqliteServerFixture.h"

namespace zb::server {
namespace {

using testing::RawClient;

std::string Request(const std::string& target, const std::string& headers) {
  return "GET " + target + " HTTP/1.1\r\nHost: scores\r\n" + headers + "\r\n";
}

std::string Status(int port, const std::string& from, const std::string& target, const std::string& headers) {
  RawClient client(port, from);
  if (!client.connected() || !client.Send(Request(target, headers))) return {};
  return client.ReadAll().substr(0, 12);
}

TEST(TrustedProxiesTest, ReadsAddressesAndNetworksAndRefusesTheRest) {
  TrustedProxies proxies;
  std::string error;
  for (const char* bad : {"", " , ", "10.0.0.300", "10.0.0.0/33", "10.0.0.0/", "::1/129", "proxy.example", "1.2.3.4/8x"}) {
    EXPECT_FALSE(proxies.Add(bad, error)) << bad;
  }
  EXPECT_TRUE(proxies.Empty());
  ASSERT_TRUE(proxies.Add("127.0.0.5, 10.1.0.0/16", error)) << error;
  ASSERT_TRUE(proxies.Add("fd00::/8", error)) << error;
  EXPECT_TRUE(proxies.Trusts("127.0.0.5"));
  EXPECT_FALSE(proxies.Trusts("127.0.0.6"));
  EXPECT_TRUE(proxies.Trusts("10.1.255.3"));
  EXPECT_FALSE(proxies.Trusts("10.2.0.1"));
  EXPECT_TRUE(proxies.Trusts("fdab::1"));
  EXPECT_FALSE(proxies.Trusts("fe00::1"));
  EXPECT_FALSE(proxies.Trusts("not an address"));
}

TEST(TrustedProxiesTest, TheClientIsTheRightmostAddressNoTrustedProxyWrote) {
  TrustedProxies proxies;
  std::string error;
  ASSERT_TRUE(proxies.Add("127.0.0.5,10.1.0.0/16", error)) << error;
  auto client = [&](const std::string& headers, const std::string& peer = "127.0.0.5") {
    return proxies.ClientOf(Request("/", headers), peer);
  };
  EXPECT_EQ(client("X-Forwarded-For: 203.0.113.9\r\n", "198.51.100.1"), "198.51.100.1");  // not a proxy
  EXPECT_EQ(client(""), "127.0.0.5");
  EXPECT_EQ(client("X-Forwarded-For: 203.0.113.9\r\n"), "203.0.113.9");
  // What the client wrote itself stands left of what the proxies appended.
  EXPECT_EQ(client("x-forwarded-for: 1.1.1.1, 203.0.113.9, 10.1.2.3\r\n"), "203.0.113.9");
  EXPECT_EQ(client("X-Forwarded-For: 1.1.1.1\r\nX-Forwarded-For:203.0.113.9 \r\n"), "203.0.113.9");
  EXPECT_EQ(client("X-Forwarded-For: [2001:db8::1]:4711\r\n"), "2001:db8::1");
  EXPECT_EQ(client("X-Forwarded-For: ::ffff:203.0.113.9, 203.0.113.7:80\r\n"), "203.0.113.7");
  EXPECT_EQ(client("X-Forwarded-For: ::ffff:203.0.113.9\r\n"), "203.0.113.9");
  EXPECT_EQ(client("X-Forwarded-For: 10.1.0.1, 10.1.0.2\r\n"), "10.1.0.1");
  EXPECT_EQ(client("X-Forwarded-For: 203.0.113.9, unknown\r\n"), "127.0.0.5");
  EXPECT_EQ(client("X-Forwarded-For: 203.0.113.9, \r\n"), "203.0.113.9");
  EXPECT_EQ(client("X-Real-IP: 203.0.113.9\r\n"), "127.0.0.5");
  // Only headers count, not a body or anything after the blank line.
  EXPECT_EQ(client("\r\nX-Forwarded-For: 203.0.113.9\r\n"), "127.0.0.5");
}

class ForwardedServerTest : public testing::SqliteServerFixture {
 protected:
  void Serve(const std::string& trusted) {
    ConnectionLimits limits;
    std::string error;
    if (!trusted.empty()) {
      ASSERT_TRUE(limits.trustedProxies.Add(trusted, error)) << error;
    }
    SqliteServerFixture::Serve(limits);
  }
  // A submission with an unreadable line: refused 400, but counted against the limit first.
  std::string Submit(const std::string& from, const std::string& forwardedFor) {
    return Status(port_, from, "/cgi/version.pl?hs&prg=Tamarix&inf=A",
                  forwardedFor.empty() ? "" : "X-Forwarded-For: " + forwardedFor + "\r\n");
  }
};

TEST_F(ForwardedServerTest, WithoutTrustedProxiesTheHeaderIsIgnored) {
  Serve("");
  // Naming another address neither spares the sender's limit nor uses up the named one's.
  for (int i = 0; i < 30; ++i) EXPECT_EQ(Submit("127.0.6.1", "127.0.6.2"), "HTTP/1.1 400") << i;
  EXPECT_EQ(Submit("127.0.6.1", "203.0.113.200"), "HTTP/1.1 429");
  EXPECT_EQ(Submit("127.0.6.2", ""), "HTTP/1.1 400");
}

TEST_F(ForwardedServerTest, ThroughATrustedProxyTheLimitCountsTheForwardedClient) {
  Serve("127.0.7.1");
  for (int i = 0; i < 30; ++i) EXPECT_EQ(Submit("127.0.7.1", "203.0.113.1"), "HTTP/1.1 400") << i;
  EXPECT_EQ(Submit("127.0.7.1", "203.0.113.1"), "HTTP/1.1 429");
  // A forged entry left of the proxy's changes nothing.
  EXPECT_EQ(Submit("127.0.7.1", "198.51.100.4, 203.0.113.1"), "HTTP/1.1 429");
  EXPECT_EQ(Submit("127.0.7.1", "203.0.113.2"), "HTTP/1.1 400");
  // The proxy's own requests and a peer that is no proxy keep limits of their own.
  EXPECT_EQ(Submit("127.0.7.1", ""), "HTTP/1.1 400");
  EXPECT_EQ(Submit("127.0.7.2", "203.0.113.2"), "HTTP/1.1 400");
  for (int i = 0; i < 29; ++i) Submit("127.0.7.2", "203.0.113.2");
  EXPECT_EQ(Submit("127.0.7.2", "203.0.113.9"), "HTTP/1.1 429");
  EXPECT_EQ(Submit("127.0.7.1", "203.0.113.9"), "HTTP/1.1 400");
}

// The front alone, with a handler that holds every request until let go, so that requests stay
// open for as long as the test needs.
class HeldFront {
 public:
  explicit HeldFront(ConnectionLimits limits)
      : front_([this](std::string_view, const std::string& address) { return Hold(address); }, limits) {
    port_ = front_.Bind("127.0.0.1", 0);
    thread_ = std::thread([this] { front_.Run(); });
    while (!front_.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~HeldFront() {
    LetGo();
    front_.Stop();
    thread_.join();
  }
  int port() const { return port_; }
  // False when fewer arrive in 10 s: the front lost some.
  bool WaitForHeld(size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return held_.size() >= count; });
  }
  std::vector<std::string> Held() {
    std::lock_guard lock(mutex_);
    return held_;
  }
  void LetGo() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::string Hold(const std::string& address) {
    std::unique_lock lock(mutex_);
    held_.push_back(address);
    changed_.notify_all();
    changed_.wait(lock, [&] { return open_; });
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(address.size()) + "\r\n\r\n" + address;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> held_;
  bool open_ = false;
  ConnectionFront front_;
  int port_ = -1;
  std::thread thread_;
};

TEST(ForwardedFrontTest, TheCapOfAnAddressCountsTheClientAProxySpeaksFor) {
  ConnectionLimits limits;
  limits.perAddress = 2;
  std::string error;
  ASSERT_TRUE(limits.trustedProxies.Add("127.0.8.1", error)) << error;
  HeldFront front(limits);
  // A proxy carries many clients: its connections are not held to the cap of one address.
  std::vector<RawClient> idle;
  for (int i = 0; i < 5; ++i) idle.emplace_back(front.port(), "127.0.8.1");
  std::vector<RawClient> held;
  for (const char* client : {"203.0.113.1", "203.0.113.1", "203.0.113.2"}) {
    held.emplace_back(front.port(), "127.0.8.1");
    ASSERT_TRUE(held.back().Send(Request("/", std::string("X-Forwarded-For: ") + client + "\r\n")));
  }
  ASSERT_TRUE(front.WaitForHeld(3));
  EXPECT_EQ(Status(front.port(), "127.0.8.1", "/", "X-Forwarded-For: 203.0.113.1\r\n"), "HTTP/1.1 503");
  // A peer that is no proxy is held to its own cap, whatever it forwards.
  RawClient spoofing(front.port(), "127.0.8.2");
  ASSERT_TRUE(spoofing.Send(Request("/", "X-Forwarded-For: 203.0.113.3\r\n")));
  ASSERT_TRUE(front.WaitForHeld(4));
  RawClient direct(front.port(), "127.0.8.2");
  EXPECT_EQ(Status(front.port(), "127.0.8.2", "/", "X-Forwarded-For: 203.0.113.4\r\n"), "HTTP/1.1 503");
  front.LetGo();
  std::vector<std::string> answered;
  for (RawClient& client : held) {
    const std::string reply = client.ReadAll();
    answered.push_back(reply.substr(reply.find("\r\n\r\n") + 4));
  }
  EXPECT_EQ(answered, (std::vector<std::string>{"203.0.113.1", "203.0.113.1", "203.0.113.2"}));
  const std::string reply = spoofing.ReadAll();
  EXPECT_EQ(reply.substr(reply.find("\r\n\r\n") + 4), "127.0.8.2");
  // Places are given back when the requests are answered (just after their replies).
  std::string again;
  for (int attempt = 0; attempt < 50 && again != "HTTP/1.1 200"; ++attempt) {
    if (attempt) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    again = Status(front.port(), "127.0.8.1", "/", "X-Forwarded-For: 203.0.113.1\r\n");
  }
  EXPECT_EQ(again, "HTTP/1.1 200");
}

}  // namespace
}  // namespace zb::server
