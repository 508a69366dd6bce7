#include "target/FastTargetEngine.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "search/MemoryBudget.h"
#include "search/ParallelWork.h"
#include "search/RankedCandidate.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetArithmetic.h"
#include "target/fast/FastTargetPlan.h"
#include "target/fast/RunControl.h"
#include "target/fast/TargetWorker.h"
#include "target/mixed/FastMixedSearch.h"
#include "values/ValueSet.h"

namespace ordavin {

using fast_target::FastTargetPlan;
using fast_target::RunControl;

namespace {

// Prefix ranks are kept in 32 bits; n(n + 1)/2 fits below this n.
constexpr std::uint32_t kMaxValuesFor32BitRanks = 92681;

// A winner's figures, written out with the straightforward engine's own arithmetic.
void WriteMatch(const FastTargetPlan& plan, const TargetParameters& p, const double* values,
                std::uint64_t key, std::vector<std::int32_t>& digits, TargetMatch& slot) {
  const std::uint64_t rank = plan.DoubledKeys() ? key / 2 : key;
  const bool isParallel = plan.DoubledKeys() ? key % 2 == 0 : EvaluatesParallel(p.connectionMode);
  plan.Ranks().Unrank(rank, digits.data());
  slot.indices.assign(digits.begin(), digits.end());
  slot.indices.insert(slot.indices.end(), {static_cast<std::int32_t>(plan.ValueCount()) - 1, 0});
  slot.isParallel = isParallel;
  slot.network = FlatNetworkCode(digits, isParallel);
  slot.total = isParallel ? ParallelTotal(values, digits.data(), plan.Count())
                          : SeriesTotal(values, digits.data(), plan.Count());
  slot.error = RelativeError(slot.total, p.targetResistance);
}

}  // namespace

FastTargetEngine::FastTargetEngine(const ValueSet& values)
    : TargetEngine(values), m_reference(std::make_unique<StraightforwardTargetEngine>(values)) {}

FastTargetEngine::~FastTargetEngine() = default;

std::uint64_t FastTargetEngine::Optimize(const std::atomic<bool>& abortRequested) {
  m_info = RunInfo{};
  m_units.clear();
  m_visitedCount.store(0, std::memory_order_relaxed);
  m_slowPath.store(SlowPath::None, std::memory_order_relaxed);
  m_matchingCount = 0;
  if (m_parameters.connectionMode == ConnectionMode::Mixed) return RunMixed(abortRequested);
  FastTargetPlan plan;
  const SlowPath slowPath = LayOutPlan(plan, m_info);
  if (slowPath != SlowPath::None) return RunReference(slowPath, abortRequested);
  plan.Prepare(m_values.WorkingValues().data(), m_parameters.targetResistance,
               m_parameters.tolerance);
  return RunFast(plan, abortRequested);
}

SearchForecast FastTargetEngine::Forecast() const {
  FastTargetPlan plan;
  RunInfo info;
  SearchForecast forecast = m_reference->ForecastFor(m_parameters);
  if (m_parameters.connectionMode == ConnectionMode::Mixed) {
    std::optional<FastMixedSearch::Layout> layout;
    forecast.slowPath = LayOutMixed(layout, info);
    if (forecast.slowPath != SlowPath::None) return forecast;
    // One search accounts for about as many networks as there are values (measured on two
    // cores: E24 and E96, four and five resistors, 0.6 s to 5 min, within a factor of two).
    constexpr double kSecondsPerStep = 9.0e-10;
    forecast.seconds =
        kSecondsPerStep * forecast.combinations / static_cast<double>(m_values.WorkingCount());
    return forecast;
  }
  forecast.slowPath = LayOutPlan(plan, info);
  if (forecast.slowPath != SlowPath::None) return forecast;
  // The sorted prefixes make the work grow about as the square root of the combinations
  // (measured: E24, E96 and E192 with five resistors, 3 ms to 0.95 s).
  constexpr double kSecondsPerRootCombination = 1.2e-7;
  forecast.seconds = kSecondsPerRootCombination * std::sqrt(forecast.combinations);
  return forecast;
}

SlowPath FastTargetEngine::LayOutPlan(FastTargetPlan& plan, RunInfo& info) const {
  const TargetParameters& p = m_parameters;
  const std::uint32_t n = m_values.WorkingCount();
  const std::uint32_t count = p.resistorCount;
  if (p.connectionMode == ConnectionMode::Mixed) return SlowPath::NotCovered;
  if (count == 0 || count > fast_target::kMaxCount || n == 0 ||
      n > m_values.WorkingSlots().size() || n >= kMaxValuesFor32BitRanks) {
    return SlowPath::NotCovered;
  }
  const double* values = m_values.WorkingValues().data();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (!std::isfinite(values[i]) || !(values[i] > 0.0)) return SlowPath::NotCovered;
  }
  if (!plan.LayOut(n, count, EvaluatesParallel(p.connectionMode),
                   EvaluatesSeries(p.connectionMode))) {
    return SlowPath::NotCovered;
  }
  plan.ChooseWorkers(m_tuning.workers != 0 ? m_tuning.workers : CoreCount());
  info.memoryEstimate = plan.MemoryEstimate();
  info.workers = plan.Workers();
  info.prefixLength = plan.PrefixLength();
  const std::uint64_t limit =
      m_tuning.memoryLimit != 0 ? m_tuning.memoryLimit : DefaultMemoryLimit();
  if (info.memoryEstimate > limit) return SlowPath::Memory;
  return SlowPath::None;
}

