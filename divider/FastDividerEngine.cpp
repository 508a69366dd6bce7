#include "divider/FastDividerEngine.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

#include "divider/DividerArithmetic.h"
#include "divider/StraightforwardDividerEngine.h"
#include "divider/fast/HeadStart.h"
#include "divider/fast/JobSizes.h"
#include "divider/fast/LowerSweep.h"
#include "divider/fast/Plan.h"
#include "divider/fast/SlabPlan.h"
#include "divider/fast/Sweeper.h"
#include "divider/fast/UpperSide.h"
#include "search/BestList.h"
#include "search/BucketSort.h"
#include "search/MemoryBudget.h"
#include "search/MultisetRanks.h"
#include "search/ParallelWork.h"
#include "values/ValueSet.h"

namespace ordavin {

using fast_divider::HeadStart;
using fast_divider::Plan;
using fast_divider::Sweeper;

namespace {

// Each slab of the upper side sorted in turn, then swept by every lower network. False when
// aborted.
bool SweepSlabs(fast_divider::UpperSide& uppers, const fast_divider::SlabPlan& slabs,
                const fast_divider::LowerSweep& lowers, std::vector<Sweeper>& sweepers,
                std::uint64_t droppedUppers, const std::atomic<bool>& abortRequested) {
  uppers.Allocate(slabs.LargestSlab());
  const std::span<const BucketRange> ranges = slabs.Slabs();
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    if (ranges[i].items == 0) continue;
    if (!uppers.Sort(ranges[i], abortRequested)) return false;
    // The combinations with an upper network left out (it cannot match) count with the
    // first slab.
    const std::uint64_t weight = ranges[i].items + (i == 0 ? droppedUppers : 0);
    if (!lowers.Run(sweepers, uppers.Sorted(), weight, abortRequested)) return false;
  }
  return true;
}

}  // namespace

FastDividerEngine::FastDividerEngine(const ValueSet& values)
    : DividerEngine(values), m_reference(std::make_unique<StraightforwardDividerEngine>(values)) {}

FastDividerEngine::~FastDividerEngine() = default;

SearchForecast FastDividerEngine::Forecast() const {
  SearchForecast forecast = m_reference->ForecastFor(m_parameters);
  Plan plan;
  if (!MakePlan(m_parameters, m_values, plan)) {
    forecast.slowPath = UncoveredPath(forecast);
    return forecast;
  }
  // Sorting the upper networks and one search per lower network, each about log2(uppers)
  // steps; the sorted side takes some 12 bytes a network and, past the memory limit, is
  // swept slab by slab. Measured on E24 4 + 4, E96 3 + 3 and E192 3 + 3 (0.6 s to 34 s) with
  // no network ruled out, so windows and tolerance only make it quicker.
  constexpr double kSecondsPerStep = 1.5e-9;
  constexpr double kBytesPerUpper = 12.0;
  const double uppers = static_cast<double>(plan.upper.Count());
  const double lowers = static_cast<double>(plan.lower.Count());
  const double steps = std::log2(std::max(uppers, 2.0));
  const double limit =
      static_cast<double>(m_tuning.memoryLimit != 0 ? m_tuning.memoryLimit : DefaultMemoryLimit());
  const double slabs = std::max(1.0, std::ceil(uppers * kBytesPerUpper / limit));
  forecast.seconds = kSecondsPerStep * steps * (uppers + slabs * lowers);
  return forecast;
}

std::uint64_t FastDividerEngine::Optimize(const std::atomic<bool>& abortRequested) {
  m_info = RunInfo{};
  m_accountedLowers.clear();
  m_firstLowerUppers = 0;
  m_matchingCount = 0;
  m_visitedCount.store(0, std::memory_order_relaxed);
  m_slowPath.store(SlowPath::None, std::memory_order_relaxed);
  // The index vector of a match (both networks' digits and two pairs) must be countable.
  if (std::uint64_t{m_parameters.upperCount} + m_parameters.lowerCount + 4 > UINT32_MAX) {
    throw std::invalid_argument("A divider network of that many resistors cannot be searched.");
  }
  Plan plan;
  if (!MakePlan(m_parameters, m_values, plan)) {
    return RunReference(UncoveredPath(m_reference->ForecastFor(m_parameters)), abortRequested);
  }
  try {
    return RunFast(plan, abortRequested);
  } catch (const std::bad_alloc&) {
    // Short of memory after all: the straightforward engine needs next to none.
  }
  m_accountedLowers.clear();
  m_firstLowerUppers = 0;
  m_matchingCount = 0;
  m_visitedCount.store(0, std::memory_order_relaxed);
  return RunReference(SlowPath::Memory, abortRequested);
}

std::uint64_t FastDividerEngine::RunFast(const Plan& plan,
                                         const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_parameters;
  if (m_bestMatches.size() < p.maxResults) m_bestMatches.resize(p.maxResults);
  const unsigned workers = m_tuning.workers != 0 ? m_tuning.workers : CoreCount();
  m_info.workers = workers;

  // The head start runs beside the build; on a small search it is over before a thread
  // would have started.
  HeadStart head(p, plan, m_values.WorkingValues().data(), m_visitedCount);
  head.Start(plan.upper.Count() >= fast_divider::kSmallJob, abortRequested);
  std::vector<Sweeper> sweepers(workers, Sweeper(p, plan));
  const SweepOutcome outcome = Sweep(plan, sweepers, abortRequested);
  if (outcome == SweepOutcome::TooLarge) {
    // Even in slabs the sorted side does not fit: start again the straightforward way.
    head.Stop();
    m_visitedCount.store(0, std::memory_order_relaxed);
    return RunReference(SlowPath::Memory, abortRequested);
  }
  head.Finish();
  const bool complete =
      outcome == SweepOutcome::Complete && head.AccountedUppers() == plan.upper.Count();
  if (m_tuning.recordAccounted && !complete) NoteHeadStart(plan, head);

  // The lower networks left out of the sweep (they cannot match) are accounted with the
  // complete run.
  if (complete) m_visitedCount.store(plan.total, std::memory_order_relaxed);
  return Merge(plan, head, sweepers);
}

