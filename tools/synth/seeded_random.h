// Seeded pseudo-random numbers that are the same on every platform and compiler (the
// standard library's distributions are not), so a seed always gives the same survey.
#pragma once

#include <cstdint>

namespace obscut {

// The splitmix64 finaliser: scatters the bits of `x` over the whole word.
constexpr std::uint64_t MixBits(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// The splitmix64 sequence.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    return MixBits(state_);
  }

 private:
  std::uint64_t state_;
};

}  // namespace obscut
