#pragma once

#include <cstddef>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"
#include "support/ExactDoubles.h"
#include "target/TargetParameters.h"

namespace ordavin::testing {

// Texts that say which case failed, with every number exact enough to rerun it.

inline const char* ModeName(NetworkMode mode) {
  return mode == NetworkMode::Parallel ? "par" : "ser";
}

// An index vector or a multiset: "(0,0,2)".
template <class Range>
std::string ShowDigits(const Range& digits) {
  std::ostringstream os;
  os << '(';
  bool first = true;
  for (const auto d : digits) {
    os << (first ? "" : ",") << d;
    first = false;
  }
  os << ')';
  return os.str();
}

// "{1, 2.2, 4.7}"; past `shown` values only their count: "{1, 2.2, ... (169)}".
inline std::string ShowValues(const std::vector<double>& values,
                              std::size_t shown = std::numeric_limits<std::size_t>::max()) {
  std::ostringstream os;
  os << '{';
  for (std::size_t i = 0; i < values.size() && i < shown; ++i) {
    os << (i ? ", " : "") << Num(values[i]);
  }
  if (values.size() > shown) os << ", ... (" << values.size() << ")";
  os << '}';
  return os.str();
}

// Divider cases reach whole bundled series (E24: 169 values), of which 40 say enough.
inline std::string Describe(const std::vector<double>& values, const DividerParameters& p) {
  std::ostringstream os;
  os << "values " << ShowValues(values, 40) << ", U=" << p.upperCount << " "
     << ModeName(p.upperMode) << ", L=" << p.lowerCount << " " << ModeName(p.lowerMode)
     << ", maxResults " << p.maxResults << ", target " << Num(p.targetFactor) << ", tolerance "
     << Num(p.tolerance) << ", series [" << Num(p.seriesMin) << ", " << Num(p.seriesMax)
     << "], parallel [" << Num(p.parallelMin) << ", " << Num(p.parallelMax) << "], source "
     << Num(p.sourceResistance) << ", load conductance " << Num(p.loadConductance);
  return os.str();
}

inline std::string Describe(const std::vector<double>& values, const TargetParameters& p) {
  std::ostringstream os;
  os << "values " << ShowValues(values) << ", N=" << p.resistorCount << ", mode "
     << static_cast<int>(p.connectionMode) << ", maxResults " << p.maxResults << ", target "
     << Num(p.targetResistance) << ", tolerance " << Num(p.tolerance);
  return os.str();
}

}  // namespace ordavin::testing
