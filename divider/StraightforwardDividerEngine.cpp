#include "divider/StraightforwardDividerEngine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "divider/DividerArithmetic.h"
#include "values/ValueSet.h"

namespace ordavin {

void StraightforwardDividerEngine::ResetIndices(std::vector<std::int32_t>& indices,
                                                std::uint32_t upperCount, std::uint32_t lowerCount,
                                                std::uint32_t valueCount) {
  const std::uint32_t u = upperCount;
  const std::uint32_t l = lowerCount;
  indices.assign(u + l + 4, 0);
  const auto last = static_cast<std::int32_t>(valueCount) - 1;
  indices[u] = last;
  indices[u + 1] = 0;
  indices[u + l + 2] = last;
  indices[u + l + 3] = 0;
}

bool StraightforwardDividerEngine::NextCombination(std::vector<std::int32_t>& indices,
                                                   std::uint32_t upperCount,
                                                   std::uint32_t lowerCount) {
  std::int32_t* d = indices.data();
  std::uint32_t i = 0;
  while (d[i] == d[i + 1]) d[i++] = 0;
  if (i + 1 <= upperCount) {
    ++d[i];
    return true;
  }
  i = upperCount + 2;
  while (d[i] == d[i + 1]) d[i++] = 0;
  if (i > upperCount + lowerCount + 1) return false;
  ++d[i];
  return true;
}

SearchForecast StraightforwardDividerEngine::ForecastFor(
    const DividerParameters& parameters) const {
  // One evaluation per pair of networks, about 1e8 a second (E24 2 + 2, one core).
  constexpr double kVisitsPerSecond = 1.0e8;
  const std::uint32_t n = m_values.WorkingCount();
  SearchForecast forecast;
  forecast.combinations =
      MultisetCount(n, parameters.upperCount) * MultisetCount(n, parameters.lowerCount);
  forecast.seconds = forecast.combinations / kVisitsPerSecond;
  return forecast;
}

std::uint64_t StraightforwardDividerEngine::Optimize(const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_parameters;
  const std::uint32_t n = m_values.WorkingCount();
  if (n < 2 || p.upperCount < 1 || p.lowerCount < 1 || n > m_values.WorkingSlots().size() ||
      n > static_cast<std::uint32_t>(INT32_MAX)) {
    throw std::invalid_argument("The divider search needs at least two working values.");
  }
  ClearBestMatches();

  // Every digit stays below n, checked once here rather than per lookup.
  const double* values = m_values.WorkingValues().data();
  ResetIndices(m_indices, p.upperCount, p.lowerCount, n);
  const std::int32_t* upper = m_indices.data();
  const std::int32_t* lower = m_indices.data() + p.upperCount + 2;

  std::uint64_t visited = 0;
  m_matchingCount = 0;
  m_visitedCount.store(0, std::memory_order_relaxed);

  do {
    if (abortRequested.load(std::memory_order_relaxed)) break;
    const DividerEvaluation e =
        EvaluateDivider(EvaluateNetwork(values, upper, p.upperCount, p.upperMode),
                        EvaluateNetwork(values, lower, p.lowerCount, p.lowerMode), p);
    if (PassesDividerFilters(e, p)) {
      ++m_matchingCount;
      InsertMatch(e);
    }
    m_visitedCount.store(++visited, std::memory_order_relaxed);
  } while (NextCombination(m_indices, p.upperCount, p.lowerCount));
  return m_matchingCount;
}

void StraightforwardDividerEngine::InsertMatch(const DividerEvaluation& evaluation) {
  DividerMatch* slot = MakeRoomFor(std::fabs(evaluation.error));
  if (slot == nullptr) return;
  static_cast<DividerEvaluation&>(*slot) = evaluation;
  slot->indices.assign(m_indices.begin(), m_indices.end());
  slot->upperMode = m_parameters.upperMode;
  slot->lowerMode = m_parameters.lowerMode;
}

}  // namespace ordavin
