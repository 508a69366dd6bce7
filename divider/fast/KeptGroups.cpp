#include "divider/fast/KeptGroups.h"

#include <algorithm>

#include "divider/fast/GroupWalk.h"
#include "divider/fast/JobSizes.h"
#include "search/MemoryBudget.h"
#include "search/MultisetRanks.h"
#include "search/ParallelWork.h"

namespace ordavin::fast_divider {
namespace {

// Groups a worker takes between two looks at the abort flag.
constexpr std::uint64_t kGroupStride = 4096;

}  // namespace

// The groups are the multisets of all digits but the first.
std::uint64_t KeptGroups::GroupCount(const MultisetRanks& ranks, std::uint32_t n) {
  return ranks.DigitCount() > 1 ? MultisetRanks(n, ranks.DigitCount() - 1).Count() : 1;
}

std::uint64_t KeptGroups::Bytes(const MultisetRanks& ranks, std::uint32_t n) {
  return SaturatingMultiply(GroupCount(ranks, n), sizeof(SideSource::DigitRange));
}

bool KeptGroups::Find(unsigned workers, const std::atomic<bool>& abortRequested) {
  const MultisetRanks& ranks = m_source.Ranks();
  const std::int32_t last = m_source.LastDigit();
  const std::uint64_t groups = GroupCount(ranks, static_cast<std::uint32_t>(last) + 1);
  m_ranges.resize(groups);
  if (groups < kSmallJob / 8) workers = 1;
  std::atomic<bool> complete{true};
  RunWorkers(workers, [&](unsigned worker) {
    const std::uint64_t begin = groups / workers * worker;
    const std::uint64_t end = worker + 1 == workers ? groups : groups / workers * (worker + 1);
    if (begin == end) return;
    GroupWalk walk = GroupWalk::AtGroup(ranks, last, begin);
    for (std::uint64_t g = begin; g < end; ++g, walk.Next()) {
      if ((g - begin) % kGroupStride == 0 && abortRequested.load(std::memory_order_relaxed)) {
        complete.store(false, std::memory_order_relaxed);
        return;
      }
      m_ranges[g] = m_source.KeptFirstDigits(walk.Digits(), 0, walk.Top() + 1);
    }
  });
  return complete.load();
}

std::vector<KeptGroups::Share> KeptGroups::ShareStarts(std::uint64_t shares) const {
  std::uint64_t kept = 0;
  for (const SideSource::DigitRange& range : m_ranges) {
    kept += static_cast<std::uint64_t>(range.end - range.begin);
  }
  // A share ends once it holds its part of the kept networks; a group is never split.
  std::vector<Share> starts{{0, 0}};
  const double perShare =
      static_cast<double>(kept) / static_cast<double>(std::max<std::uint64_t>(shares, 1));
  GroupWalk walk(m_source.Ranks(), m_source.LastDigit(), 0);
  std::uint64_t rank = 0;
  std::uint64_t sum = 0;
  for (std::uint64_t g = 0; g < m_ranges.size(); ++g, walk.Next()) {
    if (starts.size() < shares && starts.back().group < g &&
        static_cast<double>(sum) >= perShare * static_cast<double>(starts.size())) {
      starts.push_back({rank, g});
    }
    sum += static_cast<std::uint64_t>(m_ranges[g].end - m_ranges[g].begin);
    rank += walk.Size();
  }
  starts.push_back({m_source.Ranks().Count(), m_ranges.size()});
  return starts;
}

}  // namespace ordavin::fast_divider
