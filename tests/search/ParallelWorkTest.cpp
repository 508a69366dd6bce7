#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "search/BlockQueue.h"
#include "search/MemoryBudget.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"

namespace ordavin {
namespace {

TEST(ParallelWorkTest, EveryWorkerRunsOnceAndTheCallerIsWorkerZero) {
  for (const unsigned workers : {0u, 1u, 2u, 7u}) {
    std::mutex mutex;
    std::vector<unsigned> seen;
    std::thread::id zeroThread;
    RunWorkers(workers, [&](unsigned worker) {
      std::lock_guard lock(mutex);
      seen.push_back(worker);
      if (worker == 0) zeroThread = std::this_thread::get_id();
    });
    std::sort(seen.begin(), seen.end());
    std::vector<unsigned> expected(workers);
    for (unsigned w = 0; w < workers; ++w) expected[w] = w;
    EXPECT_EQ(seen, expected);
    if (workers > 0) {
      EXPECT_EQ(zeroThread, std::this_thread::get_id());
    }
  }
}

TEST(ParallelWorkTest, AFailingWorkerDoesNotStopTheOthersAndItsErrorComesBack) {
  std::atomic<int> finished{0};
  EXPECT_THROW(RunWorkers(4,
                          [&](unsigned worker) {
                            if (worker == 2) throw std::runtime_error("worker 2");
                            ++finished;
                          }),
               std::runtime_error);
  EXPECT_EQ(finished.load(), 3);
}

TEST(ParallelWorkTest, EachBlockGoesToExactlyOneWorker) {
  constexpr std::uint64_t kBlocks = 100000;
  BlockQueue queue(kBlocks);
  std::vector<std::atomic<int>> taken(kBlocks);
  RunWorkers(4, [&](unsigned) {
    std::uint64_t block = 0;
    while (queue.Take(block)) taken[block].fetch_add(1);
  });
  for (std::uint64_t b = 0; b < kBlocks; ++b) ASSERT_EQ(taken[b].load(), 1) << "block " << b;
  std::uint64_t block = 0;
  EXPECT_FALSE(queue.Take(block));
}

TEST(ParallelWorkTest, TheTallyShowsWorkInBatchesAndAllOfItAtTheEnd) {
  std::atomic<std::uint64_t> shared{0};
  {
    ProgressTally tally(shared, 3);
    tally.Add(5);
    tally.Add(5);
    EXPECT_EQ(shared.load(), 0u);
    tally.Add(5);
    EXPECT_EQ(shared.load(), 15u);
    tally.Add(2);
  }
  EXPECT_EQ(shared.load(), 17u);
}

TEST(MemoryBudgetTest, TheLimitIsHalfTheMachinesMemory) {
  const std::uint64_t physical = PhysicalMemoryBytes();
  ASSERT_GT(physical, 0u);
  EXPECT_EQ(DefaultMemoryLimit(), physical / 2);
}

TEST(MemoryBudgetTest, SizesSaturateInsteadOfWrapping) {
  EXPECT_EQ(SaturatingAdd(UINT64_MAX - 1, 5), UINT64_MAX);
  EXPECT_EQ(SaturatingAdd(2, 3), 5u);
  EXPECT_EQ(SaturatingMultiply(std::uint64_t{1} << 40, std::uint64_t{1} << 30), UINT64_MAX);
  EXPECT_EQ(SaturatingMultiply(0, UINT64_MAX), 0u);
  EXPECT_EQ(SaturatingMultiply(12, 1000), 12000u);
}

}  // namespace
}  // namespace ordavin
