#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "target/NetworkCode.h"

namespace ordavin {

// One evaluated combination: its positions in the working set (followed by the two sentinel
// entries), the connection, the network's structure, the total and the signed relative error.
// For a mixed network the positions are those of the network in its order and isParallel
// tells the outer connection.
struct TargetMatch {
  std::vector<std::int32_t> indices;
  bool isParallel = false;
  NetworkCode network;
  double total = 0.0;
  double error = 0.0;

  std::span<const std::int32_t> Positions(std::uint32_t resistorCount) const {
    return std::span<const std::int32_t>(indices).first(
        std::min<std::size_t>(resistorCount, indices.size()));
  }
};

}  // namespace ordavin
