#pragma once

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <sstream>
#include <string>

namespace ordavin::testing {

// Doubles compared and shown exactly: the engines must agree to the last bit.

// Equal bits: tells -0.0 from 0.0, and a NaN equals the same NaN.
inline bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Shortest text that reads back to the same double.
inline std::string Num(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return std::string(buffer.data(), result.ptr);
}

// The shortest text and the bits, for two doubles that print alike but differ.
inline std::string Show(double v) {
  std::ostringstream os;
  os << Num(v) << " [0x" << std::hex << std::bit_cast<std::uint64_t>(v) << "]";
  return os.str();
}

}  // namespace ordavin::testing
