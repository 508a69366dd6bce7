#pragma once

#include <cstdint>
#include <random>

namespace ordavin::testing {

// The fast target engine's tests draw their cases through the standard library's Mersenne
// Twister and distributions. The distributions are the library's own, so a seed gives the
// same case only with the same standard library; Rng does not have that weakness, but
// switching to it would change every case these tests have been run on.
class MersenneRng {
 public:
  explicit MersenneRng(std::uint64_t seed) : m_engine(seed) {}

  // Requires: n > 0.
  std::uint32_t Below(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(m_engine);
  }
  double Unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }

 private:
  std::mt19937_64 m_engine;
};

}  // namespace ordavin::testing
