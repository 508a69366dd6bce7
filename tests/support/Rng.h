#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ordavin::testing {

// splitmix64, so a seed means the same case with every standard library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : m_state(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Requires: bound > 0. Slightly biased, and left so: every seed's case depends on it.
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
  // Uniform in [0, 1), on 53 bits.
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  template <class T, std::size_t N>
  T Pick(const std::array<T, N>& choices) {
    return choices[Below(static_cast<std::uint32_t>(N))];
  }

 private:
  std::uint64_t m_state;
};

}  // namespace ordavin::testing
