#include "persist/LineCode.h"

#include <cstdint>
#include <vector>

namespace zb {

std::string PadText(std::string text, int multiple) {
  if (text.empty() || multiple <= 0) return text;
  while (text.size() % static_cast<size_t>(multiple) != 0) text += '%';
  return text;
}

std::string StripPadding(std::string text) {
  while (!text.empty() && text.back() == '%') text.pop_back();
  return text;
}

std::string EncodeLine(std::string_view text) {
  const size_t bitCount = text.size() * 8;
  const size_t lead = (5 - bitCount % 5) % 5;
  std::vector<bool> bits(lead, false);
  bits.reserve(lead + bitCount);
  for (char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    for (int b = 7; b >= 0; --b) bits.push_back(((byte >> b) & 1) != 0);
  }
  std::string line;
  line.reserve(bits.size() / 5);
  for (size_t i = 0; i < bits.size(); i += 5) {
    int value = 0;
    for (size_t j = 0; j < 5; ++j) value = value * 2 + (bits[i + j] ? 1 : 0);
    line += kLineAlphabet[static_cast<size_t>(value)];
  }
  return line;
}

std::string DecodeLine(std::string_view line) {
  std::vector<bool> bits;
  bits.reserve(line.size() * 5);
  for (char c : line) {
    const size_t value = kLineAlphabet.find(c);
    if (value == std::string_view::npos) continue;
    for (int b = 4; b >= 0; --b) bits.push_back(((value >> b) & 1) != 0);
  }
  if (bits.size() < 8) return {};
  const size_t lead = (8 - bits.size() % 8) % 8;
  bits.insert(bits.begin(), lead, false);
  std::string text;
  text.reserve(bits.size() / 8);
  for (size_t i = 0; i < bits.size(); i += 8) {
    int value = 0;
    for (size_t j = 0; j < 8; ++j) value = value * 2 + (bits[i + j] ? 1 : 0);
    text += static_cast<char>(static_cast<uint8_t>(value));
  }
  return text;
}

}  // namespace zb
