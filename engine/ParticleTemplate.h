#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zb {

// The emitter parameters of one particle-system template: a ".pss" record's first 136 bytes,
// little-endian, 32-bit integers and IEEE singles.
struct TParticleTemplate {
  static constexpr size_t kSize = 136;

  int32_t PatternStart = 0;
  int32_t PatternEnd = 0;    // negative or equal to PatternStart: no pattern animation
  int32_t Effect = 0;        // canvas blend effect code
  int32_t EmitRate = 0;      // particles per unit of time
  float EmitDuration = 0;    // 0 or less: never emits
  float LifeMin = 0, LifeMax = 0;
  float Direction = 0;       // radians; 0 points down the screen (+Y)
  float Spread = 0;          // full width of the emission cone
  uint8_t AlignToMotion = 0;
  float SpeedMin = 0, SpeedMax = 0;
  float GravityMin = 0, GravityMax = 0;
  float RadialMin = 0, RadialMax = 0;
  float TangentialMin = 0, TangentialMax = 0;
  float SizeStart = 0, SizeMiddle = 0, SizeEnd = 0, SizeVariation = 0;
  float SpinStart = 0, SpinMiddle = 0, SpinEnd = 0, SpinVariation = 0;
  uint32_t ColorStart = 0, ColorMiddle = 0, ColorEnd = 0;  // $AABBGGRR
  float ColorVariation = 0, AlphaVariation = 0;
  float MiddleTime = 0;      // fraction of the life
  uint8_t DrawNewestFirst = 0;

  // Bytes beyond the end of a short record read as zero.
  static TParticleTemplate Decode(std::span<const uint8_t> bytes);
  // Reserved and padding bytes are written as zero.
  std::array<uint8_t, kSize> Encode() const;
};

}  // namespace zb
