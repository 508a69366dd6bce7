#pragma once

#include <initializer_list>
#include <vector>

#include "values/ResValueSet.h"

namespace ordavin::testing {

// A value set whose full and working sets are exactly the given values.
inline void SetValues(CResValueSet& set, std::initializer_list<double> values) {
  set.m_allValues.assign(values.begin(), values.end());
  set.m_nTotal = static_cast<std::uint32_t>(set.m_allValues.size());
  set.ResetWorkingSet();
}

inline void SetValues(CResValueSet& set, const std::vector<double>& values) {
  set.m_allValues = values;
  set.m_nTotal = static_cast<std::uint32_t>(values.size());
  set.ResetWorkingSet();
}

}  // namespace ordavin::testing
