#include "target/NetworkCode.h"

#include <algorithm>

namespace ordavin {

NetworkCode FlatNetworkCode(std::span<const std::int32_t> positions, bool isParallel) {
  NetworkCode code;
  code.reserve(positions.size() + 1);
  if (positions.size() != 1) {
    const auto parts = static_cast<std::uint32_t>(positions.size());
    code.push_back(isParallel ? ParallelToken(parts) : SeriesToken(parts));
  }
  for (const std::int32_t position : positions) code.push_back(position);
  return code;
}

std::size_t NetworkCodeLength(std::span<const std::int32_t> code, std::size_t first) {
  // Tokens still owed: one network to start with, each connection owes its parts.
  std::size_t owed = 1;
  for (std::size_t k = first; k < code.size(); ++k) {
    const std::int32_t token = code[k];
    --owed;
    if (IsConnectionToken(token)) {
      const std::uint32_t parts = PartCountOf(token);
      if (parts < 2) return 0;
      owed += parts;
    }
    if (owed == 0) return k + 1 - first;
  }
  return 0;
}

bool IsWellFormed(std::span<const std::int32_t> code) {
  return !code.empty() && NetworkCodeLength(code) == code.size();
}

std::vector<std::int32_t> PositionsOf(std::span<const std::int32_t> code) {
  std::vector<std::int32_t> positions;
  for (const std::int32_t token : code) {
    if (!IsConnectionToken(token)) positions.push_back(token);
  }
  return positions;
}

std::uint32_t DistinctPositionCount(std::span<const std::int32_t> code) {
  std::vector<std::int32_t> positions = PositionsOf(code);
  std::sort(positions.begin(), positions.end());
  return static_cast<std::uint32_t>(std::unique(positions.begin(), positions.end()) -
                                    positions.begin());
}

}  // namespace ordavin
