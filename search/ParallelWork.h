#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace ordavin {

// The number of threads worth running a search on: one per core, at least one.
unsigned CoreCount();

// Runs task(worker) for every worker in [0, workers): worker 0 on the calling thread, the
// others on threads of their own. A thread that cannot be started has its task run on the
// calling thread afterwards, so every worker's task runs exactly once. Returns when all have
// ended; the first exception a task threw is then rethrown.
void RunWorkers(unsigned workers, const std::function<void(unsigned worker)>& task);

// Hands out the blocks 0, 1, 2, ... of a job to whichever worker asks first.
class BlockQueue {
 public:
  explicit BlockQueue(std::uint64_t blockCount) : m_count(blockCount) {}
  BlockQueue(const BlockQueue&) = delete;
  BlockQueue& operator=(const BlockQueue&) = delete;

  // False once every block has been handed out.
  bool Take(std::uint64_t& block) {
    if (m_next.load(std::memory_order_relaxed) >= m_count) return false;
    block = m_next.fetch_add(1, std::memory_order_relaxed);
    return block < m_count;
  }

 private:
  std::atomic<std::uint64_t> m_next{0};
  std::uint64_t m_count;
};

// Work done by one worker, added to a shared counter every `batch` calls rather than on each,
// so that another thread can watch the counter move without the workers contending for it.
class ProgressTally {
 public:
  ProgressTally(std::atomic<std::uint64_t>& shared, std::uint32_t batch)
      : m_shared(shared), m_batch(batch == 0 ? 1 : batch) {}
  ~ProgressTally() { Flush(); }
  ProgressTally(const ProgressTally&) = delete;
  ProgressTally& operator=(const ProgressTally&) = delete;

  void Add(std::uint64_t units) {
    m_pending += units;
    if (++m_calls >= m_batch) Flush();
  }
  void Flush() {
    if (m_pending != 0) m_shared.fetch_add(m_pending, std::memory_order_relaxed);
    m_pending = 0;
    m_calls = 0;
  }

 private:
  std::atomic<std::uint64_t>& m_shared;
  std::uint32_t m_batch;
  std::uint32_t m_calls = 0;
  std::uint64_t m_pending = 0;
};

// Runs a search on a thread of its own and copies its visited count into mirror every
// 10 ms, so that whoever shows the mirror's progress sees it move. Runs the search on the
// calling thread when no thread can be started. Rethrows what the search threw.
void RunMirroringProgress(const std::function<void()>& search,
                          const std::function<std::uint64_t()>& visited,
                          std::atomic<std::uint64_t>& mirror);

// A fast engine's way out: the straightforward engine runs the search instead, with the
// visited count mirrored, and its kept matches (up to maxResults) are copied into slots.
// Returns its matching count.
template <class Reference, class Match>
std::uint64_t RunInsteadOfFastEngine(Reference& reference, const std::atomic<bool>& abortRequested,
                                     std::uint32_t maxResults, std::atomic<std::uint64_t>& visited,
                                     std::vector<Match>& slots) {
  RunMirroringProgress([&] { reference.Optimize(abortRequested); },
                       [&] { return reference.VisitedCount(); }, visited);
  const auto kept = reference.BestMatchSlots();
  const std::size_t count = std::min<std::size_t>(kept.size(), maxResults);
  if (slots.size() < count) slots.resize(count);
  std::copy(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count), slots.begin());
  return reference.MatchingCount();
}

}  // namespace ordavin
