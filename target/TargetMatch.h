#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace ordavin {

// One evaluated combination: its positions in the working set (followed by the two sentinel
// entries), the connection, the total and the signed relative error.
struct TargetMatch {
  std::vector<std::int32_t> indices;
  bool isParallel = false;
  double total = 0.0;
  double error = 0.0;

  std::span<const std::int32_t> Positions(std::uint32_t resistorCount) const {
    return std::span<const std::int32_t>(indices).first(
        std::min<std::size_t>(resistorCount, indices.size()));
  }
};

}  // namespace ordavin
