#include "server/ConnectionFront.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <httplib.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>
#include <algorithm>

#include "server/RequestHead.h"

namespace zb::server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kBusy =
    "HTTP/1.1 503 Service Unavailable\r\nConnection: close\r\nContent-Length: 5\r\n"
    "Content-Type: text/plain; charset=utf-8\r\n\r\nbusy\n";
constexpr std::string_view kTimeout =
    "HTTP/1.1 408 Request Timeout\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
constexpr std::string_view kTooLarge =
    "HTTP/1.1 431 Request Header Fields Too Large\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
constexpr std::string_view kBodyTooLarge =
    "HTTP/1.1 413 Content Too Large\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
constexpr std::string_view kLengthRequired =
    "HTTP/1.1 411 Length Required\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";

// An owned file descriptor.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~Fd() { Reset(); }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// A short reply to a connection that gets no worker; whatever does not fit the socket buffer is
// dropped, the client is being turned away anyway.
void SayAndClose(Fd& fd, std::string_view reply) {
  (void)::send(fd.get(), reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  fd.Reset();
}

std::string PeerAddress(const sockaddr_storage& peer) {
  char text[INET6_ADDRSTRLEN] = {};
  if (peer.ss_family == AF_INET) {
    ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(peer).sin_addr, text, sizeof text);
  } else if (peer.ss_family == AF_INET6) {
    const auto& six = reinterpret_cast<const sockaddr_in6&>(peer).sin6_addr;
    if (IN6_IS_ADDR_V4MAPPED(&six)) {
      ::inet_ntop(AF_INET, &six.s6_addr[12], text, sizeof text);
    } else {
      ::inet_ntop(AF_INET6, &six, text, sizeof text);
    }
  }
  return text;
}

struct Connection {
  Fd fd;
  std::string address;  // the peer's, or the client a trusted proxy forwarded the request for
  bool counted = false;  // against the cap of `address`
  std::string request;
  Clock::time_point deadline;
  size_t headEnd = std::string::npos;  // once the blank line has come
  size_t length = 0;                   // of the whole request, once its head is read
  bool upload = false;                 // holds a place among the bodies being read or answered
};

}  // namespace

struct ConnectionFront::Impl {
  Handler handler;
  ConnectionLimits limits;
  Fd listener;
  Fd epoll;
  Fd wake;
  std::atomic<bool> running{false};
  std::atomic<bool> stopping{false};
  std::unordered_map<int, Connection> reading;  // event thread only
  std::unique_ptr<httplib::ThreadPool> workers;
  std::atomic<int> queued{0};  // handed to the workers, not yet answered

  // Open connections, reading or being answered; workers close theirs.
  std::mutex countMutex;
  int open = 0;
  int uploads = 0;
  std::unordered_map<std::string, int> openByAddress;

  // Takes a place of `address`; countMutex held.
  bool TakeAddressPlace(const std::string& address) {
    int& mine = openByAddress[address];
    if (mine >= limits.perAddress) {
      if (mine == 0) openByAddress.erase(address);
      return false;
    }
    ++mine;
    return true;
  }

  // A proxy's connection takes a place in the pool only: it carries many clients, and counts
  // against the cap of the one it speaks for once its request is read.
  bool Admit(const Connection& connection) {
    std::lock_guard lock(countMutex);
    if (open >= limits.maxConnections) return false;
    if (connection.counted && !TakeAddressPlace(connection.address)) return false;
    ++open;
    return true;
  }

  bool AdmitForwarded(Connection& connection) {
    connection.address = limits.trustedProxies.ClientOf(connection.request, connection.address);
    std::lock_guard lock(countMutex);
    return connection.counted = TakeAddressPlace(connection.address);
  }

  bool TakeUploadPlace(Connection& connection) {
    std::lock_guard lock(countMutex);
    if (uploads >= limits.uploads) return false;
    ++uploads;
    return connection.upload = true;
  }

