#pragma once

#include <cstdint>

namespace ordavin::fast_divider {

// Below this many items a single thread does the job faster than several would.
constexpr std::uint64_t kSmallJob = std::uint64_t{1} << 15;

// Lower ranks per chunk of the sweep: enough that a chunk's sorted lower networks lie close
// together, few enough that a worker's chunk stays in its caches.
constexpr std::uint64_t kLowerRanksPerChunk = std::uint64_t{1} << 16;

// Lower networks per band of a share taken in key order: enough that the band's searches
// follow each other closely, few enough that a worker's band stays small beside the upper side.
constexpr std::uint64_t kLowerBandItems = std::uint64_t{1} << 18;

// Shares of the lower networks per worker: more balance the workers' loads, fewer keep
// each share's networks denser.
constexpr std::uint64_t kLowerSharesPerWorker = 4;

}  // namespace ordavin::fast_divider
