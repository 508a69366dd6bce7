#pragma once

#include <cstdint>

namespace ordavin {

// The machine's physical memory in bytes; 0 when it cannot be learnt.
std::uint64_t PhysicalMemoryBytes();

// What a search may use unless told otherwise: half the machine's memory, or 1 GiB when the
// machine does not say.
std::uint64_t DefaultMemoryLimit();

// Byte counts that stick at the maximum instead of wrapping, so that an absurd size reads as
// "too much" rather than as a small number.
inline std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}
inline std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b) {
  return (a != 0 && b > UINT64_MAX / a) ? UINT64_MAX : a * b;
}

}  // namespace ordavin
