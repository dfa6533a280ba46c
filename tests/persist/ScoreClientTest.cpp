#include "persist/ScoreClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Cp1251.h"
#include "engine/platform/headless/Headless.h"
#include "server/ScoreService.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBase = "http://scores.test:8642";
constexpr const char* kVersionUrl = "http://scores.test:8642/cgi/version.pl?version&prg=Tamarix";
constexpr const char* kSubmitPrefix = "http://scores.test:8642/cgi/version.pl?hs&prg=Tamarix&inf=";

// RFC 4648 base32 decoding written independently of the game's encoder: the game's alphabet
// is the same 32 symbols, so this reads the symbols back to the bytes that were sent.
std::string Base32Bytes(std::string_view symbols) {
  const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
  std::string bytes;
  uint32_t buffer = 0;
  int bits = 0;
  for (char c : symbols) {
    buffer = (buffer << 5) | static_cast<uint32_t>(alphabet.find(c));
    bits += 5;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((buffer >> bits) & 0xFF);
    }
  }
  return bytes;
}

class ScoreClientTest : public ::testing::Test {
 protected:
  // Submits and returns the sent line's bytes; empty when no submission was made.
  std::string Submit(const TScoreSubmission& score) {
    result = SubmitScore(http, desktop, kBase, score);
    if (http.Requests().size() < 2) return {};
    const std::string& url = http.Requests()[1];
    EXPECT_TRUE(url.starts_with(kSubmitPrefix)) << url;
    symbols = url.substr(std::string_view(kSubmitPrefix).size());
    return Base32Bytes(symbols);
  }

  platform::ScriptedHttp http;
  platform::HeadlessDesktop desktop;
  TSubmitResult result = TSubmitResult::Unreachable;
  std::string symbols;
};

