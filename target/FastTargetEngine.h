#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "target/TargetEngine.h"
#include "target/mixed/FastMixedSearch.h"

namespace ordavin {

class StraightforwardTargetEngine;
namespace fast_target {
class FastTargetPlan;
}

// The target search, made fast without changing its answer. A multiset's total is the fold
// of its terms in position order, so its first positions (the prefix) can be shared while the
// last ones cannot be split off. The prefixes are sorted once by their exact partial sum;
// those whose last position is at most m, extended by position m and then by a fixed suffix
// of at most two later positions, keep that order even in floating point, so the error is
// monotone along them and the matches form one contiguous run, found by galloping search on
// the exact sums. Only the few of a run that can still rank among the best are evaluated.
// After a complete run the kept matches, every figure of them and both counts are those of
// StraightforwardTargetEngine to the last bit.
//
// Mixed networks are searched by FastMixedSearch. What the methods do not cover (values that
// are not positive and finite, more than five resistors, a combination count past 64 bits,
// more memory than allowed; for mixed networks also values out of ascending order or a target
// below zero) is handed to StraightforwardTargetEngine itself.
class FastTargetEngine final : public TargetEngine {
 public:
  struct Tuning {
    std::uint64_t memoryLimit = 0;  // bytes; 0: half the machine's memory
    unsigned workers = 0;           // 0: one per core
    // Mixed networks: the longest list of parts kept (0: FastMixedSearch's own).
    std::uint64_t mixedListed = 0;
    // For tests of the abort path: act as if aborted once this many units of work are done
    // (0: never), and keep what each unit accounted for.
    std::uint64_t stopAfterUnits = 0;
    bool recordUnits = false;
  };

  // Multisets whose position `prefixLength` is m and whose next position (when there is
  // one) lies in [nextFirst, nextEnd), both evaluations: accounted for by one unit of work.
  struct AccountedUnit {
    std::int32_t m;
    std::int32_t nextFirst;
    std::int32_t nextEnd;
  };

  struct RunInfo {
    bool fallback = false;  // the straightforward engine did the run
    std::uint64_t memoryEstimate = 0;
    unsigned workers = 0;
    std::uint32_t prefixLength = 0;  // positions shared through the sorted prefixes
  };

  explicit FastTargetEngine(const ValueSet& values);
  ~FastTargetEngine() override;

  void SetTuning(const Tuning& tuning) { m_tuning = tuning; }

  std::uint64_t Optimize(const std::atomic<bool>& abortRequested) override;
  SearchForecast Forecast() const override;

  const RunInfo& LastRun() const { return m_info; }
  // With recordUnits: what the last run accounted for, in no particular order.
  const std::vector<AccountedUnit>& AccountedUnits() const { return m_units; }

 private:
  // Lays out the plan without preparing it; None when the fast method can take the search.
  SlowPath LayOutPlan(fast_target::FastTargetPlan& plan, RunInfo& info) const;
  std::uint64_t RunFast(fast_target::FastTargetPlan& plan, const std::atomic<bool>& abortRequested);
  std::uint64_t RunReference(SlowPath why, const std::atomic<bool>& abortRequested);
  SlowPath LayOutMixed(std::optional<FastMixedSearch::Layout>& layout, RunInfo& info) const;
  std::uint64_t RunMixed(const std::atomic<bool>& abortRequested);

  Tuning m_tuning;
  RunInfo m_info;
  std::vector<AccountedUnit> m_units;
  std::unique_ptr<StraightforwardTargetEngine> m_reference;
};

}  // namespace ordavin
