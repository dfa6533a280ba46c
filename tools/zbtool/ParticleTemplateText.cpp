#include "tools/zbtool/ParticleTemplateText.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace zb::tool {
namespace {

struct Color {
  uint32_t* value;
};
struct Flag {
  uint8_t* value;
};
using Target = std::variant<int32_t*, float*, Flag, Color>;

struct Field {
  const char* name;
  Target target;
};

std::vector<Field> Fields(TParticleTemplate& t) {
  return {{"PatternStart", &t.PatternStart},     {"PatternEnd", &t.PatternEnd},
          {"Effect", &t.Effect},                 {"EmitRate", &t.EmitRate},
          {"EmitDuration", &t.EmitDuration},     {"LifeMin", &t.LifeMin},
          {"LifeMax", &t.LifeMax},               {"Direction", &t.Direction},
          {"Spread", &t.Spread},                 {"AlignToMotion", Flag{&t.AlignToMotion}},
          {"SpeedMin", &t.SpeedMin},             {"SpeedMax", &t.SpeedMax},
          {"GravityMin", &t.GravityMin},         {"GravityMax", &t.GravityMax},
          {"RadialMin", &t.RadialMin},           {"RadialMax", &t.RadialMax},
          {"TangentialMin", &t.TangentialMin},   {"TangentialMax", &t.TangentialMax},
          {"SizeStart", &t.SizeStart},           {"SizeMiddle", &t.SizeMiddle},
          {"SizeEnd", &t.SizeEnd},               {"SizeVariation", &t.SizeVariation},
          {"SpinStart", &t.SpinStart},           {"SpinMiddle", &t.SpinMiddle},
          {"SpinEnd", &t.SpinEnd},               {"SpinVariation", &t.SpinVariation},
          {"ColorStart", Color{&t.ColorStart}},  {"ColorMiddle", Color{&t.ColorMiddle}},
          {"ColorEnd", Color{&t.ColorEnd}},      {"ColorVariation", &t.ColorVariation},
          {"AlphaVariation", &t.AlphaVariation}, {"MiddleTime", &t.MiddleTime},
          {"DrawNewestFirst", Flag{&t.DrawNewestFirst}}};
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool ParseInteger(std::string_view s, int64_t& value) {
  int base = 10;
  bool negative = false;
  if (!s.empty() && s.front() == '-') {
    negative = true;
    s.remove_prefix(1);
  }
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (ec != std::errc() || end != s.data() + s.size() || magnitude > 0xFFFFFFFFull) return false;
  value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

bool ParseReal(std::string_view s, float& value) {
  bool degrees = false;
  if (s.size() > 3 && s.substr(s.size() - 3) == "deg") {
    degrees = true;
    s = Trim(s.substr(0, s.size() - 3));
  }
  if (s.empty()) return false;
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
  if (degrees) v = v * std::numbers::pi / 180.0;
  value = static_cast<float>(v);
  return std::isfinite(value);
}

bool ParseColor(std::string_view s, uint32_t& value) {
  uint32_t packed = 0;
  for (int channel = 0; channel < 4; ++channel) {
    s = Trim(s);
    const size_t space = s.find_first_of(" \t");
    const std::string_view part = s.substr(0, space);
    int64_t v = 0;
    if (!ParseInteger(part, v) || v < 0 || v > 255) return false;
    packed |= static_cast<uint32_t>(v) << (8 * channel);  // red in the low byte
    s = space == std::string_view::npos ? std::string_view() : s.substr(space);
  }
  if (!Trim(s).empty()) return false;
  value = packed;
  return true;
}

}  // namespace

bool ParseParticleTemplate(std::string_view text, TParticleTemplate& out, std::string& error) {
  TParticleTemplate t;
  std::vector<Field> fields = Fields(t);
  std::vector<int> seenOnLine(fields.size(), 0);
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    const size_t hash = line.find('#');
    line = Trim(line.substr(0, hash));
    if (line.empty()) continue;
    auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail("expected 'Field = value'");
    const std::string_view name = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    size_t index = 0;
    while (index < fields.size() && name != fields[index].name) ++index;
    if (index == fields.size()) return fail("unknown field '" + std::string(name) + "'");
    if (seenOnLine[index] != 0) {
      return fail("field '" + std::string(name) + "' given again (first on line " +
                  std::to_string(seenOnLine[index]) + ")");
    }
    seenOnLine[index] = lineNumber;
    bool ok = false;
    std::visit(
        [&](auto target) {
          using T = decltype(target);
          if constexpr (std::is_same_v<T, int32_t*>) {
            int64_t v = 0;
            ok = ParseInteger(value, v) && v >= INT32_MIN && v <= 0xFFFFFFFFll;
            if (ok) *target = static_cast<int32_t>(static_cast<uint32_t>(v));
          } else if constexpr (std::is_same_v<T, float*>) {
            ok = ParseReal(value, *target);
          } else if constexpr (std::is_same_v<T, Flag>) {
            int64_t v = 0;
            ok = ParseInteger(value, v) && v >= 0 && v <= 255;
            if (ok) *target.value = static_cast<uint8_t>(v);
          } else {
            ok = ParseColor(value, *target.value);
          }
        },
        fields[index].target);
    if (!ok) return fail("bad value '" + std::string(value) + "' for " + std::string(name));
  }
  for (size_t i = 0; i < fields.size(); ++i) {
    if (seenOnLine[i] == 0) {
      error = std::string("missing field '") + fields[i].name + "'";
      return false;
    }
  }
  out = t;
  return true;
}

std::string FormatParticleTemplate(const TParticleTemplate& source) {
  TParticleTemplate t = source;
  std::ostringstream text;
  for (const Field& field : Fields(t)) {
    text << field.name << " = ";
    std::visit(
        [&text](auto target) {
          using T = decltype(target);
          if constexpr (std::is_same_v<T, int32_t*>) {
            text << *target;
          } else if constexpr (std::is_same_v<T, float*>) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(*target));
            text << buffer;
          } else if constexpr (std::is_same_v<T, Flag>) {
            text << static_cast<int>(*target.value);
          } else {
            const uint32_t c = *target.value;
            text << (c & 0xFF) << ' ' << ((c >> 8) & 0xFF) << ' ' << ((c >> 16) & 0xFF) << ' ' << (c >> 24);
          }
        },
        field.target);
    text << '\n';
  }
  return text.str();
}

}  // namespace zb::tool
