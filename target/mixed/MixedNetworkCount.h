#pragma once

#include <cstdint>
#include <optional>

namespace ordavin {

// The most resistors a mixed network may have.
inline constexpr std::uint32_t kMaxMixedResistors = 5;

// How many distinct networks of exactly `resistors` resistors (1..kMaxMixedResistors) can be
// built from `positions` working-set positions, each usable more than once; nothing when the
// count passes 64 bits or the size is not covered.
std::optional<std::uint64_t> MixedNetworkCount(std::uint64_t positions, std::uint32_t resistors);

// How many multisets of `chosen` (up to kMaxMixedResistors) out of `things`; nothing past 64
// bits.
std::optional<std::uint64_t> PartMultisets(std::uint64_t things, std::uint32_t chosen);

}  // namespace ordavin
