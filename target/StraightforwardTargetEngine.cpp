#include "target/StraightforwardTargetEngine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "target/TargetArithmetic.h"
#include "target/mixed/MixedNetworkCount.h"
#include "target/mixed/MixedReferenceSearch.h"
#include "values/ValueSet.h"

namespace ordavin {

bool StraightforwardTargetEngine::NextCombination(std::vector<std::int32_t>& indices,
                                                  std::uint32_t resistorCount) {
  std::int32_t* p = indices.data();
  for (std::uint32_t k = 0; k < resistorCount; ++k) {
    if (p[k] < p[k + 1]) {
      std::fill(p, p + k, 0);
      ++p[k];
      return true;
    }
  }
  return false;
}

SearchForecast StraightforwardTargetEngine::ForecastFor(const TargetParameters& parameters) const {
  // One evaluation per multiset and connection, about 1e8 a second (E24 and E96, one core).
  constexpr double kVisitsPerSecond = 1.0e8;
  const double connections = (EvaluatesParallel(parameters.connectionMode) ? 1.0 : 0.0) +
                             (EvaluatesSeries(parameters.connectionMode) ? 1.0 : 0.0);
  SearchForecast forecast;
  forecast.combinations =
      MultisetCount(m_values.WorkingCount(), parameters.resistorCount) * connections;
  forecast.seconds = forecast.combinations / kVisitsPerSecond;
  if (parameters.connectionMode == ConnectionMode::Mixed) {
    // About 2e7 networks a second (E24, three and four resistors, one core).
    constexpr double kNetworksPerSecond = 2.0e7;
    const auto networks = MixedNetworkCount(m_values.WorkingCount(), parameters.resistorCount);
    forecast.combinations = networks ? static_cast<double>(*networks) : kCountableCombinations;
    forecast.seconds = forecast.combinations / kNetworksPerSecond;
  }
  return forecast;
}

std::uint64_t StraightforwardTargetEngine::Optimize(const std::atomic<bool>& abortRequested) {
  const TargetParameters& p = m_parameters;
  const std::uint32_t n = m_values.WorkingCount();
  const std::uint32_t count = p.resistorCount;
  if (count < 1 || n > m_values.WorkingSlots().size() ||
      n > static_cast<std::uint32_t>(INT32_MAX)) {
    throw std::invalid_argument("The target search needs at least one resistor per combination.");
  }
  ClearBestMatches();
  m_visitedCount.store(0, std::memory_order_relaxed);
  m_matchingCount = 0;
  if (n == 0) return 0;  // no multiset to visit
  if (p.connectionMode == ConnectionMode::Mixed) {
    if (count > kMaxMixedResistors) {
      throw std::invalid_argument("Mixed networks have at most five resistors.");
    }
    m_matchingCount = SearchMixedNetworks(m_values.WorkingValues().data(), n, p, abortRequested,
                                          m_visitedCount, m_bestMatches);
    return m_matchingCount;
  }

  std::vector<std::int32_t>& positions = m_current.indices;
  if (positions.size() < count + 2) positions.resize(count + 2);
  std::fill(positions.begin(), positions.begin() + count, 0);
  positions[count] = static_cast<std::int32_t>(n) - 1;
  positions[count + 1] = 0;

  // Every position stays below n, checked once here rather than per lookup.
  const double* values = m_values.WorkingValues().data();
  const bool parallel = EvaluatesParallel(p.connectionMode);
  const bool series = EvaluatesSeries(p.connectionMode);
  std::uint64_t visited = 0;
  do {
    if (abortRequested.load(std::memory_order_relaxed)) break;
    if (parallel) {
      m_current.isParallel = true;
      m_current.total = ParallelTotal(values, positions.data(), count);
      m_current.error = RelativeError(m_current.total, p.targetResistance);
      if (std::fabs(m_current.error) < p.tolerance) {
        InsertCurrent();
        ++m_matchingCount;
      }
      m_visitedCount.store(++visited, std::memory_order_relaxed);
    }
    if (series) {
      m_current.isParallel = false;
      m_current.total = SeriesTotal(values, positions.data(), count);
      m_current.error = RelativeError(m_current.total, p.targetResistance);
      if (std::fabs(m_current.error) < p.tolerance) {
        InsertCurrent();
        ++m_matchingCount;
      }
      m_visitedCount.store(++visited, std::memory_order_relaxed);
    }
  } while (NextCombination(positions, count));
  return m_matchingCount;
}

void StraightforwardTargetEngine::InsertCurrent() {
  TargetMatch* slot = MakeRoomFor(std::fabs(m_current.error));
  if (slot == nullptr) return;
  slot->indices.assign(m_current.indices.begin(),
                       m_current.indices.begin() + m_parameters.resistorCount + 2);
  slot->isParallel = m_current.isParallel;
  slot->network =
      FlatNetworkCode(m_current.Positions(m_parameters.resistorCount), m_current.isParallel);
  slot->total = m_current.total;
  slot->error = m_current.error;
}

}  // namespace ordavin
