#include "divider/fast/SortedSide.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <tuple>
#include <utility>

#include "divider/fast/JobSizes.h"
#include "search/BackgroundRelease.h"
#include "search/ParallelWork.h"

namespace ordavin::fast_divider {
namespace {

// Sorted entries per slot of the index that finds keys among them, on average, and entries
// it takes between two looks at the abort flag.
constexpr std::uint64_t kEntriesPerIndexSlot = 16;
constexpr std::uint64_t kIndexStride = std::uint64_t{1} << 16;

}  // namespace

SortedSide::~SortedSide() {
  const auto region = [](auto* data, std::size_t count) {
    return std::as_writable_bytes(std::span(data, data != nullptr ? count : 0));
  };
  std::vector<std::span<std::byte>> regions = {
      region(m_keys.get(), m_capacity), region(m_ranks32.get(), m_capacity),
      region(m_ranks64.get(), m_capacity), region(m_index.data(), m_index.size())};
  ReleaseInBackground(std::make_tuple(std::move(m_keys), std::move(m_ranks32), std::move(m_ranks64),
                                      std::move(m_index)),
                      std::move(regions));
}

void SortedSide::Allocate(std::uint64_t capacity, bool wideRanks) {
  m_capacity = capacity;
  // Left uninitialised: the scatter writes every entry, and untouched pages cost nothing.
  m_keys = std::make_unique_for_overwrite<std::uint64_t[]>(capacity);
  if (wideRanks) {
    m_ranks64 = std::make_unique_for_overwrite<std::uint64_t[]>(capacity);
  } else {
    m_ranks32 = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
  }
}

std::uint64_t SortedSide::BytesPerEntry(bool wideRanks) {
  return sizeof(std::uint64_t) + (wideRanks ? sizeof(std::uint64_t) : sizeof(std::uint32_t));
}

bool SortedSide::Sort(const SideSource& source, const KeyBuckets& buckets,
                      const BucketHistogram& histogram, BucketRange slab,
                      const std::atomic<bool>& abortRequested) {
  m_count = slab.items;
  if (m_ranks64) {
    return SortSlab(source, buckets, histogram, slab, abortRequested,
                    KeyRankArrays<std::uint64_t>{m_keys.get(), m_ranks64.get()});
  }
  return SortSlab(source, buckets, histogram, slab, abortRequested,
                  KeyRankArrays<std::uint32_t>{m_keys.get(), m_ranks32.get()});
}

bool SortedSide::BuildIndex(unsigned workers, const std::atomic<bool>& abortRequested) {
  const std::uint64_t* keys = m_keys.get();
  m_firstKey = m_count != 0 ? keys[0] : 0;
  const std::uint64_t lastKey = m_count != 0 ? keys[m_count - 1] : 0;
  const std::uint64_t wanted = std::max<std::uint64_t>(1, m_count / kEntriesPerIndexSlot);
  m_shift = 0;
  while (m_shift < 63 && ((lastKey - m_firstKey) >> m_shift) >= wanted) ++m_shift;
  m_slots = ((lastKey - m_firstKey) >> m_shift) + 1;
  m_index.resize(m_slots + 1);
  // index[t] = the first entry whose slot is t or later; each worker writes the slots
  // that begin within its share of the entries.
  if (m_count < kSmallJob) workers = 1;
  std::atomic<bool> complete{true};
  RunWorkers(workers, [&](unsigned worker) {
    const std::uint64_t begin = m_count / workers * worker;
    const std::uint64_t end = worker + 1 == workers ? m_count : m_count / workers * (worker + 1);
    std::uint64_t next = begin == 0 ? 0 : SlotOf(keys[begin - 1]) + 1;
    for (std::uint64_t i = begin; i < end; ++i) {
      if (i % kIndexStride == 0 && abortRequested.load(std::memory_order_relaxed)) {
        complete.store(false, std::memory_order_relaxed);
        return;
      }
      const std::uint64_t slot = SlotOf(keys[i]);
      while (next <= slot) m_index[next++] = i;
    }
    if (worker + 1 == workers) {
      while (next <= m_slots) m_index[next++] = m_count;
    }
  });
  return complete.load();
}

std::uint64_t SortedSide::IndexBytes(std::uint64_t entries) {
  return (entries / kEntriesPerIndexSlot + 2) * sizeof(std::uint64_t);
}

}  // namespace ordavin::fast_divider
