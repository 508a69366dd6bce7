#pragma once

#include <cstdint>

namespace ordavin::testing {

// One seed per case of a group: the group in the top byte, then three bytes for the
// case's shape (sizes, modes, a variant), the index in the low 32 bits.
inline std::uint64_t CaseSeed(std::uint64_t group, std::uint64_t a, std::uint64_t b,
                              std::uint64_t c, std::uint64_t index) {
  return (group << 56) | (a << 48) | (b << 40) | (c << 32) | index;
}

}  // namespace ordavin::testing
