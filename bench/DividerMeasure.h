#pragma once

#include <optional>

#include "bench/ChildProcess.h"
#include "bench/DividerBenchCase.h"

namespace ordavin::divider_bench {

// Three fresh processes: the median of their first runs is the cold time, the best of their
// repeats the warm one; the peak memory is the largest.
Report MeasureFast(const Case& c);

// One process; with a budget the run is stopped after it and extrapolated from the share it
// visited.
Report MeasureStraightforward(const Case& c, std::optional<double> budget);

// How long the fast engine takes to return once the abort flag is set, at a few points of
// a long run.
double WorstAbortLatency(const Case& c, double runSeconds);

}  // namespace ordavin::divider_bench
