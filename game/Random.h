#pragma once

#include <cstdint>
#include <random>

namespace zb {

// The one random generator of the game: uniform integers 0..n-1. The same seed gives the same
// sequence on every platform, so tests and the autoplayer can replay a game.
class TRandom {
 public:
  explicit TRandom(uint32_t seed = 0x5A4D42u) : engine_(seed), seed_(seed) {}

  void Seed(uint32_t seed) {
    engine_.seed(seed);
    seed_ = seed;
    draws_ = 0;
  }
  // The generator is its seed and the draws made since: a checkpoint keeps both and a
  // continued game goes on from the same place.
  uint32_t SeedValue() const { return seed_; }
  uint64_t Draws() const { return draws_; }
  void Restore(uint32_t seed, uint64_t draws) {
    Seed(seed);
    engine_.discard(draws);
    draws_ = draws;
  }

  // 0..n-1; 0 when n is below 1.
  int Next(int n) {
    if (n < 1) return 0;
    ++draws_;
    // Multiply-and-shift instead of a library distribution, whose results differ between
    // standard libraries.
    return static_cast<int>((static_cast<uint64_t>(engine_()) * static_cast<uint64_t>(n)) >> 32);
  }

 private:
  std::mt19937 engine_;
  uint32_t seed_;
  uint64_t draws_ = 0;
};

}  // namespace zb
