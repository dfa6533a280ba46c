#include "gui/GuiTypes.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cmath>

namespace zb {
namespace {

// Parses decimal (optionally signed) or "$" hexadecimal text; `maxHexDigits` bounds the
// hexadecimal form, whose value then wraps into the signed range of that width.
std::optional<int64_t> ParseNumber(std::string_view text, int maxHexDigits) {
  if (text.empty()) return std::nullopt;
  if (text[0] == '$') {
    std::string_view digits = text.substr(1);
    if (digits.empty() || static_cast<int>(digits.size()) > maxHexDigits) return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int64_t>(value);
  }
  std::string_view digits = text;
  if (digits[0] == '+') digits.remove_prefix(1);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

[[noreturn]] void NotConvertible(std::string_view text, std::string_view what) {
  throw TGuiError("'" + std::string(text) + "' is not " + std::string(what));
}

}  // namespace

int RoundToInt(double value) {
  constexpr double kLimit = 1 << 30;
  if (!(value > -kLimit)) return -(1 << 30);  // NaN too
  if (value > kLimit) return 1 << 30;
  return static_cast<int>(std::nearbyint(value));
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

namespace {

// Each byte with ASCII capitals made small: one lookup a byte, where the property names of every
// control are searched for each property read.
constexpr std::array<uint8_t, 256> kFoldedAscii = [] {
  std::array<uint8_t, 256> folded{};
  for (size_t c = 0; c < folded.size(); ++c) {
    folded[c] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return folded;
}();

}  // namespace

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (kFoldedAscii[static_cast<uint8_t>(a[i])] != kFoldedAscii[static_cast<uint8_t>(b[i])]) return false;
  }
  return true;
}

int32_t ValueToInteger(const TGuiValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    const std::optional<int64_t> number = ParseNumber(*text, 8);
    if (!number) NotConvertible(*text, "an integer");
    if (text->front() == '$') return static_cast<int32_t>(static_cast<uint32_t>(*number));
    if (*number < INT32_MIN || *number > INT32_MAX) NotConvertible(*text, "a 32-bit integer");
    return static_cast<int32_t>(*number);
  }
  if (const auto* number = std::get_if<int64_t>(&value)) return static_cast<int32_t>(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
  if (const auto* real = std::get_if<double>(&value)) {
    if (!std::isfinite(*real) || std::fabs(*real) > 2147483647.0) throw TGuiError("number out of range");
    return static_cast<int32_t>(std::nearbyint(*real));
  }
  throw TGuiError("a list is not an integer");
}

uint32_t ValueToColor(const TGuiValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    const std::optional<int64_t> number = ParseNumber(*text, 16);
    if (!number) NotConvertible(*text, "a colour or effect");
    return static_cast<uint32_t>(static_cast<uint64_t>(*number));
  }
  if (const auto* number = std::get_if<int64_t>(&value)) return static_cast<uint32_t>(*number);
  return static_cast<uint32_t>(ValueToInteger(value));
}

bool ValueToBoolean(const TGuiValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (SameTextAscii(*text, "true")) return true;
    if (SameTextAscii(*text, "false")) return false;
    const std::optional<int64_t> number = ParseNumber(*text, 16);
    if (!number) NotConvertible(*text, "a boolean");
    return *number != 0;
  }
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  if (const auto* number = std::get_if<int64_t>(&value)) return *number != 0;
  if (const auto* real = std::get_if<double>(&value)) return *real != 0.0;
  throw TGuiError("a list is not a boolean");
}

std::string ValueToString(const TGuiValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (const auto* real = std::get_if<double>(&value)) return std::to_string(*real);
  std::string joined;
  for (const std::string& line : std::get<std::vector<std::string>>(value)) joined += line + "\r\n";
  return joined;
}

std::vector<std::string> ValueToStrings(const TGuiValue& value) {
  if (const auto* lines = std::get_if<std::vector<std::string>>(&value)) return *lines;
  const std::string text = ValueToString(value);
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::optional<int64_t> ValueNumber(const TGuiValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return ParseNumber(*text, 16);
  if (const auto* number = std::get_if<int64_t>(&value)) return *number;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
  if (const auto* real = std::get_if<double>(&value)) {
    if (std::nearbyint(*real) == *real && std::fabs(*real) < 9.0e18) return static_cast<int64_t>(*real);
  }
  return std::nullopt;
}

int TGuiObject::AddProperty(std::string_view name, uint8_t kind, std::string_view description, int32_t id) {
  properties_.push_back({name, description, kind, id});
  return static_cast<int>(properties_.size()) - 1;
}

int TGuiObject::IndexOfProperty(std::string_view name) const {
  for (size_t i = 0; i < properties_.size(); ++i) {
    if (SameTextAscii(properties_[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

const TPropertyRec* TGuiObject::PropertyByName(std::string_view name) const {
  const int index = IndexOfProperty(name);
  return index < 0 ? nullptr : &properties_[index];
}

void TGuiObject::SetPropertyByName(std::string_view name, const TGuiValue& value) {
  if (const TPropertyRec* rec = PropertyByName(name)) SetProperty(rec->Id, value);
}

TGuiValue TGuiObject::GetPropertyByName(std::string_view name) const {
  if (const TPropertyRec* rec = PropertyByName(name)) return GetProperty(rec->Id);
  return int64_t{0};
}

TGuiFill* TGuiObject::FillByName(std::string_view name) {
  const TPropertyRec* rec = PropertyByName(name);
  return rec ? GetFill(rec->Id) : nullptr;
}

TGuiFont* TGuiObject::FontByName(std::string_view name) {
  const TPropertyRec* rec = PropertyByName(name);
  return rec ? GetFont(rec->Id) : nullptr;
}

void TGuiObject::SetFill(int32_t id, const TGuiFill& source) {
  if (TGuiFill* fill = GetFill(id)) *fill = source;
}

void TGuiObject::SetFont(int32_t id, const TGuiFont& source) {
  if (TGuiFont* font = GetFont(id)) *font = source;
}

void TGuiObject::SetType(std::string name, std::string_view description) {
  typeName_ = std::move(name);
  typeDesc_ = description;
}

}  // namespace zb
