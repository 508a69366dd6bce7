#pragma once

#include <cstdint>
#include <vector>

#include "target/TargetEngine.h"

namespace ordavin {

// The straightforward target search: every multiset of N working values in colexicographic
// order, evaluated in parallel and/or in series. The reference the fast engine must match.
class StraightforwardTargetEngine final : public TargetEngine {
 public:
  using TargetEngine::TargetEngine;

  std::uint64_t Optimize(const std::atomic<bool>& abortRequested) override;
  SearchForecast Forecast() const override { return ForecastFor(m_parameters); }
  // The forecast of a run with these parameters over the current working set.
  SearchForecast ForecastFor(const TargetParameters& parameters) const;

  // Advances the positions (followed by the sentinels n - 1 and 0); false when done.
  static bool NextCombination(std::vector<std::int32_t>& indices, std::uint32_t resistorCount);

 private:
  void InsertCurrent();

  TargetMatch m_current;
};

}  // namespace ordavin
