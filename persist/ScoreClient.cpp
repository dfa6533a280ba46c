#include "persist/ScoreClient.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "engine/platform/UrlShortcut.h"

#ifndef ZB_SCORE_SERVER
#define ZB_SCORE_SERVER "http://localhost:8642"
#endif

namespace zb {
namespace {

constexpr std::string_view kScript = "/cgi/version.pl";
constexpr std::string_view kReplayScript = "/cgi/replay.pl";
constexpr std::string_view kShortcut = "scores.url";
// A shortcut is a few lines; a larger file is not one.
constexpr size_t kMaxShortcutBytes = 64 * 1024;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

// "scheme://host[:port]" of an http or https URL; empty when it is neither or has no host.
std::string SchemeAndAuthority(std::string_view url) {
  size_t schemeEnd = 0;
  if (StartsWithNoCase(url, "http://")) schemeEnd = 7;
  else if (StartsWithNoCase(url, "https://")) schemeEnd = 8;
  else return {};
  const size_t authorityEnd = url.find_first_of("/?#", schemeEnd);
  const std::string_view authority = url.substr(schemeEnd, authorityEnd - schemeEnd);
  if (authority.empty() ||
      authority.find_first_of(" \t\r\n\"<>\\^`{|}") != std::string_view::npos) {
    return {};
  }
  return std::string(url.substr(0, schemeEnd + authority.size()));
}

std::string ShortcutBase(const std::filesystem::path& file) {
  const FileReadResult contents = ReadFileText(file, kMaxShortcutBytes);
  if (!contents.ok) return {};
  const auto url = platform::UrlFromShortcut(contents.bytes);
  return url ? SchemeAndAuthority(*url) : std::string();
}

// The text cut to what the server stores; `cut` notes that it was cut.
std::string Fitted(const std::string& text, size_t limit, bool& cut) {
  if (text.size() <= limit) return text;
  cut = true;
  return text.substr(0, limit);
}

std::string Request(std::string_view base, std::string_view query) {
  std::string url(base);
  url.append(kScript).append("?").append(query);
  return url;
}

// A query value with everything but unreserved characters percent-encoded: the token is the
// server's text, whatever it holds.
std::string QueryValue(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (std::isalnum(b) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

}  // namespace

std::string ScoreServerBase(const std::filesystem::path& gameFolder) {
  if (std::string base = ShortcutBase(gameFolder / kShortcut); !base.empty()) return base;
  const std::string_view fallback = ZB_SCORE_SERVER;
  if (std::string base = SchemeAndAuthority(fallback); !base.empty()) return base;
  return std::string(fallback);
}

std::string ScoreServerToken(std::string_view reply) {
  std::string_view rest = reply;
  std::string_view field;
  for (int pass = 0; pass < 5; ++pass) {
    const size_t bar = rest.find('|');
    if (bar == std::string_view::npos) {
      field = {};
      continue;
    }
    field = rest.substr(0, bar);
    rest.remove_prefix(bar + 1);
  }
  return std::string(field);
}

std::string ScorePageUrl(std::string_view base, int difficulty) {
  if (difficulty < 0 || difficulty > 2) return {};
  return Request(base, "prg=" + std::string(kScoreProgram) + "&show&type=" + std::to_string(difficulty));
}

TSubmitResult SubmitScore(platform::HttpClient& http, platform::Desktop& desktop, std::string_view base,
                          const TScoreSubmission& score, const TLanguage& language, std::string* spentToken) {
  const std::string program(kScoreProgram);
  const platform::HttpResponse version = http.Get(Request(base, "version&prg=" + program));
  const std::string reply = version.ok ? version.body : std::string();
  if (!reply.starts_with("OK")) {
    desktop.ShowMessageBox("Zumbala", "Can't connect to server!");
    return TSubmitResult::Unreachable;
  }
  TScoreLine line;
  line.Type = std::to_string(score.Difficulty);
  // A longer name or country (an old "Config.cfg" keeps up to 64 bytes) would be refused whole:
  // the beginning is sent, and the player is told.
  bool cut = false;
  line.Name = Fitted(score.Name, kMaxScoreNameBytes, cut);
  line.Score = std::to_string(score.Score);
  line.Token = ScoreServerToken(reply);
  line.Country = Fitted(score.Country, kMaxScoreCountryBytes, cut);
  if (cut) {
    desktop.ShowMessageBox("Zumbala", language.Tr("Имя игрока длиннее ") + std::to_string(kMaxScoreNameBytes) +
                                          language.Tr(" букв или название страны длиннее ") +
                                          std::to_string(kMaxScoreCountryBytes) +
                                          language.Tr(": на сервер отправлено только их начало."));
  }
  // The symbols are letters and digits only, so the query needs no escaping.
  const platform::HttpResponse sent =
      http.Get(Request(base, "hs&prg=" + program + "&inf=" + EncodeScoreLine(line)));
  if (sent.ok) {
    if (spentToken != nullptr) *spentToken = line.Token;
    return TSubmitResult::Sent;
  }
  // The server answered and refused the line, or it could not be reached in the end.
  const bool refused = sent.status >= 400 && sent.status < 500;
  desktop.ShowMessageBox("Zumbala", refused ? language.Tr("Сервер не принял рекорд.") : "Can't connect to server!");
  return TSubmitResult::NotStored;
}

bool ReplayIsOf(const TReplay& replay, const TScoreSubmission& score) {
  return replay.Difficulty == score.Difficulty && replay.Name == score.Name && replay.FinalScore == score.Score;
}

std::string SendReplay(platform::HttpClient& http, std::string_view base, std::string_view token,
                       const TReplay& replay) {
  if (token.empty()) return "the score was stored without a token";
  std::string url(base);
  url.append(kReplayScript).append("?token=").append(QueryValue(token));
  const platform::HttpResponse sent = http.Post(url, EncodeReplay(replay), "application/octet-stream");
  if (sent.ok) return {};
  std::string why = sent.error.empty() ? "HTTP status " + std::to_string(sent.status) : sent.error;
  // The server's one-line reason, when it gave one.
  if (!sent.body.empty() && sent.body.size() < 200) why += ": " + sent.body.substr(0, sent.body.find('\n'));
  return why;
}

bool OpenScorePage(platform::Desktop& desktop, std::string_view base, int difficulty) {
  const std::string url = ScorePageUrl(base, difficulty);
  return !url.empty() && desktop.ShellOpen(url, "");
}

}  // namespace zb
