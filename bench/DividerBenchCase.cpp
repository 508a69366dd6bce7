#include "bench/DividerBenchCase.h"

#include "divider/NetworkMode.h"

namespace ordavin::divider_bench {
namespace {

constexpr Case kCases[] = {
    {"E24", 2, true, 0.0, 0, true},     {"E24", 2, false, 0.0, 0, true},
    {"E24", 3, true, 0.25, 0, false},   {"E24", 3, false, 0.25, 0, false},
    {"E24", 4, true, 5.0, 0, false},    {"E24", 4, false, 5.0, 0, false},
    {"E96", 2, true, 0.1, 0, false},    {"E96", 2, false, 0.1, 0, false},
    {"E96", 3, true, 10.0, 2.0, false}, {"E96", 3, false, 10.0, 2.0, false},
};

}  // namespace

std::span<const Case> Cases() { return kCases; }

std::string CaseName(const Case& c) {
  return std::string(c.series) + " " + std::to_string(c.count) + "+" + std::to_string(c.count) +
         (c.upperParallel ? " par/ser" : " ser/ser");
}

std::string SeriesPath(const char* series) {
  return std::string(ORDAVIN_SERIES_DIR) + "/" + series + ".SER";
}

bool LoadSeries(const char* series, ValueSet& values) {
  if (!values.LoadSeriesFile(SeriesPath(series))) return false;
  values.GenerateValues();
  values.ResetWorkingSet();
  return true;
}

DividerParameters Parameters(const Case& c) {
  DividerParameters p;
  p.targetFactor = 1.25 / 3.3;
  p.tolerance = 0.01;
  p.seriesMin = 1000;
  p.seriesMax = 100000;
  p.maxResults = 10;
  p.upperCount = c.count;
  p.lowerCount = c.count;
  p.upperMode = c.upperParallel ? NetworkMode::Parallel : NetworkMode::Series;
  p.lowerMode = NetworkMode::Series;
  return p;
}

}  // namespace ordavin::divider_bench
