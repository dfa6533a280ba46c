#include "server/ScorePage.h"

#include <array>
#include <ctime>

#include "engine/Cp1251.h"
#include "persist/ScoreLine.h"

namespace zb::server {
namespace {

constexpr std::array<const char*, 3> kDifficultyNames = {"Easy", "Medium", "Hard"};

std::string PageLink(int difficulty, bool verifiedOnly) {
  return "/cgi/version.pl?prg=" + std::string(kScoreProgram) + "&amp;show&amp;type=" +
         std::to_string(difficulty) + (verifiedOnly ? "&amp;verified=1" : "");
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

std::string ScorePageHtml(int difficulty, const std::vector<StoredScore>& rows, PageView view) {
  // The view goes along with the links to the other difficulties where the server has two views.
  const bool keepView = view.verifiedOnly && view.allShown;
  const std::string title = std::string("Zumbala high scores: ") + kDifficultyNames.at(difficulty) +
                            (view.verifiedOnly ? ", verified games" : "");
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
      "</title>\n<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
      "td,th{padding:.2em .8em;text-align:left}.score{text-align:right}.verified{color:#080}</style>\n"
      "</head>\n<body>\n<h1>" + title + "</h1>\n<p>";
  for (int other = 0; other < static_cast<int>(kDifficultyNames.size()); ++other) {
    if (other == difficulty) continue;
    html += "<a href=\"" + PageLink(other, keepView) + "\">" + kDifficultyNames[static_cast<size_t>(other)] + "</a> ";
  }
  html += "</p>\n<p>";
  if (!view.allShown) {
    html += "Only games whose replay was verified are listed.";
  } else if (view.verifiedOnly) {
    html += "<a href=\"" + PageLink(difficulty, false) + "\">All scores</a>";
  } else {
    html += "<a href=\"" + PageLink(difficulty, true) + "\">Verified games only</a>";
  }
  html += "</p>\n";
  if (rows.empty()) {
    html += "<p>No scores yet.</p>\n";
  } else {
    html += "<table>\n<tr><th>#</th><th>Name</th><th>Country</th><th class=\"score\">Score</th>"
            "<th title=\"verified\">&#10003;</th><th>Date</th></tr>\n";
    int rank = 0;
    for (const StoredScore& row : rows) {
      html += "<tr><td>" + std::to_string(++rank) + "</td><td>" + EscapeHtml(Cp1251ToUtf8(row.name)) +
              "</td><td>" + EscapeHtml(Cp1251ToUtf8(row.country)) + "</td><td class=\"score\">" +
              std::to_string(row.score) + "</td><td class=\"verified\">" + (row.verified ? "\u2713" : "") +
              "</td><td>" + Date(row.time) + "</td></tr>\n";
    }
    html += "</table>\n<p>&#10003;: a replay of the game was played again and came to this score.</p>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace zb::server