// The upper side counted, planned in slabs within the memory limit, and swept slab by slab.
FastDividerEngine::SweepOutcome FastDividerEngine::Sweep(const Plan& plan,
                                                         std::vector<Sweeper>& sweepers,
                                                         const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_parameters;
  const auto workers = static_cast<unsigned>(sweepers.size());
  fast_divider::UpperSide uppers(p, plan, workers);
  if (!uppers.Count(abortRequested)) return SweepOutcome::Aborted;
  m_info.upperKept = uppers.Kept();
  const fast_divider::SlabPlan slabs(uppers.Histogram(), workers, p.maxResults, uppers.WideRanks(),
                                     fast_divider::LowerSweep::CursorBytes(plan, workers),
                                     m_tuning.memoryLimit);
  m_info.memoryEstimate = slabs.MemoryEstimate();
  if (slabs.Slabs().empty()) return SweepOutcome::TooLarge;
  m_info.upperSlabs = static_cast<std::uint32_t>(slabs.Slabs().size());
  m_info.lowersInKeyOrder = plan.ascending;

  const bool record = m_tuning.recordAccounted && slabs.Slabs().size() == 1;
  const std::uint64_t bandItems =
      m_tuning.lowerBandItems != 0 ? m_tuning.lowerBandItems : fast_divider::kLowerBandItems;
  fast_divider::LowerSweep lowers(p, plan, m_visitedCount, record, bandItems);
  if (!lowers.Prepare(workers, abortRequested)) return SweepOutcome::Aborted;
  const bool complete = SweepSlabs(uppers, slabs, lowers, sweepers,
                                   plan.upper.Count() - uppers.Kept(), abortRequested);
  if (record && !complete) {
    for (const Sweeper& sweeper : sweepers) {
      m_accountedLowers.insert(m_accountedLowers.end(), sweeper.Accounted().begin(),
                               sweeper.Accounted().end());
    }
  }
  return complete ? SweepOutcome::Complete : SweepOutcome::Aborted;
}

// What an aborted run accounted for, with the head start's share (see AccountedLowerRanks).
void FastDividerEngine::NoteHeadStart(const Plan& plan, const HeadStart& head) {
  m_firstLowerUppers = head.AccountedUppers();
  if (head.AccountedUppers() == plan.upper.Count()) m_accountedLowers.push_back(0);
  std::sort(m_accountedLowers.begin(), m_accountedLowers.end());
}

// The counts and best lists of the head start and every sweeper, brought together.
std::uint64_t FastDividerEngine::Merge(const Plan& plan, HeadStart& head,
                                       std::vector<Sweeper>& sweepers) {
  std::vector<BestCandidates> lists;
  lists.reserve(sweepers.size() + 1);
  m_matchingCount = head.Matching();
  lists.push_back(head.TakeBest());
  for (Sweeper& sweeper : sweepers) {
    m_matchingCount += sweeper.Matching();
    lists.push_back(sweeper.TakeBest());
  }
  const BestCandidates merged =
      MergeBestLists<RankedCandidate, RankedCandidateBefore>(lists, m_parameters.maxResults);
  WriteMatches(plan, merged.Entries());
  return m_matchingCount;
}

void FastDividerEngine::WriteMatches(const Plan& plan, std::span<const RankedCandidate> best) {
  const DividerParameters& p = m_parameters;
  const double* values = m_values.WorkingValues().data();
  const auto last = static_cast<std::int32_t>(plan.n) - 1;
  std::int32_t upper[MultisetRanks::kMaxCount];
  std::int32_t lower[MultisetRanks::kMaxCount];
  for (std::size_t j = 0; j < best.size(); ++j) {
    plan.upper.Unrank(best[j].visitKey % plan.upper.Count(), upper);
    plan.lower.Unrank(best[j].visitKey / plan.upper.Count(), lower);
    DividerMatch& slot = m_bestMatches[j];
    static_cast<DividerEvaluation&>(slot) =
        EvaluateDivider(EvaluateNetwork(values, upper, p.upperCount, p.upperMode),
                        EvaluateNetwork(values, lower, p.lowerCount, p.lowerMode), p);
    slot.indices.assign(upper, upper + p.upperCount);
    slot.indices.insert(slot.indices.end(), {last, 0});
    slot.indices.insert(slot.indices.end(), lower, lower + p.lowerCount);
    slot.indices.insert(slot.indices.end(), {last, 0});
    slot.upperMode = p.upperMode;
    slot.lowerMode = p.lowerMode;
  }
  // What the reference leaves in the slots it did not fill.
  for (std::size_t j = best.size(); j < p.maxResults; ++j) m_bestMatches[j].error = p.tolerance + 1;
}

SlowPath FastDividerEngine::UncoveredPath(const SearchForecast& forecast) {
  return forecast.combinations >= kCountableCombinations ? SlowPath::TooMany : SlowPath::NotCovered;
}

std::uint64_t FastDividerEngine::RunReference(SlowPath why,
                                              const std::atomic<bool>& abortRequested) {
  m_info.fallback = true;
  return RunInstead(*m_reference, why, abortRequested);
}

}  // namespace ordavin
