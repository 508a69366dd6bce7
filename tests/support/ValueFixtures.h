#pragma once

#include <initializer_list>
#include <span>
#include <vector>

#include "values/ValueSet.h"

namespace ordavin::testing {

// A value set whose full and working sets are exactly the given values.
inline void SetValues(ValueSet& set, std::span<const double> values) { set.AssignValues(values); }

inline void SetValues(ValueSet& set, std::initializer_list<double> values) {
  set.AssignValues(std::span<const double>(values.begin(), values.size()));
}

inline ValueSet MakeValueSet(std::span<const double> values) {
  ValueSet set;
  set.AssignValues(values);
  return set;
}

}  // namespace ordavin::testing