  void Release(const Connection& connection) {
    std::lock_guard lock(countMutex);
    --open;
    if (connection.upload) --uploads;
    if (!connection.counted) return;
    const auto found = openByAddress.find(connection.address);
    if (found != openByAddress.end() && --found->second <= 0) openByAddress.erase(found);
  }

  void Drop(int fd, std::string_view reply) {
    const auto found = reading.find(fd);
    if (found == reading.end()) return;
    ::epoll_ctl(epoll.get(), EPOLL_CTL_DEL, fd, nullptr);
    if (!reply.empty()) SayAndClose(found->second.fd, reply);
    Release(found->second);
    reading.erase(found);
  }

  void AcceptAll() {
    for (;;) {
      sockaddr_storage peer{};
      socklen_t length = sizeof peer;
      Fd fd(::accept4(listener.get(), reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC));
      if (!fd) return;  // EAGAIN, or out of descriptors: the backlog waits for the next round
      Connection connection{std::move(fd), PeerAddress(peer), false, {}, Clock::now() + limits.requestDeadline};
      connection.request.reserve(1024);
      connection.counted = !limits.trustedProxies.Trusts(connection.address);
      if (!Admit(connection)) {
        SayAndClose(connection.fd, kBusy);
        continue;
      }
      const int on = 1;
      ::setsockopt(connection.fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      epoll_event event{};
      event.events = EPOLLIN;
      event.data.fd = connection.fd.get();
      if (::epoll_ctl(epoll.get(), EPOLL_CTL_ADD, connection.fd.get(), &event) != 0) {
        Release(connection);
        continue;
      }
      const int key = connection.fd.get();
      reading.emplace(key, std::move(connection));
    }
  }

  // Once the head has come: how long the whole request is, or the reply that turns it away.
  std::string_view Measure(Connection& connection) {
    const std::string_view text = connection.request;
    // One read may bring more than the cap of a head along with its end.
    if (connection.headEnd > limits.maxRequestBytes) return kTooLarge;
    const std::optional<RequestHead> head = ReadRequestHead(text.substr(0, connection.headEnd));
    if (!head || head->method != "POST" || head->path != limits.bodyPath) {
      // Everything else is a request without a body: the blank line ends it.
      if (text.size() > limits.maxRequestBytes) return kTooLarge;
      connection.length = text.size();
      return {};
    }
    if (head->transferEncoding || head->lengthUnreadable || !head->contentLength) return kLengthRequired;
    if (*head->contentLength > limits.maxBodyBytes) return kBodyTooLarge;
    if (!TakeUploadPlace(connection)) return kBusy;
    connection.length = connection.headEnd + *head->contentLength;
    connection.request.reserve(connection.length);
    return {};
  }

  void ReadFrom(int fd) {
    const auto found = reading.find(fd);
    if (found == reading.end()) return;
    Connection& connection = found->second;
    char buffer[16384];
    for (;;) {
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n > 0) {
        const size_t searched = connection.request.size();
        connection.request.append(buffer, static_cast<size_t>(n));
        if (connection.headEnd == std::string::npos) {
          connection.headEnd = HeadEnd(connection.request, searched);
          if (connection.headEnd == std::string::npos) {
            if (connection.request.size() > limits.maxRequestBytes) return Drop(fd, kTooLarge);
            continue;
          }
          if (const std::string_view refusal = Measure(connection); !refusal.empty()) return Drop(fd, refusal);
        }
        // One request a connection: whatever follows the body is not read.
        if (connection.request.size() >= connection.length) break;
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
      if (n < 0 && errno == EINTR) continue;
      return Drop(fd, {});  // closed or broken before the request was complete
    }
    if (connection.headEnd == std::string::npos || connection.request.size() < connection.length) return;
    if (connection.upload) connection.request.resize(connection.length);
    if (queued.load() >= limits.queuedRequests) return Drop(fd, kBusy);
    if (!connection.counted && !AdmitForwarded(connection)) return Drop(fd, kBusy);
    ::epoll_ctl(epoll.get(), EPOLL_CTL_DEL, fd, nullptr);
    auto job = std::make_shared<Connection>(std::move(connection));
    reading.erase(found);
    ++queued;
    workers->enqueue([this, job] { Answer(*job); });
  }

  void Answer(Connection& connection) {
    const std::string reply = handler(connection.request, connection.address);
    // The reply goes out blocking, but never for longer than the deadline of a request.
    const int flags = ::fcntl(connection.fd.get(), F_GETFL);
    ::fcntl(connection.fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    const auto ms = limits.requestDeadline.count();
    const timeval timeout{static_cast<time_t>(ms / 1000), static_cast<suseconds_t>(ms % 1000 * 1000)};
    ::setsockopt(connection.fd.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    for (size_t sent = 0; sent < reply.size();) {
      const ssize_t n = ::send(connection.fd.get(), reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
    // The places are free before the client can see the end of the reply, so that its next
    // request finds them free.
    Release(connection);
    --queued;
    ::shutdown(connection.fd.get(), SHUT_WR);
    connection.fd.Reset();
  }

  void DropExpired() {
    const auto now = Clock::now();
    std::vector<int> expired;
    for (const auto& [fd, connection] : reading) {
      if (connection.deadline <= now) expired.push_back(fd);
    }
    for (int fd : expired) Drop(fd, kTimeout);
  }
};

ConnectionFront::ConnectionFront(Handler handler, ConnectionLimits limits) : impl_(std::make_unique<Impl>()) {
  impl_->handler = std::move(handler);
  impl_->limits = limits;
  impl_->epoll = Fd(::epoll_create1(EPOLL_CLOEXEC));
  impl_->wake = Fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
}

ConnectionFront::~ConnectionFront() { Stop(); }

int ConnectionFront::Bind(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0) return -1;
  std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
  for (const addrinfo* at = found; at; at = at->ai_next) {
    Fd fd(::socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol));
    if (!fd) continue;
    const int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd.get(), at->ai_addr, at->ai_addrlen) != 0 || ::listen(fd.get(), SOMAXCONN) != 0) continue;
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0) continue;
    impl_->listener = std::move(fd);
    return ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(bound).sin6_port
                                             : reinterpret_cast<sockaddr_in&>(bound).sin_port);
  }
  return -1;
}

