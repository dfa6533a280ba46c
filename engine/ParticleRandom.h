#pragma once

#include <cstdint>

namespace zb {

// The particle systems' own generator: a 32-bit linear congruential seed starting at 0,
// advanced before each draw; a draw uses the seed's top 16 bits.
class TParticleRandom {
 public:
  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }

  // Lo + (Hi - Lo) * (S shr 16) / 65535 with Lo, Hi the smaller and larger bound.
  float Range(float a, float b) {
    seed_ = seed_ * 214013u + 2531011u;
    const float lo = a < b ? a : b;
    const float hi = a < b ? b : a;
    return static_cast<float>(lo + (double{hi} - lo) * static_cast<double>(seed_ >> 16) / 65535.0);
  }

 private:
  uint32_t seed_ = 0;
};

}  // namespace zb
