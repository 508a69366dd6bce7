#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>

#include "divider/DividerArithmetic.h"
#include "divider/DividerParameters.h"
#include "divider/fast/Plan.h"
#include "search/RankedCandidate.h"

namespace ordavin::fast_divider {

// The first lower multiset against the upper ones, the straightforward way, while the sorted
// side is built: from the first milliseconds on, the visited count moves and an abort has
// matches to show. Its share is accounted in strides of upper ranks.
class HeadStart {
 public:
  HeadStart(const DividerParameters& p, const Plan& plan, const double* values,
            std::atomic<std::uint64_t>& visited);
  // Should the build fail, the head start is stopped and waited for on the way out.
  ~HeadStart() { Stop(); }
  HeadStart(const HeadStart&) = delete;
  HeadStart& operator=(const HeadStart&) = delete;

  // Runs on a thread of its own when `beside` and a thread can be had, else here and now.
  void Start(bool beside, const std::atomic<bool>& abortRequested);
  // Waits until it has run to its end or seen the abort flag.
  void Finish();
  // Tells it to stop and waits for it.
  void Stop();

  BestCandidates TakeBest() { return std::move(m_best); }
  std::uint64_t Matching() const { return m_matching; }
  std::uint64_t AccountedUppers() const { return m_accountedUppers; }

 private:
  void Run(const std::atomic<bool>& abortRequested);
  // Matches the upper multisets of ranks [first, end) against the lower one; `upper` holds
  // the digits of rank `first` and is left at those of rank `end`.
  void MatchEach(std::uint64_t first, std::uint64_t end, NetworkTotal lower, std::int32_t* upper);
  void MatchGroups(std::uint64_t first, std::uint64_t end, NetworkTotal lower, std::int32_t* upper);
  void Offer(const DividerEvaluation& e, std::uint64_t upperRank);

  BestCandidates m_best;
  std::uint64_t m_matching = 0;
  std::uint64_t m_accountedUppers = 0;
  std::atomic<bool> m_cancelled{false};
  const DividerParameters& m_p;
  const Plan& m_plan;
  const double* m_values;
  std::atomic<std::uint64_t>& m_visited;
  std::thread m_thread;
};

}  // namespace ordavin::fast_divider
