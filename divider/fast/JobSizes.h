#pragma once

#include <cstdint>

namespace ordavin::fast_divider {

// Below this many items a single thread does the job faster than several would.
constexpr std::uint64_t kSmallJob = std::uint64_t{1} << 15;

// Lower ranks per chunk of the sweep: enough that a chunk's sorted lower networks lie close
// together, few enough that a worker's chunk stays in its caches.
constexpr std::uint64_t kLowerRanksPerChunk = std::uint64_t{1} << 16;

}  // namespace ordavin::fast_divider
