#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "divider/DividerParameters.h"
#include "values/ValueSet.h"

namespace ordavin::divider_bench {

// One search of the divider benchmark: a bundled series, networks of `count` resistors on
// both sides, the upper one in parallel or in series.
struct Case {
  const char* series;
  std::uint32_t count;
  bool upperParallel;
  double goalSeconds;            // for the fast engine, cold; 0: a speed-up of 100 instead
  double goalMemoryGiB;          // 0: none
  bool straightforwardToTheEnd;  // run it whole, and compare the results
};

std::span<const Case> Cases();

// As --only matches it, e.g. "E96 3+3 par/ser".
std::string CaseName(const Case& c);

std::string SeriesPath(const char* series);
bool LoadSeries(const char* series, ValueSet& values);

// The benchmark's search: factor 1.25/3.3, 1 %, series window 1000..100000, parallel window
// off, 10 results, lower network in series.
DividerParameters Parameters(const Case& c);

}  // namespace ordavin::divider_bench
