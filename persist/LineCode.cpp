#include "persist/LineCode.h"

#include <array>
#include <cstdint>

namespace zb {

size_t PaddingCount(size_t length, int multiple) {
  if (length == 0 || multiple <= 0) return 0;
  const size_t remainder = length % static_cast<size_t>(multiple);
  return remainder == 0 ? 0 : static_cast<size_t>(multiple) - remainder;
}

std::string PadText(std::string text, int multiple) {
  text.append(PaddingCount(text.size(), multiple), '%');
  return text;
}

void StripPaddingInPlace(std::string& text) {
  const size_t kept = text.find_last_not_of('%');
  text.resize(kept == std::string::npos ? 0 : kept + 1);
}

std::string StripPadding(std::string text) {
  StripPaddingInPlace(text);
  return text;
}

namespace {

// The position of each byte in the alphabet, or -1.
constexpr std::array<int8_t, 256> kSymbolValues = [] {
  std::array<int8_t, 256> values{};
  values.fill(-1);
  for (size_t i = 0; i < kLineAlphabet.size(); ++i) {
    values[static_cast<uint8_t>(kLineAlphabet[i])] = static_cast<int8_t>(i);
  }
  return values;
}();

}  // namespace

// Both directions run the bits through an accumulator; the zero bits put in front are counted
// as already there. Texts are written into their place: appending a symbol at a time, and the
// padded and encoded copies of each line, cost more than the coding itself.
void AppendEncodedLine(std::string& out, std::string_view text, int multiple) {
  const size_t padding = PaddingCount(text.size(), multiple);
  const size_t bitCount = (text.size() + padding) * 8;
  uint32_t bits = 0;
  int held = static_cast<int>((5 - bitCount % 5) % 5);
  size_t at = out.size();
  out.resize(at + (bitCount + 4) / 5);
  const auto put = [&](uint8_t byte) {
    bits = (bits << 8) | byte;
    held += 8;
    while (held >= 5) {
      held -= 5;
      out[at++] = kLineAlphabet[(bits >> held) & 31u];
    }
    bits &= (1u << held) - 1;
  };
  for (char c : text) put(static_cast<uint8_t>(c));
  for (size_t i = 0; i < padding; ++i) put('%');
}

std::string EncodeLine(std::string_view text) {
  std::string line;
  AppendEncodedLine(line, text, 0);
  return line;
}

void DecodeLineInto(std::string_view line, std::string& text) {
  size_t symbols = 0;
  for (char c : line) symbols += kSymbolValues[static_cast<uint8_t>(c)] >= 0 ? 1 : 0;
  const size_t bitCount = symbols * 5;
  text.resize(bitCount < 8 ? 0 : (bitCount + 7) / 8);
  if (text.empty()) return;
  uint32_t bits = 0;
  int held = static_cast<int>((8 - bitCount % 8) % 8);
  size_t out = 0;
  for (char c : line) {
    const int value = kSymbolValues[static_cast<uint8_t>(c)];
    if (value < 0) continue;
    bits = (bits << 5) | static_cast<uint32_t>(value);
    held += 5;
    if (held >= 8) {
      held -= 8;
      text[out++] = static_cast<char>(static_cast<uint8_t>(bits >> held));
    }
    bits &= (1u << held) - 1;
  }
}

std::string DecodeLine(std::string_view line) {
  std::string text;
  DecodeLineInto(line, text);
  return text;
}

}  // namespace zb
