#include "engine/ParticleTemplate.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace zb {
namespace {

// Each field with its offset; one table drives both directions.
template <class Fn>
void ForEachField(TParticleTemplate& t, Fn&& fn) {
  fn(0, t.PatternStart);
  fn(4, t.PatternEnd);
  fn(12, t.Effect);
  fn(16, t.EmitRate);
  fn(20, t.EmitDuration);
  fn(24, t.LifeMin);
  fn(28, t.LifeMax);
  fn(32, t.Direction);
  fn(36, t.Spread);
  fn(40, t.AlignToMotion);
  fn(44, t.SpeedMin);
  fn(48, t.SpeedMax);
  fn(52, t.GravityMin);
  fn(56, t.GravityMax);
  fn(60, t.RadialMin);
  fn(64, t.RadialMax);
  fn(68, t.TangentialMin);
  fn(72, t.TangentialMax);
  fn(76, t.SizeStart);
  fn(80, t.SizeMiddle);
  fn(84, t.SizeEnd);
  fn(88, t.SizeVariation);
  fn(92, t.SpinStart);
  fn(96, t.SpinMiddle);
  fn(100, t.SpinEnd);
  fn(104, t.SpinVariation);
  fn(108, t.ColorStart);
  fn(112, t.ColorMiddle);
  fn(116, t.ColorEnd);
  fn(120, t.ColorVariation);
  fn(124, t.AlphaVariation);
  fn(128, t.MiddleTime);
  fn(132, t.DrawNewestFirst);
}

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void WriteLe32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace

TParticleTemplate TParticleTemplate::Decode(std::span<const uint8_t> bytes) {
  std::array<uint8_t, kSize> full{};
  // An empty span (a record that could not be read) may have no data pointer at all.
  if (!bytes.empty()) std::memcpy(full.data(), bytes.data(), bytes.size() < kSize ? bytes.size() : kSize);
  TParticleTemplate t;
  ForEachField(t, [&full](size_t offset, auto& field) {
    using F = std::remove_reference_t<decltype(field)>;
    if constexpr (sizeof(F) == 1) {
      field = full[offset];
    } else {
      field = std::bit_cast<F>(ReadLe32(&full[offset]));
    }
  });
  return t;
}

std::array<uint8_t, TParticleTemplate::kSize> TParticleTemplate::Encode() const {
  std::array<uint8_t, kSize> out{};
  TParticleTemplate copy = *this;
  ForEachField(copy, [&out](size_t offset, auto& field) {
    using F = std::remove_reference_t<decltype(field)>;
    if constexpr (sizeof(F) == 1) {
      out[offset] = field;
    } else {
      WriteLe32(&out[offset], std::bit_cast<uint32_t>(field));
    }
  });
  return out;
}

}  // namespace zb
