#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "divider/NetworkMode.h"

namespace ordavin {

// The figures of one evaluated divider.
struct DividerEvaluation {
  double ruTotal = 0.0;
  double rlTotal = 0.0;
  double divisionFactor = 0.0;
  double rserTotal = 0.0;
  double rparTotal = 0.0;
  double error = 0.0;
};

// One kept divider. The index vector is the enumeration's whole vector: the upper digits,
// the pair (n - 1, 0), the lower digits, the pair again.
struct DividerMatch : DividerEvaluation {
  std::vector<std::int32_t> indices;
  NetworkMode upperMode = NetworkMode::Parallel;
  NetworkMode lowerMode = NetworkMode::Series;

  std::span<const std::int32_t> UpperDigits(std::uint32_t upperCount) const {
    return Slice(0, upperCount);
  }
  std::span<const std::int32_t> LowerDigits(std::uint32_t upperCount,
                                            std::uint32_t lowerCount) const {
    return Slice(std::size_t{upperCount} + 2, lowerCount);
  }

 private:
  std::span<const std::int32_t> Slice(std::size_t offset, std::size_t count) const {
    const std::span<const std::int32_t> all(indices);
    if (offset >= all.size()) return {};
    return all.subspan(offset, std::min(count, all.size() - offset));
  }
};

}  // namespace ordavin
