#include "persist/ScoreLine.h"

#include <algorithm>

#include "persist/LineCode.h"

namespace zb {
namespace {

constexpr std::string_view kType = "type=";
constexpr std::string_view kName = "|name=";
constexpr std::string_view kScore = "|score=";
constexpr std::string_view kKey = "|key=X|p=";
constexpr std::string_view kAdd = "|add=";
constexpr std::string_view kEnd = "|z=";
// Far more than the longest line the game sends (about 130 bytes).
constexpr size_t kMaxSymbols = 1024;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Score, token and country of `rest`, which begins just after a "|score=".
std::optional<TScoreLine> ParseTail(std::string_view rest, std::string_view countryAndEnd) {
  const size_t digits = static_cast<size_t>(
      std::find_if_not(rest.begin(), rest.end(), IsDigit) - rest.begin());
  if (digits == 0) return std::nullopt;
  TScoreLine line;
  line.Score = std::string(rest.substr(0, digits));
  rest.remove_prefix(digits);
  if (!rest.starts_with(kKey)) return std::nullopt;
  rest.remove_prefix(kKey.size());
  const size_t bar = rest.find('|');
  if (bar == std::string_view::npos) return std::nullopt;
  line.Token = std::string(rest.substr(0, bar));
  rest.remove_prefix(bar);
  if (!rest.starts_with(kAdd)) return std::nullopt;
  rest.remove_prefix(kAdd.size());
  // The country runs up to the "|z=" that closes the whole line.
  if (rest.size() < countryAndEnd.size()) return std::nullopt;
  const size_t countryLength = rest.size() - countryAndEnd.size();
  line.Country = std::string(rest.substr(0, countryLength));
  return line;
}

}  // namespace

std::string ScoreLineText(const TScoreLine& line) {
  std::string text;
  text.reserve(64 + line.Name.size() + line.Token.size() + line.Country.size());
  text.append(kType).append(line.Type);
  text.append(kName).append(line.Name);
  text.append(kScore).append(line.Score);
  text.append(kKey).append(line.Token);
  text.append(kAdd).append(line.Country);
  text.append(kEnd);
  while (text.size() % 5 != 0) text += '0';
  return text;
}

std::string EncodeScoreLine(const TScoreLine& line) { return EncodeLine(ScoreLineText(line)); }

std::optional<TScoreLine> ParseScoreLineText(std::string_view text) {
  if (text.size() % 5 != 0) return std::nullopt;
  // The closing "|z=" is the last one: the padding after it holds no "|".
  const size_t end = text.rfind(kEnd);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view padding = text.substr(end + kEnd.size());
  if (padding.size() >= 5 || padding.find_first_not_of('0') != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view body = text.substr(0, end);
  if (!body.starts_with(kType)) return std::nullopt;
  const size_t nameMark = body.find(kName, kType.size());
  if (nameMark == std::string_view::npos) return std::nullopt;
  const std::string_view type = body.substr(kType.size(), nameMark - kType.size());
  if (type.find('|') != std::string_view::npos) return std::nullopt;
  const size_t nameStart = nameMark + kName.size();

  const std::string_view countryAndEnd = text.substr(end);
  for (size_t mark = body.find(kScore, nameStart); mark != std::string_view::npos;
       mark = body.find(kScore, mark + 1)) {
    const std::string_view rest = text.substr(mark + kScore.size());
    if (auto line = ParseTail(rest, countryAndEnd)) {
      line->Type = std::string(type);
      line->Name = std::string(body.substr(nameStart, mark - nameStart));
      return line;
    }
  }
  return std::nullopt;
}

std::optional<TScoreLine> DecodeScoreLine(std::string_view symbols) {
  if (symbols.empty() || symbols.size() % 8 != 0 || symbols.size() > kMaxSymbols) return std::nullopt;
  if (symbols.find_first_not_of(kLineAlphabet) != std::string_view::npos) return std::nullopt;
  return ParseScoreLineText(DecodeLine(symbols));
}

}  // namespace zb