TEST_F(ScoreClientTest, SendsTheVersionCheckThenTheLineSymbolBySymbol) {
  http.Reply("OK|a|b|c|T|");
  http.Reply("");
  const std::string sent = Submit({.Difficulty = 1, .Name = "Ann", .Country = "", .Score = 1234});
  ASSERT_EQ(http.Requests().size(), 2u);
  EXPECT_EQ(http.Requests()[0], kVersionUrl);
  // 44 bytes, so one "0" reaches 45; symbols worked out with a separate base32 encoder.
  EXPECT_EQ(sent, "type=1|name=Ann|score=1234|key=X|p=T|add=|z=0");
  EXPECT_EQ(symbols, "OR4XAZJ5GF6G4YLNMU6UC3TOPRZWG33SMU6TCMRTGR6GWZLZHVMHY4B5KR6GCZDEHV6HUPJQ");
  // "type=" by hand: 01110 10001 11100 10111 00000 11001 01001 11101 = 14 17 28 23 0 25 9 29.
  EXPECT_TRUE(symbols.starts_with("OR4XAZJ5"));
  EXPECT_EQ(result, TSubmitResult::Sent);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(ScoreClientTest, CyrillicNameAndCountryGoAsTheirStoredBytes) {
  http.Reply("OK|x|y|z|4|tail");
  http.Reply("");
  const std::string name = "\xCF\xF3\xEC\xEA\xE0";      // "Пумка"
  const std::string country = "\xD0\xEE\xF1\xF1\xE8\xFF";  // "Россия"
  const std::string sent = Submit({.Difficulty = 0, .Name = name, .Country = country, .Score = 987});
  // 51 bytes: four "0"s reach 55.
  EXPECT_EQ(sent, "type=0|name=" + name + "|score=987|key=X|p=4|add=" + country + "|z=0000");
  EXPECT_EQ(symbols,
            "OR4XAZJ5GB6G4YLNMU64747M5LQHY43DN5ZGKPJZHA3XY23FPE6VQ7DQHU2HYYLEMQ65B3XR6HUP67D2HUYDAMBQ");
}

TEST_F(ScoreClientTest, ReplyOfExactlyOkSendsAnEmptyTokenAndALineAlreadyAMultipleOfFive) {
  http.Reply("OK");
  http.Reply("");
  const std::string sent = Submit({.Difficulty = 2, .Name = "Bob", .Country = "USA", .Score = 100});
  // 45 bytes: nothing is appended after "z=".
  EXPECT_EQ(sent, "type=2|name=Bob|score=100|key=X|p=|add=USA|z=");
  EXPECT_EQ(symbols, "OR4XAZJ5GJ6G4YLNMU6UE33CPRZWG33SMU6TCMBQPRVWK6J5LB6HAPL4MFSGIPKVKNAXY6R5");
}

TEST_F(ScoreClientTest, TokenIsTheFifthFieldOfTheReply) {
  EXPECT_EQ(ScoreServerToken("OK|f1|f2|f3|f4|f5|f6"), "f4");
  EXPECT_EQ(ScoreServerToken("OK|1|0|0|abc|"), "abc");
  // Four "|": the fifth pass finds none, so the token is empty.
  EXPECT_EQ(ScoreServerToken("OK|a|b|c|d"), "");
  EXPECT_EQ(ScoreServerToken("OK"), "");
  EXPECT_EQ(ScoreServerToken("OK||||"), "");
  EXPECT_EQ(ScoreServerToken("OK|||||"), "");

  http.Reply("OK|f1|f2|f3|f4|f5|f6");
  http.Reply("");
  const std::string sent = Submit({.Difficulty = 0, .Name = "A", .Country = "B", .Score = 0});
  EXPECT_NE(sent.find("|key=X|p=f4|add=B|z="), std::string::npos) << sent;
}

TEST_F(ScoreClientTest, AnythingButAnExactOkShowsTheMessageAndSendsNothing) {
  http.Reply("ok|a|b|c|d|");               // the comparison is exact
  http.Fail();                              // no connection
  http.Reply("OK|a|b|c|d|", 500);           // an error status, whatever the body
  http.Reply(" OK|a|b|c|d|");
  http.Reply("");
  for (int attempt = 0; attempt < 5; ++attempt) {
    EXPECT_EQ(SubmitScore(http, desktop, kBase, {.Difficulty = 0, .Name = "A", .Score = 5}),
              TSubmitResult::Unreachable)
        << attempt;
  }
  EXPECT_EQ(http.Requests().size(), 5u);
  for (const std::string& url : http.Requests()) EXPECT_EQ(url, kVersionUrl);
  ASSERT_EQ(desktop.messageBoxes.size(), 5u);
  EXPECT_EQ(desktop.messageBoxes[0].second, "Can't connect to server!");
}

TEST_F(ScoreClientTest, AFailedSubmissionIsShownAsTheFailedCheckIsAndARefusalSaysSo) {
  http.Reply("OK|1|0|0|t|");
  http.Fail();  // no connection, or the time ran out
  EXPECT_EQ(SubmitScore(http, desktop, kBase, {.Difficulty = 0, .Name = "A", .Score = 5}),
            TSubmitResult::NotStored);
  http.Reply("OK|1|0|0|t|");
  http.Reply("", 500);
  EXPECT_EQ(SubmitScore(http, desktop, kBase, {.Difficulty = 0, .Name = "A", .Score = 5}),
            TSubmitResult::NotStored);
  http.Reply("OK|1|0|0|t|");
  http.Reply("refused", 400);
  EXPECT_EQ(SubmitScore(http, desktop, kBase, {.Difficulty = 0, .Name = "A", .Score = 5}),
            TSubmitResult::NotStored);
  EXPECT_EQ(http.Requests().size(), 6u);
  ASSERT_EQ(desktop.messageBoxes.size(), 3u);
  EXPECT_EQ(desktop.messageBoxes[0].second, "Can't connect to server!");
  EXPECT_EQ(desktop.messageBoxes[1].second, "Can't connect to server!");
  EXPECT_EQ(desktop.messageBoxes[2].second, Utf8ToCp1251("Сервер не принял рекорд."));
}

TEST_F(ScoreClientTest, NamesAndCountriesLongerThanTheServerStoresAreCutAndThePlayerIsTold) {
  // The server's own limits: a line within them is stored, one beyond them refused.
  static_assert(kMaxScoreNameBytes == server::kMaxNameBytes);
  static_assert(kMaxScoreCountryBytes == server::kMaxCountryBytes);
  const std::string longest(16, 'N');
  http.Reply("OK|1|0|0|t|");
  http.Reply("OK");
  EXPECT_NE(Submit({.Difficulty = 0, .Name = longest, .Country = std::string(32, 'C'), .Score = 5}).find(
                "|name=" + longest + "|"),
            std::string::npos);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  http.Reply("OK|1|0|0|t|");
  http.Reply("OK");
  const std::string sent = Submit({.Difficulty = 0, .Name = std::string(64, 'N'), .Country = std::string(40, 'C'),
                                   .Score = 5});
  EXPECT_EQ(result, TSubmitResult::Sent);
  EXPECT_NE(sent.find("|name=" + longest + "|"), std::string::npos) << sent;
  EXPECT_NE(sent.find("|add=" + std::string(32, 'C') + "|z="), std::string::npos) << sent;
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_NE(desktop.messageBoxes[0].second.find(Utf8ToCp1251("Имя игрока длиннее 16 букв")), std::string::npos);
}

TEST_F(ScoreClientTest, ScorePagesOfTheThreeDifficultiesAndNoOther) {
  EXPECT_TRUE(OpenScorePage(desktop, kBase, 1));
  EXPECT_TRUE(OpenScorePage(desktop, kBase, 0));
  EXPECT_FALSE(OpenScorePage(desktop, kBase, 3));
  EXPECT_FALSE(OpenScorePage(desktop, kBase, -1));
  ASSERT_EQ(desktop.shellOpens.size(), 2u);
  EXPECT_EQ(desktop.shellOpens[0].first, "http://scores.test:8642/cgi/version.pl?prg=Tamarix&show&type=1");
  EXPECT_EQ(desktop.shellOpens[1].first, "http://scores.test:8642/cgi/version.pl?prg=Tamarix&show&type=0");
  EXPECT_EQ(ScorePageUrl(kBase, 2), "http://scores.test:8642/cgi/version.pl?prg=Tamarix&show&type=2");
}

class ScoreServerBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zb-scorebase-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  void WriteShortcut(const std::string& contents) {
    std::ofstream(folder_ / "scores.url", std::ios::binary) << contents;
  }

  fs::path folder_;
};

