#pragma once

#include <cmath>

#include "divider/DividerParameters.h"
#include "divider/fast/WindowTests.h"

namespace ordavin::fast_divider {

// Bounds, beyond the windows' own, on the networks that can take part in a match at all: an
// upper network whose total, or a lower network whose loaded total, lies outside them
// matches nothing.
struct Reach {
  double upperTotalMin = 0;
  double upperTotalMax = HUGE_VAL;
  double loadedMin = 0;
  double loadedMax = HUGE_VAL;
};

// The bounds the tolerance and the series window imply together, for upper totals within
// [upperLow, upperHigh] and loaded lower totals within [loadedLow, loadedHigh].
Reach ReachOf(const DividerParameters& p, const WindowTests& tests, double upperLow,
              double upperHigh, double loadedLow, double loadedHigh);

}  // namespace ordavin::fast_divider
