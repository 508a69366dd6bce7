#pragma once

#include <cstdint>
#include <vector>

#include "divider/DividerEngine.h"

namespace ordavin {

// The straightforward divider search: every upper multiset against every lower multiset,
// in odometer order, evaluated one by one. The reference the fast engine must agree with.
class StraightforwardDividerEngine final : public DividerEngine {
 public:
  using DividerEngine::DividerEngine;

  std::uint64_t Optimize(const std::atomic<bool>& abortRequested) override;
  SearchForecast Forecast() const override { return ForecastFor(m_parameters); }
  // The forecast of a run with these parameters over the current working set.
  SearchForecast ForecastFor(const DividerParameters& parameters) const;

  // The enumeration step over the index vector; false once both networks have wrapped.
  static bool NextCombination(std::vector<std::int32_t>& indices, std::uint32_t upperCount,
                              std::uint32_t lowerCount);
  // A fresh index vector: every digit 0, the sentinel pairs (n - 1, 0) after each network.
  static void ResetIndices(std::vector<std::int32_t>& indices, std::uint32_t upperCount,
                           std::uint32_t lowerCount, std::uint32_t valueCount);

 private:
  void InsertMatch(const DividerEvaluation& evaluation);

  std::vector<std::int32_t> m_indices;
};

}  // namespace ordavin
