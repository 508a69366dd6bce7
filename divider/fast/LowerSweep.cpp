#include "divider/fast/LowerSweep.h"

#include <algorithm>

#include "divider/fast/JobSizes.h"
#include "search/BlockQueue.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"

namespace ordavin::fast_divider {
namespace {

constexpr std::uint32_t kLowersPerProgressUpdate = 256;

}  // namespace

LowerSweep::LowerSweep(const DividerParameters& p, const Plan& plan,
                       std::atomic<std::uint64_t>& visited, bool record)
    : m_lower(plan.lowerTerms, plan.lower, plan.lowerForm, p, plan.tests, plan.reach, false),
      m_count(plan.lower.Count()),
      m_visited(visited),
      m_record(record) {}

bool LowerSweep::Run(std::vector<Sweeper>& sweepers, const SortedSide& uppers, std::uint64_t weight,
                     const std::atomic<bool>& abortRequested) const {
  const std::uint64_t chunks = (m_count + kLowerRanksPerChunk - 1) / kLowerRanksPerChunk;
  const auto workers = static_cast<unsigned>(
      std::min<std::uint64_t>(sweepers.size(), m_count < kSmallJob / 8 ? 1 : chunks));
  BlockQueue queue(chunks);
  std::atomic<bool> stopped{false};
  RunWorkers(workers, [&](unsigned worker) {
    Sweeper& sweeper = sweepers[worker];
    sweeper.Attach(uppers);
    ProgressTally tally(m_visited, kLowersPerProgressUpdate);
    std::vector<std::uint64_t> keys;
    std::vector<std::uint64_t> ranks;
    std::vector<KeyRank> scratch;
    std::vector<std::uint64_t> counts;
    std::uint64_t chunk = 0;
    while (queue.Take(chunk)) {
      if (abortRequested.load(std::memory_order_relaxed)) {
        stopped.store(true, std::memory_order_relaxed);
        return;
      }
      SortChunk(chunk, keys, ranks, scratch, counts);
      for (std::size_t k = 0; k < keys.size(); ++k) {
        if (abortRequested.load(std::memory_order_relaxed)) {
          stopped.store(true, std::memory_order_relaxed);
          return;
        }
        sweeper.Visit(keys[k], ranks[k]);
        tally.Add(weight);
        if (m_record) sweeper.Account(ranks[k]);
      }
    }
  });
  return !stopped.load();
}

void LowerSweep::SortChunk(std::uint64_t chunk, std::vector<std::uint64_t>& keys,
                           std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                           std::vector<std::uint64_t>& counts) const {
  keys.clear();
  ranks.clear();
  const std::uint64_t first = chunk * kLowerRanksPerChunk;
  // The first lower multiset belongs to the head start.
  m_lower.ForEach(first, std::min(m_count, first + kLowerRanksPerChunk),
                  [&](std::uint64_t key, std::uint64_t rank) {
                    if (rank == 0) return;
                    keys.push_back(key);
                    ranks.push_back(rank);
                  });
  SortBucket(KeyRankArrays<std::uint64_t>{keys.data(), ranks.data()}, 0, keys.size(), scratch,
             counts);
}

}  // namespace ordavin::fast_divider
