#pragma once

#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/Reach.h"
#include "divider/fast/SideKeys.h"
#include "divider/fast/WindowTests.h"
#include "search/MultisetRanks.h"
#include "values/ValueSet.h"

namespace ordavin::fast_divider {

// What the fast path works from: both sides' forms, ranks and terms, the window tests in
// force and the reach bounds.
struct Plan {
  std::uint32_t n = 0;
  SideForm upperForm;
  SideForm lowerForm;
  MultisetRanks upper;
  MultisetRanks lower;
  std::vector<double> upperTerms;
  std::vector<double> lowerTerms;
  // The working values never fall from one position to the next (see LowerShare).
  bool ascending = false;
  std::int32_t smallest = 0;  // digits of the smallest and largest value
  std::int32_t largest = 0;
  WindowTests tests;
  Reach reach;
  std::uint64_t total = 0;
};

// Fills `plan` for the search; false when the fast path does not cover it.
bool MakePlan(const DividerParameters& p, const ValueSet& values, Plan& plan);

}  // namespace ordavin::fast_divider
