#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"
#include "support/BruteForceReference.h"
#include "support/RandomDigits.h"
#include "support/Rng.h"

namespace ordavin::testing {

// A random divider search over the given values. Most targets are hit exactly by some
// combination, so that exact hits and ties between different combinations are common; the
// windows are often pinned to the figures of one combination.
inline DividerParameters RandomDividerParameters(Rng& rng, const std::vector<double>& values,
                                                 std::uint32_t upperCount, std::uint32_t lowerCount,
                                                 NetworkMode upperMode, NetworkMode lowerMode) {
  namespace ref = ::ordavin::reference;
  const auto n = static_cast<std::uint32_t>(values.size());
  DividerParameters p;
  p.upperCount = upperCount;
  p.lowerCount = lowerCount;
  p.upperMode = upperMode;
  p.lowerMode = lowerMode;
  p.maxResults = 1 + rng.Below(12);
  p.sourceResistance = rng.Pick(std::array<double, 7>{0, 0, 0, 0.5, 1, 4.7, 100});
  p.loadConductance = rng.Pick(std::array<double, 7>{0, 0, 0, 1e-3, 1.0 / 4.7, 0.01, 2.0});
  // The two draws are arguments of one call, so the compiler picks their order; the cases
  // have always been drawn so, and a seed's case must stay the same.
  const auto figuresOf = [&] {
    return ref::EvaluateDivider(
        ref::EvaluateNetwork(values, RandomDigits(rng, n, upperCount), upperMode),
        ref::EvaluateNetwork(values, RandomDigits(rng, n, lowerCount), lowerMode), p);
  };
  const ref::DividerFigures hit = figuresOf();
  const ref::DividerFigures other = figuresOf();

  const std::uint32_t targetKind = rng.Below(10);
  if (targetKind < 7) {
    p.targetFactor = hit.factor;
  } else if (targetKind < 9) {
    p.targetFactor = 0.001 + 0.998 * rng.Unit();
  } else {
    p.targetFactor = rng.Pick(std::array<double, 4>{0.5, 0.25, 1.0 / 3.0, 0.1});
  }
  // -1 stands for a uniform draw over the whole range.
  p.tolerance =
      rng.Pick(std::array<double, 13>{0, 0, 1e-12, 1e-6, 1e-3, 0.01, 0.05, 0.2, 0.5, 1, 2, 5, -1});
  if (p.tolerance < 0) p.tolerance = 5 * rng.Unit();

  const ref::DividerFigures& anchor = rng.Below(2) == 0 ? hit : other;
  switch (rng.Below(8)) {
    case 3:
      p.seriesMin = p.seriesMax = anchor.rser;
      break;
    case 4:
      p.parallelMin = p.parallelMax = anchor.rpar;
      break;
    case 5:
      p.seriesMin = std::min(hit.rser, other.rser);
      p.seriesMax = std::max(hit.rser, other.rser);
      break;
    case 6:
      p.parallelMin = std::min(hit.rpar, other.rpar);
      p.parallelMax = std::max(hit.rpar, other.rpar);
      break;
    case 7:
      p.seriesMin = std::min(hit.rser, other.rser);
      p.seriesMax = std::max(hit.rser, other.rser);
      p.parallelMin = std::min(hit.rpar, other.rpar);
      p.parallelMax = std::max(hit.rpar, other.rpar);
      break;
    default:
      break;  // windows open
  }
  return p;
}

}  // namespace ordavin::testing
