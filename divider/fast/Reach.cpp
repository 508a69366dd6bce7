#include "divider/fast/Reach.h"

#include <algorithm>

namespace ordavin::fast_divider {

// With x the lower network's loaded total and rl its total, a match needs
//   x / (Rs + ru + x) <= t (1 + tol)  so  ru >= a x - Rs,  a = 1 / (t (1 + tol)) - 1,
//   x / (Rs + ru + x) >= t (1 - tol)  so  ru <= b x - Rs,  b = 1 / (t (1 - tol)) - 1,
//   ru + rl within the series window, where x <= rl = x / (1 - x G_load).
// They are worked out as real numbers, with the tolerance and the window widened and the
// bounds moved outwards far beyond what rounding in the search can change, and only where
// every quantity of the search stays far from overflow and underflow; elsewhere they bound
// nothing. What they keep is searched exactly as before.
Reach ReachOf(const DividerParameters& p, const WindowTests& tests, double upperLow,
              double upperHigh, double loadedLow, double loadedHigh) {
  Reach reach;
  const bool tame = p.targetFactor >= 1e-9 && p.targetFactor <= 1e9 && p.tolerance >= 0 &&
                    p.tolerance <= 10 && p.sourceResistance <= 1e30 && p.loadConductance <= 1e30;
  if (!tame) return reach;
  constexpr double kSlack = 1e-9;   // widens the tolerance and the window
  constexpr double kMargin = 1e-6;  // moves each bound outwards, relative to its terms
  const double tol = p.tolerance * (1 + kSlack) + kSlack;
  const double rs = p.sourceResistance;
  const double load = p.loadConductance;
  const double fHigh = p.targetFactor * (1 + tol);
  const double fLow = p.targetFactor * (1 - tol);
  const double a = 1 / fHigh - 1;
  const double b = fLow > 0 ? 1 / fLow - 1 : 0;
  const bool useA = a > 0;
  const bool useB = b > 0;

  double low = 0;
  double high = HUGE_VAL;
  if (useA) low = std::max(low, a * loadedLow * (1 - kMargin) - rs * (1 + kMargin));
  if (useA && tests.seriesMin) {
    // The smallest ru for which the largest rl the tolerance allows still reaches the
    // window's minimum; found by halving, the condition growing with ru.
    const double smin = p.seriesMin * (1 - kSlack);
    const auto reaches = [&](double ru) {
      const double x = (ru + rs) / a;
      if (x * load >= 1) return true;
      return x / (1 - x * load) >= smin - ru;
    };
    double lo = 0;
    double hi = smin;
    if (!reaches(lo)) {
      for (int i = 0; i < 200 && hi - lo > 0; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (reaches(mid) ? hi : lo) = mid;
      }
      low = std::max(low, lo - kMargin * (lo + rs + smin));
    }
  }
  if (useB) high = std::min(high, b * loadedHigh * (1 + kMargin) - rs * (1 - kMargin));
  if (useB && tests.seriesMax) {
    const double smax = p.seriesMax * (1 + kSlack);
    high = std::min(high, (b * smax - rs) / (b + 1) + kMargin * (smax + rs));
  }
  reach.upperTotalMin = low;
  reach.upperTotalMax = high;

  // A lower network needs an upper one in reach: a x - Rs <= ru <= b x - Rs.
  const double ruLow = std::max(upperLow, low);
  const double ruHigh = std::min(upperHigh, high);
  if (useA) reach.loadedMax = (ruHigh + rs) / a * (1 + kMargin);
  if (useB) reach.loadedMin = (ruLow + rs) / b * (1 - kMargin);
  return reach;
}

}  // namespace ordavin::fast_divider
