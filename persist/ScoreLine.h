#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zb {

// The program name the score server knows the game by.
inline constexpr std::string_view kScoreProgram = "Tamarix";

// The longest name and country the score server stores, in bytes; it refuses a line with longer ones.
inline constexpr size_t kMaxScoreNameBytes = 16;
inline constexpr size_t kMaxScoreCountryBytes = 32;

// The fields of the score line the game sends to the score server; texts are CP1251 bytes.
struct TScoreLine {
  std::string Type;  // the difficulty digit
  std::string Name;
  std::string Score;  // decimal
  std::string Token;  // handed out by the server's version reply
  std::string Country;
  bool operator==(const TScoreLine&) const = default;
};

// "type=…|name=…|score=…|key=X|p=…|add=…|z=", then "0" until the length is a multiple of 5.
std::string ScoreLineText(const TScoreLine& line);

// The padded text in the symbols of the line encoding: every 5 bytes give 8 symbols.
std::string EncodeScoreLine(const TScoreLine& line);

// The reverse of ScoreLineText, strict: the fields in their order, a decimal score, a token
// without "|", and nothing after "z=" but the "0"s that reach the multiple of 5. A name that
// holds "|score=" is cut at the first place where the rest of the line reads as a whole.
std::optional<TScoreLine> ParseScoreLineText(std::string_view text);

// The reverse of EncodeScoreLine; refuses symbols outside the alphabet, a count that is not a
// multiple of 8 and lines longer than any the game sends.
std::optional<TScoreLine> DecodeScoreLine(std::string_view symbols);

}  // namespace zb
