#include "divider/fast/KeptGroups.h"

#include <algorithm>

#include "divider/fast/JobSizes.h"
#include "search/MemoryBudget.h"
#include "search/MultisetRanks.h"
#include "search/ParallelWork.h"

namespace ordavin::fast_divider {
namespace {

// Groups a worker takes between two looks at the abort flag.
constexpr std::uint64_t kGroupStride = 4096;

// The groups are the multisets of all digits but the first, in their own rank order.
MultisetRanks TailRanks(const MultisetRanks& ranks, std::uint32_t n) {
  return ranks.DigitCount() > 1 ? MultisetRanks(n, ranks.DigitCount() - 1) : MultisetRanks();
}

}  // namespace

std::uint64_t KeptGroups::GroupCount(const MultisetRanks& ranks, std::uint32_t n) {
  return ranks.DigitCount() > 1 ? TailRanks(ranks, n).Count() : 1;
}

std::uint64_t KeptGroups::Bytes(const MultisetRanks& ranks, std::uint32_t n) {
  return SaturatingMultiply(GroupCount(ranks, n), sizeof(SideSource::DigitRange));
}

bool KeptGroups::Find(unsigned workers, const std::atomic<bool>& abortRequested) {
  const MultisetRanks& ranks = m_source.Ranks();
  const std::uint32_t count = ranks.DigitCount();
  const std::int32_t last = m_source.LastDigit();
  const auto n = static_cast<std::uint32_t>(last) + 1;
  const MultisetRanks tails = TailRanks(ranks, n);
  const std::uint64_t groups = GroupCount(ranks, n);
  m_ranges.resize(groups);
  if (groups < kSmallJob / 8) workers = 1;
  std::atomic<bool> complete{true};
  RunWorkers(workers, [&](unsigned worker) {
    const std::uint64_t begin = groups / workers * worker;
    const std::uint64_t end = worker + 1 == workers ? groups : groups / workers * (worker + 1);
    if (begin == end) return;
    std::int32_t digits[MultisetRanks::kMaxCount] = {};
    if (count > 1) tails.Unrank(begin, digits + 1);
    for (std::uint64_t g = begin; g < end; ++g) {
      if ((g - begin) % kGroupStride == 0 && abortRequested.load(std::memory_order_relaxed)) {
        complete.store(false, std::memory_order_relaxed);
        return;
      }
      const std::int32_t top = count > 1 ? digits[1] : last;
      m_ranges[g] = m_source.KeptFirstDigits(digits, 0, top + 1);
      if (count > 1) MultisetRanks::Next(digits + 1, count - 1, last);
    }
  });
  return complete.load();
}

std::vector<KeptGroups::Share> KeptGroups::ShareStarts(std::uint64_t shares) const {
  const MultisetRanks& ranks = m_source.Ranks();
  const std::uint32_t count = ranks.DigitCount();
  const std::int32_t last = m_source.LastDigit();
  std::uint64_t kept = 0;
  for (const SideSource::DigitRange& range : m_ranges) {
    kept += static_cast<std::uint64_t>(range.end - range.begin);
  }
  // A share ends once it holds its part of the kept networks; a group is never split.
  std::vector<Share> starts{{0, 0}};
  const double perShare =
      static_cast<double>(kept) / static_cast<double>(std::max<std::uint64_t>(shares, 1));
  std::int32_t digits[MultisetRanks::kMaxCount] = {};
  std::uint64_t rank = 0;
  std::uint64_t sum = 0;
  for (std::uint64_t g = 0; g < m_ranges.size(); ++g) {
    if (starts.size() < shares && starts.back().group < g &&
        static_cast<double>(sum) >= perShare * static_cast<double>(starts.size())) {
      starts.push_back({rank, g});
    }
    sum += static_cast<std::uint64_t>(m_ranges[g].end - m_ranges[g].begin);
    const std::int32_t top = count > 1 ? digits[1] : last;
    rank += static_cast<std::uint64_t>(top) + 1;
    if (count > 1) MultisetRanks::Next(digits + 1, count - 1, last);
  }
  starts.push_back({ranks.Count(), m_ranges.size()});
  return starts;
}

}  // namespace ordavin::fast_divider