bool ConnectionFront::Run() {
  Impl& front = *impl_;
  if (!front.listener || front.running.exchange(true)) return false;
  if (!front.epoll || !front.wake) return front.running = false;
  for (int fd : {front.listener.get(), front.wake.get()}) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    ::epoll_ctl(front.epoll.get(), EPOLL_CTL_ADD, fd, &event);
  }
  front.workers = std::make_unique<httplib::ThreadPool>(static_cast<size_t>(std::max(1, front.limits.workers)));

  std::vector<epoll_event> events(256);
  auto nextSweep = Clock::now();
  while (!front.stopping.load()) {
    const int n = ::epoll_wait(front.epoll.get(), events.data(), static_cast<int>(events.size()), 100);
    for (int i = 0; i < n; ++i) {
      const int fd = events[static_cast<size_t>(i)].data.fd;
      if (fd == front.listener.get()) front.AcceptAll();
      else if (fd != front.wake.get()) front.ReadFrom(fd);
    }
    if (Clock::now() >= nextSweep) {
      front.DropExpired();
      nextSweep = Clock::now() + std::chrono::milliseconds(50);
    }
  }
  // Requests already read are answered; the ones still being read are not.
  front.workers->shutdown();
  front.workers.reset();
  std::vector<int> left;
  for (const auto& entry : front.reading) left.push_back(entry.first);
  for (int fd : left) front.Drop(fd, kBusy);
  front.listener.Reset();
  front.running = false;
  return true;
}

bool ConnectionFront::IsRunning() const { return impl_->running.load() && !impl_->stopping.load(); }

void ConnectionFront::Stop() {
  impl_->stopping = true;
  if (impl_->wake) {
    const uint64_t one = 1;
    (void)::write(impl_->wake.get(), &one, sizeof one);
  }
}

}  // namespace zb::server
