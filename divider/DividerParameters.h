#pragma once

#include <cstdint>

#include "divider/NetworkMode.h"

namespace ordavin {

// Everything a divider search needs besides the working set. A window that is not in
// force spans 0 to 1e300 and rejects nothing.
struct DividerParameters {
  static constexpr double kOpenWindowMax = 1e300;

  std::uint32_t maxResults = 10;
  std::uint32_t upperCount = 1;
  std::uint32_t lowerCount = 1;
  NetworkMode upperMode = NetworkMode::Parallel;
  NetworkMode lowerMode = NetworkMode::Series;
  double targetFactor = 0.0;
  double tolerance = 0.0;
  double seriesMin = 0.0;
  double seriesMax = kOpenWindowMax;
  double parallelMin = 0.0;
  double parallelMax = kOpenWindowMax;
  double sourceResistance = 0.0;
  double loadConductance = 0.0;  // 0: no load

  std::uint32_t positionCount() const { return upperCount + lowerCount; }
};

}  // namespace ordavin
