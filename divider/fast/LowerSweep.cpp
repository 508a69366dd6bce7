#include "divider/fast/LowerSweep.h"

#include <algorithm>

#include "divider/fast/JobSizes.h"
#include "divider/fast/KeptGroups.h"
#include "divider/fast/LowerShare.h"
#include "search/BlockQueue.h"
#include "search/MemoryBudget.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"

namespace ordavin::fast_divider {
namespace {

constexpr std::uint32_t kLowersPerProgressUpdate = 256;

}  // namespace

LowerSweep::LowerSweep(const DividerParameters& p, const Plan& plan,
                       std::atomic<std::uint64_t>& visited, bool record, std::uint64_t bandItems)
    : m_lower(plan.lowerTerms, plan.lower, plan.lowerForm, p, plan.tests, plan.reach, false,
              plan.ascending),
      m_kept(m_lower),
      m_count(plan.lower.Count()),
      m_ascending(plan.ascending),
      m_bandItems(bandItems),
      m_visited(visited),
      m_record(record) {}

template <class Visit>
bool LowerSweep::VisitShare(KeptGroups::Share first, KeptGroups::Share end, Sweeper& sweeper,
                            Visit& visit, std::vector<std::uint64_t>& keys,
                            std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                            std::vector<std::uint64_t>& counts) const {
  LowerShare share(m_lower, m_kept, first, end, m_bandItems);
  sweeper.Follow();
  while (share.NextBand(keys, ranks, scratch, counts)) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
      // The first lower multiset belongs to the head start.
      if (ranks[k] != 0 && !visit(keys[k], ranks[k])) return false;
    }
  }
  return true;
}

template <class Visit>
bool LowerSweep::VisitChunk(std::uint64_t chunk, Visit& visit, std::vector<std::uint64_t>& keys,
                            std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                            std::vector<std::uint64_t>& counts) const {
  SortChunk(chunk, keys, ranks, scratch, counts);
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (!visit(keys[k], ranks[k])) return false;
  }
  return true;
}

bool LowerSweep::Run(std::vector<Sweeper>& sweepers, const SortedSide& uppers, std::uint64_t weight,
                     const std::atomic<bool>& abortRequested) const {
  const bool small = m_count < kSmallJob / 8;
  const std::uint64_t blocks =
      m_ascending ? m_shares.size() - 1 : (m_count + kLowerRanksPerChunk - 1) / kLowerRanksPerChunk;
  const auto workers =
      static_cast<unsigned>(std::min<std::uint64_t>(sweepers.size(), small ? 1 : blocks));
  BlockQueue queue(blocks);
  std::atomic<bool> stopped{false};
  RunWorkers(workers, [&](unsigned worker) {
    Sweeper& sweeper = sweepers[worker];
    sweeper.Attach(uppers);
    ProgressTally tally(m_visited, kLowersPerProgressUpdate);
    auto visit = [&](std::uint64_t key, std::uint64_t rank) {
      if (abortRequested.load(std::memory_order_relaxed)) return false;
      sweeper.Visit(key, rank);
      tally.Add(weight);
      if (m_record) sweeper.Account(rank);
      return true;
    };
    std::vector<std::uint64_t> keys;
    std::vector<std::uint64_t> ranks;
    std::vector<KeyRank> scratch;
    std::vector<std::uint64_t> counts;
    std::uint64_t block = 0;
    while (queue.Take(block)) {
      const bool complete = m_ascending ? VisitShare(m_shares[block], m_shares[block + 1], sweeper,
                                                     visit, keys, ranks, scratch, counts)
                                        : VisitChunk(block, visit, keys, ranks, scratch, counts);
      if (!complete || abortRequested.load(std::memory_order_relaxed)) {
        stopped.store(true, std::memory_order_relaxed);
        return;
      }
    }
  });
  return !stopped.load();
}

bool LowerSweep::Prepare(unsigned workers, const std::atomic<bool>& abortRequested) {
  if (!m_ascending) return true;
  if (!m_kept.Find(workers, abortRequested)) return false;
  const std::uint64_t shares = m_count < kSmallJob / 8 ? 1 : workers * kLowerSharesPerWorker;
  m_shares = m_kept.ShareStarts(shares);
  return true;
}

std::uint64_t LowerSweep::CursorBytes(const Plan& plan, unsigned workers) {
  if (!plan.ascending) return 0;
  // Every group's kept range, and the cursors of one share, twice over, for each worker.
  const std::uint64_t groups = KeptGroups::GroupCount(plan.lower, plan.n);
  const std::uint64_t shares = std::uint64_t{workers} * kLowerSharesPerWorker;
  return SaturatingAdd(KeptGroups::Bytes(plan.lower, plan.n),
                       SaturatingMultiply(groups / shares + 1, 2 * sizeof(std::int32_t) * workers));
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
