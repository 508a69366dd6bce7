#pragma once

#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"

namespace ordavin::testing {

// A small search (two resistors a side, a loose tolerance, open windows) for tests that
// change one thing at a time.
inline DividerParameters SmallCase() {
  DividerParameters p;
  p.upperCount = 2;
  p.lowerCount = 2;
  p.upperMode = NetworkMode::Parallel;
  p.lowerMode = NetworkMode::Series;
  p.targetFactor = 0.3;
  p.tolerance = 0.5;
  p.maxResults = 7;
  return p;
}

}  // namespace ordavin::testing
