#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "divider/DividerEngine.h"
#include "search/RankedCandidate.h"

namespace ordavin {

namespace fast_divider {
struct Plan;
class HeadStart;
class Sweeper;
}  // namespace fast_divider

class StraightforwardDividerEngine;

// The divider search, made fast without changing its answer. The upper network's multisets
// are evaluated once and sorted by the sum the network stores. Along that order the division
// factor, the error and both windows' totals are monotone for a fixed lower network, even in
// floating point, so the upper networks that match one lower network form one contiguous
// run, found by binary search; its length is its matching count. Only the few of the run
// that can still rank among the best are evaluated one by one. The lower networks are taken
// in chunks of ranks, each sorted the same way so that consecutive searches stay close
// together. Networks that the tolerance and the windows rule out whatever the other side is
// are left out from the start. After a complete run the kept matches, every figure of them
// and both counts are those of StraightforwardDividerEngine to the last bit.
//
// What the method does not cover (values that are not positive and finite, parameters that
// break the monotony, a combination count past 64 bits, more memory than allowed even in
// slabs) is handed to StraightforwardDividerEngine itself.
//
// The pieces of the method live in divider/fast/, in namespace fast_divider.
class FastDividerEngine final : public DividerEngine {
 public:
  struct Tuning {
    std::uint64_t memoryLimit = 0;  // bytes; 0: half the machine's memory
    unsigned workers = 0;           // 0: one per core
    // Keep what an aborted run accounted for, so that it can be checked against a plain
    // search over exactly those combinations.
    bool recordAccounted = false;
    // Lower networks per band when they are taken in key order; 0: the default.
    std::uint64_t lowerBandItems = 0;
  };

  struct RunInfo {
    bool fallback = false;             // the straightforward engine did the run
    std::uint64_t upperKept = 0;       // upper multisets that can take part in a match
    std::uint64_t memoryEstimate = 0;  // bytes the run needs with the upper side in one piece
    std::uint32_t upperSlabs = 0;
    unsigned workers = 0;
    bool lowersInKeyOrder = false;  // the lower side was taken in shares and bands
  };

  explicit FastDividerEngine(const ValueSet& values);
  ~FastDividerEngine() override;

  void SetTuning(const Tuning& tuning) { m_tuning = tuning; }

  std::uint64_t Optimize(const std::atomic<bool>& abortRequested) override;
  SearchForecast Forecast() const override;

  const RunInfo& LastRun() const { return m_info; }

  // With recordAccounted, after an aborted run over one upper slab, what the counts and kept
  // matches cover: each lower multiset listed here (ranks ascending) against every upper
  // one, and the first lower multiset, when it is not listed, against the upper multisets
  // of ranks below FirstLowerUppers(). Lower multisets that cannot match anything are left
  // out of the sweep and accounted only when the run completes.
  std::span<const std::uint64_t> AccountedLowerRanks() const { return m_accountedLowers; }
  std::uint64_t FirstLowerUppers() const { return m_firstLowerUppers; }

 private:
  // TooLarge: even in slabs the sorted side does not fit in the memory allowed.
  enum class SweepOutcome { Complete, Aborted, TooLarge };

  std::uint64_t RunFast(const fast_divider::Plan& plan, const std::atomic<bool>& abortRequested);
  SweepOutcome Sweep(const fast_divider::Plan& plan, std::vector<fast_divider::Sweeper>& sweepers,
                     const std::atomic<bool>& abortRequested);
  void NoteHeadStart(const fast_divider::Plan& plan, const fast_divider::HeadStart& head);
  std::uint64_t Merge(const fast_divider::Plan& plan, fast_divider::HeadStart& head,
                      std::vector<fast_divider::Sweeper>& sweepers);
  // Why a search the plan does not take goes to the straightforward engine.
  static SlowPath UncoveredPath(const SearchForecast& forecast);
  std::uint64_t RunReference(SlowPath why, const std::atomic<bool>& abortRequested);
  void WriteMatches(const fast_divider::Plan& plan, std::span<const RankedCandidate> best);

  Tuning m_tuning;
  RunInfo m_info;
  std::vector<std::uint64_t> m_accountedLowers;
  std::uint64_t m_firstLowerUppers = 0;
  std::unique_ptr<StraightforwardDividerEngine> m_reference;
};

}  // namespace ordavin