TEST_F(ScoreServerBaseTest, TheBuildsDefaultWithoutAShortcut) {
  EXPECT_EQ(ScoreServerBase(folder_), ZB_SCORE_SERVER);
  EXPECT_EQ(ScoreServerBase(folder_ / "missing"), ZB_SCORE_SERVER);
}

TEST_F(ScoreServerBaseTest, TheShortcutGivesSchemeHostAndPort) {
  WriteShortcut("[InternetShortcut]\r\nURL=http://scores.example.org:8080/cgi/x.pl?y#z\r\n");
  EXPECT_EQ(ScoreServerBase(folder_), "http://scores.example.org:8080");
  WriteShortcut("[InternetShortcut]\nURL=HTTPS://scores.example.org/\n");
  EXPECT_EQ(ScoreServerBase(folder_), "HTTPS://scores.example.org");
  WriteShortcut("URL=http://127.0.0.1:9000");
  EXPECT_EQ(ScoreServerBase(folder_), "http://127.0.0.1:9000");
}

TEST_F(ScoreServerBaseTest, AnUnusableShortcutFallsBackToTheDefault) {
  for (const char* contents : {"", "[InternetShortcut]\r\n", "URL=ftp://scores.example.org/",
                               "URL=javascript:alert(1)", "URL=http:///path", "URL=http://a b/",
                               "URL=file:///etc/passwd"}) {
    WriteShortcut(contents);
    EXPECT_EQ(ScoreServerBase(folder_), ZB_SCORE_SERVER) << contents;
  }
  fs::remove(folder_ / "scores.url");
  fs::create_directory(folder_ / "scores.url");  // a folder of that name is no shortcut
  EXPECT_EQ(ScoreServerBase(folder_), ZB_SCORE_SERVER);
}

// The replay goes with the token the stored score spent; nothing is shown whatever becomes of it.
TEST(SendReplayTest, PostsTheReplayWithTheSpentTokenAndSaysWhyNot) {
  platform::ScriptedHttp http;
  platform::HeadlessDesktop desktop;
  http.Reply("OK|a|b|c|to k&1|");
  http.Reply("OK\n");
  std::string token;
  ASSERT_EQ(SubmitScore(http, desktop, kBase, {.Difficulty = 1, .Name = "Ann", .Score = 40}, TLanguage(), &token),
            TSubmitResult::Sent);
  EXPECT_EQ(token, "to k&1");

  TReplay replay;
  replay.Difficulty = 1;
  replay.Name = "Ann";
  replay.FinalScore = 40;
  replay.Frames = 3;
  EXPECT_TRUE(ReplayIsOf(replay, {.Difficulty = 1, .Name = "Ann", .Score = 40}));
  EXPECT_FALSE(ReplayIsOf(replay, {.Difficulty = 1, .Name = "Ann", .Score = 41}));
  EXPECT_FALSE(ReplayIsOf(replay, {.Difficulty = 0, .Name = "Ann", .Score = 40}));
  EXPECT_FALSE(ReplayIsOf(replay, {.Difficulty = 1, .Name = "Bob", .Score = 40}));

  http.Reply("queued\n", 202);
  EXPECT_EQ(SendReplay(http, kBase, token, replay), "");
  ASSERT_EQ(http.Requests().size(), 3u);
  EXPECT_EQ(http.Requests()[2], "POST http://scores.test:8642/cgi/replay.pl?token=to%20k%261");
  ASSERT_EQ(http.Bodies().size(), 1u);
  const TReplayReadResult sent = DecodeReplay(http.Bodies()[0]);
  ASSERT_TRUE(sent.Replay) << sent.Error;
  EXPECT_EQ(*sent.Replay, replay);

  http.Reply("the score has its replay already\n", 409);
  EXPECT_EQ(SendReplay(http, kBase, token, replay), "HTTP status 409: the score has its replay already");
  EXPECT_FALSE(SendReplay(http, kBase, token, replay).empty());  // nothing scripted: unreachable
  EXPECT_EQ(SendReplay(http, kBase, "", replay), "the score was stored without a token");
  EXPECT_EQ(http.Requests().size(), 5u);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

}  // namespace
}  // namespace zb
