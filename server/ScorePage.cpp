#include "server/ScorePage.h"

#include <array>
#include <ctime>

#include "engine/Cp1251.h"
#include "persist/ScoreLine.h"

namespace zb::server {
namespace {

constexpr std::array<const char*, 3> kDifficultyNames = {"Easy", "Medium", "Hard"};

std::string PageLink(int difficulty) {
  return "/cgi/version.pl?prg=" + std::string(kScoreProgram) + "&amp;show&amp;type=" +
         std::to_string(difficulty);
}

std::string Date(int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  if (!gmtime_r(&time, &utc)) return {};
  char text[32];
  return std::strftime(text, sizeof text, "%Y-%m-%d", &utc) ? std::string(text) : std::string();
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string ScorePageHtml(int difficulty, const std::vector<StoredScore>& rows) {
  const std::string title = std::string("Zumbala high scores: ") + kDifficultyNames.at(difficulty);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
      "</title>\n<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
      "td,th{padding:.2em .8em;text-align:left}.score{text-align:right}</style>\n"
      "</head>\n<body>\n<h1>" + title + "</h1>\n<p>";
  for (int other = 0; other < static_cast<int>(kDifficultyNames.size()); ++other) {
    if (other == difficulty) continue;
    html += "<a href=\"" + PageLink(other) + "\">" + kDifficultyNames[static_cast<size_t>(other)] + "</a> ";
  }
  html += "</p>\n";
  if (rows.empty()) {
    html += "<p>No scores yet.</p>\n";
  } else {
    html += "<table>\n<tr><th>#</th><th>Name</th><th>Country</th>"
            "<th class=\"score\">Score</th><th>Date</th></tr>\n";
    int rank = 0;
    for (const StoredScore& row : rows) {
      html += "<tr><td>" + std::to_string(++rank) + "</td><td>" + EscapeHtml(Cp1251ToUtf8(row.name)) +
              "</td><td>" + EscapeHtml(Cp1251ToUtf8(row.country)) + "</td><td class=\"score\">" +
              std::to_string(row.score) + "</td><td>" + Date(row.time) + "</td></tr>\n";
    }
    html += "</table>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace zb::server
