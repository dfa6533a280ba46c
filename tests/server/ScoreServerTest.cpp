#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <atomic>
#include <optional>
#include <thread>

#include "engine/platform/headless/Headless.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "persist/ScoreClient.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"
#include "tests/server/PgCluster.h"

extern char** environ;

namespace zb::server {
namespace {

namespace fs = std::filesystem;

fs::path TestFolder(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info->name();
  std::replace(name.begin(), name.end(), '/', '-');
  fs::path folder = fs::temp_directory_path() /
                    (prefix + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// A port nobody listens on right now: bound, read and let go.
int UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = -1;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

class ScoreServerTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    folder_ = TestFolder("zb-scores-");
    std::string error;
    where_ = testing::NewStore(GetParam(), folder_);
    ASSERT_FALSE(where_.empty());
    store_ = ScoreStore::Open(where_, error);
    ASSERT_TRUE(store_) << error;
    service_ = std::make_unique<ScoreService>(*store_);
    server_ = std::make_unique<ScoreHttpServer>(*service_);
    const int port = server_->BindAnyPort("127.0.0.1");
    ASSERT_GT(port, 0);
    ASSERT_TRUE(server_->Start());
    base_ = "http://127.0.0.1:" + std::to_string(port);
  }

  void TearDown() override {
    http_.reset();  // its open connection would keep a server worker waiting
    server_.reset();
    service_.reset();
    store_.reset();
    fs::remove_all(folder_);
  }

  platform::HttpResponse Get(const std::string& query) {
    platform::CurlHttp http;
    return http.Get(base_ + "/cgi/version.pl?" + query);
  }

  std::string Token() {
    const platform::HttpResponse reply = Get("version&prg=Tamarix");
    EXPECT_TRUE(reply.ok);
    EXPECT_TRUE(reply.body.starts_with("OK|"));
    return ScoreServerToken(reply.body);
  }

  long Send(const TScoreLine& line) { return Get("hs&prg=Tamarix&inf=" + EncodeScoreLine(line)).status; }

  std::string Page(int difficulty) {
    const platform::HttpResponse page = Get("prg=Tamarix&show&type=" + std::to_string(difficulty));
    EXPECT_TRUE(page.ok) << page.error;
    return page.body;
  }

  fs::path folder_;
  std::string where_;
  std::unique_ptr<ScoreStore> store_;
  std::unique_ptr<ScoreService> service_;
  std::unique_ptr<ScoreHttpServer> server_;
  std::string base_;
  std::optional<platform::CurlHttp> http_{std::in_place};
  platform::HeadlessDesktop desktop_;
};

// The routes answer a raw request held in memory as they answer one over a socket; broken
// requests get an error reply, not a crash.
TEST_P(ScoreServerTest, ARawRequestInMemoryGetsTheSameAnswer) {
  const std::string version = server_->Answer("GET /cgi/version.pl?version&prg=Tamarix HTTP/1.1\r\nHost: x\r\n\r\n");
  EXPECT_EQ(version.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << version;
  EXPECT_NE(version.find("\r\n\r\nOK|Tamarix|1|0|"), std::string::npos) << version;
  const std::string head = server_->Answer("HEAD /cgi/version.pl?version&prg=Tamarix HTTP/1.1\r\n\r\n");
  EXPECT_EQ(head.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << head;
  EXPECT_TRUE(head.ends_with("\r\n\r\n")) << head;
  for (const char* elsewhere : {"GET /elsewhere", "GET /cgi/versionXpl?version&prg=Tamarix",
                                "GET /cgi/version.pl/?version&prg=Tamarix", "DELETE /cgi/version.pl?version&prg=Tamarix"}) {
    const std::string other = server_->Answer(std::string(elsewhere) + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(other.rfind("HTTP/1.1 404", 0), 0u) << elsewhere << ": " << other;
  }
  for (const std::string& broken : {std::string(), std::string("\0\0\xFF", 3), std::string("GET\r\n\r\n"),
                                   std::string("GET /cgi/version.pl?%%%&&==&prg HTTP/1.1\r\nHost\r\n\r\n")}) {
    const std::string reply = server_->Answer(broken);
    EXPECT_TRUE(reply.empty() || reply.rfind("HTTP/1.1 4", 0) == 0) << reply;
  }
}

TEST_P(ScoreServerTest, ASubmittedScoreAppearsOnThePageOfItsDifficulty) {
  const TScoreSubmission score{
      .Difficulty = 1, .Name = "\xCF\xF3\xEC\xEA\xE0", .Country = "Peru", .Score = 4321};
  EXPECT_EQ(SubmitScore(*http_, desktop_, base_, score), TSubmitResult::Sent);
  EXPECT_EQ(SubmitScore(*http_, desktop_, base_, {.Difficulty = 1, .Name = "Low", .Score = 7}),
            TSubmitResult::Sent);
  EXPECT_TRUE(desktop_.messageBoxes.empty());
  EXPECT_EQ(store_->Count(), 2);

  const std::string medium = Page(1);
  const size_t name = medium.find("<td>\xD0\x9F\xD1\x83\xD0\xBC\xD0\xBA\xD0\xB0</td>");  // UTF-8 "Пумка"
  ASSERT_NE(name, std::string::npos) << medium;
  EXPECT_NE(medium.find("<td>Peru</td><td class=\"score\">4321</td>"), std::string::npos);
  EXPECT_LT(name, medium.find("<td>Low</td>"));
  EXPECT_NE(medium.find("href=\"/cgi/version.pl?prg=Tamarix&amp;show&amp;type=0\""), std::string::npos);
  EXPECT_NE(medium.find("href=\"/cgi/version.pl?prg=Tamarix&amp;show&amp;type=2\""), std::string::npos);
  EXPECT_EQ(Page(0).find("4321"), std::string::npos);
  EXPECT_EQ(Page(2).find("4321"), std::string::npos);
}

TEST_P(ScoreServerTest, ATokenIsSpentByOneStoredScoreOnly) {
  const std::string token = Token();
  ASSERT_EQ(token.size(), 32u);
  // Bad lines are refused without spending it.
  EXPECT_EQ(Send({"1", "Ann", "12345678901234567890", token, ""}), 400);
  EXPECT_EQ(Send({"3", "Ann", "5", token, ""}), 400);
  EXPECT_EQ(Send({"1", std::string(17, 'a'), "5", token, ""}), 400);
  EXPECT_EQ(Send({"1", "Ann", "5", token, ""}), 200);
  EXPECT_EQ(Send({"1", "Ann", "5", token, ""}), 400);  // replayed
  EXPECT_EQ(Send({"1", "Ann", "5", "not-a-token", ""}), 400);
  EXPECT_EQ(Send({"1", "Ann", "5", "", ""}), 400);
  EXPECT_EQ(store_->Count(), 1);
}

TEST_P(ScoreServerTest, UnreadableRequestsAreRefusedAndStoreNothing) {
  const std::string token = Token();
  const std::string good = EncodeScoreLine({"0", "Ann", "5", token, ""});
  EXPECT_EQ(Get("hs&prg=Tamarix&inf=hello").status, 400);
  EXPECT_EQ(Get("hs&prg=Tamarix&inf=").status, 400);
  EXPECT_EQ(Get("hs&prg=Tamarix").status, 400);
  EXPECT_EQ(Get("hs&prg=Tamarix&inf=" + good.substr(0, good.size() - 8)).status, 400);
  EXPECT_EQ(Get("hs&prg=Other&inf=" + good).status, 400);
  EXPECT_EQ(Get("hs&inf=" + good).status, 400);
  EXPECT_EQ(Get("prg=Tamarix&show&type=3").status, 400);
  EXPECT_EQ(Get("prg=Tamarix&show").status, 400);
  EXPECT_EQ(Get("prg=Tamarix").status, 400);
  platform::CurlHttp http;
  EXPECT_EQ(http.Get(base_ + "/cgi/other.pl?version&prg=Tamarix").status, 404);
  EXPECT_EQ(store_->Count(), 0);
  EXPECT_EQ(Get("hs&prg=Tamarix&inf=" + good).status, 200);
}

TEST_P(ScoreServerTest, HtmlInANameIsShownAsText) {
  EXPECT_EQ(SubmitScore(*http_, desktop_, base_,
                        {.Difficulty = 2, .Name = "<b>&x</b>", .Country = "\"'><i>", .Score = 10}),
            TSubmitResult::Sent);
  const std::string hard = Page(2);
  EXPECT_NE(hard.find("<td>&lt;b&gt;&amp;x&lt;/b&gt;</td>"), std::string::npos) << hard;
  EXPECT_NE(hard.find("<td>&quot;&#39;&gt;&lt;i&gt;</td>"), std::string::npos) << hard;
  EXPECT_EQ(hard.find("<b>"), std::string::npos);
  EXPECT_EQ(hard.find("<i>"), std::string::npos);
}

TEST_P(ScoreServerTest, ThirtySubmissionsAMinuteFromOneAddress) {
  for (int i = 0; i < 30; ++i) EXPECT_EQ(Get("hs&prg=Tamarix&inf=A").status, 400) << i;
  EXPECT_EQ(Get("hs&prg=Tamarix&inf=A").status, 429);
  EXPECT_EQ(Send({"0", "Ann", "5", Token(), ""}), 429);
  // Version checks and pages are not submissions.
  EXPECT_TRUE(Get("version&prg=Tamarix").ok);
  EXPECT_TRUE(Get("prg=Tamarix&show&type=0").ok);
}

TEST_P(ScoreServerTest, WithTheServerDownThePlayerIsToldAndTheGameGoesOn) {
  server_->Stop();
  EXPECT_EQ(SubmitScore(*http_, desktop_, base_, {.Difficulty = 0, .Name = "Ann", .Score = 5}),
            TSubmitResult::Unreachable);
  ASSERT_EQ(desktop_.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop_.messageBoxes[0].second, "Can't connect to server!");
  const std::string nobody = "http://127.0.0.1:" + std::to_string(UnusedPort());
  EXPECT_EQ(SubmitScore(*http_, desktop_, nobody, {.Difficulty = 0, .Name = "Ann", .Score = 5}),
            TSubmitResult::Unreachable);
  EXPECT_EQ(desktop_.messageBoxes.size(), 2u);
}

// Two instances on one PostgreSQL behave as one server: a token from one works once on the
// other, racing requests spend it once, and the limit of an address counts both.
TEST(SharedStoreTest, TwoInstancesAgreeOnTokensAndTheLimit) {
  testing::PgCluster& cluster = testing::PgCluster::Get();
  ASSERT_TRUE(cluster.Ok()) << cluster.Why();
  const std::string url = cluster.NewDatabase();
  std::string error;
  auto storeA = ScoreStore::Open(url, error);
  ASSERT_TRUE(storeA) << error;
  auto storeB = ScoreStore::Open(url, error);
  ASSERT_TRUE(storeB) << error;
  ScoreService a(*storeA), b(*storeB);
  auto token = [&](ScoreService& service) {
    return service.Handle({{"prg", "Tamarix"}, {"version", ""}}, "10.0.0.1").body.substr(15, 32);
  };
  auto submit = [](ScoreService& service, const std::string& token, const std::string& address) {
    const std::string line = EncodeScoreLine({"0", "Ann", "5", token, ""});
    return service.Handle({{"prg", "Tamarix"}, {"hs", ""}, {"inf", line}}, address).status;
  };
  const std::string fromA = token(a);
  EXPECT_EQ(submit(b, fromA, "10.0.0.1"), 200);
  EXPECT_EQ(submit(a, fromA, "10.0.0.1"), 400);
  EXPECT_EQ(submit(b, fromA, "10.0.0.1"), 400);

  for (int round = 0; round < 5; ++round) {
    const std::string raced = token(a);
    std::atomic<int> won{0};
    std::vector<std::thread> racers;
    for (int i = 0; i < 8; ++i) {
      racers.emplace_back([&, i] {
        if (submit(i % 2 ? a : b, raced, "10.0.1." + std::to_string(i)) == 200) ++won;
      });
    }
    for (auto& racer : racers) racer.join();
    EXPECT_EQ(won.load(), 1) << round;
  }
  EXPECT_EQ(storeA->Count(), 6);

  // 30 a minute from one address, whichever instance it reaches.
  int accepted = 0;
  for (int i = 0; i < 40; ++i) accepted += submit(i % 2 ? a : b, "nothing", "10.0.2.1") != 429;
  EXPECT_EQ(accepted, 30);
}

INSTANTIATE_TEST_SUITE_P(Stores, ScoreServerTest, ::testing::Values("sqlite", "postgresql"));

TEST(ScoreServerProgramTest, ServesUntilTerminatedThenStopsCleanly) {
  const fs::path folder = TestFolder("zb-scores-program-");
  const int port = UnusedPort();
  ASSERT_GT(port, 0);
  const std::string program = ZB_SCORES;
  const std::string portText = std::to_string(port);
  const std::string db = (folder / "scores.db").string();
  std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>("--port"),
                             const_cast<char*>(portText.c_str()), const_cast<char*>("--db"),
                             const_cast<char*>(db.c_str()), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
  // Should the test stop early, the server does not outlive it.
  struct Reaper {
    pid_t& pid;
    ~Reaper() {
      if (pid <= 0) return;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  } reaper{pid};

  {
    platform::CurlHttp http;
    platform::HttpResponse reply;
    for (int attempt = 0; attempt < 100 && !reply.ok; ++attempt) {
      reply = http.Get("http://127.0.0.1:" + portText + "/cgi/version.pl?version&prg=Tamarix");
      if (!reply.ok) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(reply.body.starts_with("OK|")) << reply.error;
    const std::string token = ScoreServerToken(reply.body);
    EXPECT_TRUE(http.Get("http://127.0.0.1:" + portText + "/cgi/version.pl?hs&prg=Tamarix&inf=" +
                         EncodeScoreLine({"0", "Ann", "5", token, ""}))
                    .ok);
  }
  ASSERT_EQ(::kill(pid, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  pid = 0;
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  std::string error;
  auto store = ScoreStore::Open(db, error);
  ASSERT_TRUE(store) << error;
  EXPECT_EQ(store->Count(), 1);
  store.reset();
  fs::remove_all(folder);
}

// The program as an unprivileged user would run it (root writes any file): `command` prefixed.
std::string AsUnprivileged(const std::string& command) {
  return ::geteuid() == 0 ? "runuser -u nobody -- " + command : command;
}

TEST(ScoreServerProgramTest, ADatabaseThatCannotBeWrittenIsRefusedAtStart) {
  const fs::path folder = TestFolder("zb-scores-readonly-");
  const fs::path db = folder / "scores.db";
  {
    std::string error;
    ASSERT_TRUE(ScoreStore::Open(db, error)) << error;
  }
  fs::permissions(db, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(folder, fs::perms::all);
  // The unprivileged user may not reach the build folder (a private checkout): a copy it can run.
  const fs::path program = folder / "zumbala-scores";
  fs::copy_file(ZB_SCORES, program);
  fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  const fs::path said = folder / "stderr";
  const int status = std::system(
      (AsUnprivileged(program.string() + " --port " + std::to_string(UnusedPort()) + " --db " + db.string()) +
       " 2>" + said.string())
          .c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::ifstream in(said);
  const std::string message((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(message.find("cannot be written"), std::string::npos) << message;
  fs::remove_all(folder);
}

TEST(ScoreServerProgramTest, ADeletedDatabaseStopsTheProgramWithAMessage) {
  const fs::path folder = TestFolder("zb-scores-deleted-");
  const std::string db = (folder / "scores.db").string();
  const std::string port = std::to_string(UnusedPort());
  const std::string said = (folder / "stderr").string();
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<const char*> argv = {ZB_SCORES, "--port", port.c_str(), "--db", db.c_str(), nullptr};
  ASSERT_EQ(posix_spawn(&pid, ZB_SCORES, &actions, nullptr, const_cast<char**>(argv.data()), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  for (int attempt = 0; attempt < 100 && !fs::exists(db); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  fs::remove(db);
  int status = 0;
  pid_t ended = 0;
  for (int attempt = 0; attempt < 100 && ended == 0; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ended = ::waitpid(pid, &status, WNOHANG);
  }
  if (ended == 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  ASSERT_EQ(ended, pid) << "the program went on serving a deleted database";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::ifstream in(said);
  const std::string message((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(message.find("was deleted while serving"), std::string::npos) << message;
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zb::server
