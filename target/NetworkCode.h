#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ordavin {

// A network written as tokens in prefix order: a working-set position (>= 0) is a resistor;
// a negative token opens a connection of k >= 2 parts that follow it, -2k for series and
// -(2k + 1) for parallel. Small, comparable and cheap to copy into a results row.
using NetworkCode = std::vector<std::int32_t>;

inline constexpr std::int32_t SeriesToken(std::uint32_t parts) {
  return -2 * static_cast<std::int32_t>(parts);
}
inline constexpr std::int32_t ParallelToken(std::uint32_t parts) {
  return -2 * static_cast<std::int32_t>(parts) - 1;
}
inline constexpr bool IsConnectionToken(std::int32_t token) { return token < 0; }
inline constexpr bool IsParallelToken(std::int32_t token) { return token < 0 && (-token) % 2 == 1; }
inline constexpr std::uint32_t PartCountOf(std::int32_t token) {
  return static_cast<std::uint32_t>(-token / 2);
}

// The code of an all-series or all-parallel network of these positions (one position: that
// resistor alone).
NetworkCode FlatNetworkCode(std::span<const std::int32_t> positions, bool isParallel);

// The number of tokens the network starting at code[first] takes; 0 for a malformed code.
std::size_t NetworkCodeLength(std::span<const std::int32_t> code, std::size_t first = 0);

// Whether the code is one well-formed network (connections of two or more parts, nothing
// after it).
bool IsWellFormed(std::span<const std::int32_t> code);

// The positions of the resistors in the code's order.
std::vector<std::int32_t> PositionsOf(std::span<const std::int32_t> code);

// How many different positions the network uses.
std::uint32_t DistinctPositionCount(std::span<const std::int32_t> code);

}  // namespace ordavin
