#pragma once

#include <bit>
#include <cstdint>

namespace ordavin::fast_target {

// Sums are never negative, so their bit patterns order like their values; one past +inf
// stands for "no sum at all".
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000u;
constexpr std::uint64_t kNoSum = kInfinityBits + 1;

inline std::uint64_t Bits(double sum) { return std::bit_cast<std::uint64_t>(sum); }

}  // namespace ordavin::fast_target