std::uint64_t FastTargetEngine::RunFast(FastTargetPlan& plan,
                                        const std::atomic<bool>& abortRequested) {
  const TargetParameters& p = m_parameters;
  if (m_bestMatches.size() < p.maxResults) m_bestMatches.resize(p.maxResults);
  for (std::uint32_t j = 0; j < p.maxResults; ++j) m_bestMatches[j].error = p.tolerance + 1.0;
  if (!plan.BucketPrefixes(abortRequested)) return 0;

  RunControl control(abortRequested, m_tuning.stopAfterUnits, m_tuning.recordUnits);
  fast_target::WorkerResults results =
      fast_target::RunTargetWorkers(plan, p.maxResults, control, m_visitedCount);
  m_matchingCount += results.matching;
  m_units.insert(m_units.end(), results.units.begin(), results.units.end());
  m_visitedCount.store(results.accounted, std::memory_order_relaxed);
  const BestCandidates best =
      MergeBestLists(std::span<const BestCandidates>(results.lists), std::size_t{p.maxResults});

  const double* values = m_values.WorkingValues().data();
  std::vector<std::int32_t> digits(plan.Count());
  const auto entries = best.Entries();
  for (std::size_t j = 0; j < entries.size(); ++j) {
    WriteMatch(plan, p, values, entries[j].visitKey, digits, m_bestMatches[j]);
  }
  return m_matchingCount;
}

SlowPath FastTargetEngine::LayOutMixed(std::optional<FastMixedSearch::Layout>& layout,
                                       RunInfo& info) const {
  const std::uint32_t n = m_values.WorkingCount();
  if (n > m_values.WorkingSlots().size()) return SlowPath::NotCovered;
  layout = FastMixedSearch::LayOut(
      m_values.WorkingValues().first(n), m_parameters.resistorCount, m_parameters.targetResistance,
      m_tuning.mixedListed != 0 ? m_tuning.mixedListed : FastMixedSearch::kListedNetworks);
  if (!layout) return SlowPath::NotCovered;
  info.memoryEstimate = layout->bytes;
  info.workers = m_tuning.workers != 0 ? m_tuning.workers : CoreCount();
  const std::uint64_t limit =
      m_tuning.memoryLimit != 0 ? m_tuning.memoryLimit : DefaultMemoryLimit();
  return layout->bytes > limit ? SlowPath::Memory : SlowPath::None;
}

std::uint64_t FastTargetEngine::RunMixed(const std::atomic<bool>& abortRequested) {
  std::optional<FastMixedSearch::Layout> layout;
  const SlowPath slowPath = LayOutMixed(layout, m_info);
  if (slowPath != SlowPath::None) return RunReference(slowPath, abortRequested);
  ClearBestMatches();
  FastMixedSearch search(m_values.WorkingValues().first(m_values.WorkingCount()), m_parameters,
                         *layout);
  m_matchingCount = search.Run(m_info.workers, abortRequested, m_visitedCount, m_bestMatches);
  return m_matchingCount;
}

std::uint64_t FastTargetEngine::RunReference(SlowPath why,
                                             const std::atomic<bool>& abortRequested) {
  m_info.fallback = true;
  return RunInstead(*m_reference, why, abortRequested);
}

}  // namespace ordavin
