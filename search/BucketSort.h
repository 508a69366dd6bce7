#pragma once

// Sorting a large, enumerable set of items by a 64-bit key without ever holding it twice:
// a counting pass fills a histogram of key buckets, a second pass over the same items writes
// each one straight to its bucket's place, and each bucket is then sorted on its own. Buckets
// can be taken a contiguous range at a time (a slab) when the whole does not fit in memory.
//
// A source describes the items: Size() gives the number of ranks, and ForEach(first, end,
// emit) calls emit(key, rank) for the kept items of ranks [first, end), ranks ascending, the
// same items with the same keys every time.
#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "search/BlockQueue.h"
#include "search/ParallelWork.h"

namespace ordavin {

struct KeyRank {
  std::uint64_t key;
  std::uint64_t rank;
};

inline bool KeyRankLess(const KeyRank& a, const KeyRank& b) {
  return a.key != b.key ? a.key < b.key : a.rank < b.rank;
}

// Equal-width key ranges covering [minKey, maxKey], in key order; keys outside fall into the
// first or last bucket, which keeps the order right (each bucket is sorted as a whole).
class KeyBuckets {
 public:
  static constexpr std::uint32_t kMaxBuckets = 1u << 22;

  KeyBuckets() = default;
  KeyBuckets(std::uint64_t minKey, std::uint64_t maxKey, std::uint64_t wantedBuckets) {
    m_min = minKey;
    const std::uint64_t span = maxKey > minKey ? maxKey - minKey : 0;
    const std::uint64_t wanted = std::clamp<std::uint64_t>(wantedBuckets, 1, kMaxBuckets);
    while (m_shift < 63 && (span >> m_shift) >= wanted) ++m_shift;
    m_count = static_cast<std::uint32_t>((span >> m_shift) + 1);
  }

  std::uint32_t Count() const { return m_count; }
  std::uint32_t Of(std::uint64_t key) const {
    const std::uint64_t offset = key > m_min ? (key - m_min) >> m_shift : 0;
    return offset < m_count ? static_cast<std::uint32_t>(offset) : m_count - 1;
  }

 private:
  std::uint64_t m_min = 0;
  unsigned m_shift = 0;
  std::uint32_t m_count = 1;
};

// Items per bucket, by worker: each worker counts (and later scatters) a fixed contiguous
// share of the ranks, so that every item's place is known before any is written.
class BucketHistogram {
 public:
  void Reset(unsigned workers, std::uint32_t buckets) {
    m_workers = workers;
    m_buckets = buckets;
    m_counts.assign(std::size_t{workers} * buckets, 0);
    m_totals.clear();
  }
  unsigned Workers() const { return m_workers; }
  std::uint32_t Buckets() const { return m_buckets; }
  std::uint64_t* WorkerCounts(unsigned worker) {
    return m_counts.data() + std::size_t{worker} * m_buckets;
  }
  std::uint64_t Count(unsigned worker, std::uint32_t bucket) const {
    return m_counts[std::size_t{worker} * m_buckets + bucket];
  }
  void Total() {
    m_totals.assign(m_buckets, 0);
    for (unsigned w = 0; w < m_workers; ++w) {
      for (std::uint32_t b = 0; b < m_buckets; ++b) m_totals[b] += Count(w, b);
    }
  }
  // After Total().
  std::span<const std::uint64_t> Totals() const { return m_totals; }
  std::uint64_t Sum() const {
    std::uint64_t sum = 0;
    for (const std::uint64_t t : m_totals) sum += t;
    return sum;
  }
  std::uint64_t Bytes() const {
    return (m_counts.size() + m_totals.size()) * sizeof(std::uint64_t);
  }

 private:
  unsigned m_workers = 1;
  std::uint32_t m_buckets = 0;
  std::vector<std::uint64_t> m_counts;
  std::vector<std::uint64_t> m_totals;
};

// Consecutive bucket ranges [first, end), each holding at most `capacity` items.
struct BucketRange {
  std::uint32_t first;
  std::uint32_t end;
  std::uint64_t items;
};

// Empty when a single bucket holds more than `capacity` items.
inline std::vector<BucketRange> PlanSlabs(std::span<const std::uint64_t> totals,
                                          std::uint64_t capacity) {
  std::vector<BucketRange> slabs;
  BucketRange current{0, 0, 0};
  for (std::uint32_t b = 0; b < totals.size(); ++b) {
    if (totals[b] > capacity) return {};
    if (current.items + totals[b] > capacity) {
      slabs.push_back(current);
      current = {b, b, 0};
    }
    current.end = b + 1;
    current.items += totals[b];
  }
  if (current.items > 0 || slabs.empty()) slabs.push_back(current);
  return slabs;
}

namespace bucket_sort_detail {

// Ranks between two looks at the abort flag.
inline constexpr std::uint64_t kStride = std::uint64_t{1} << 15;

// Runs body(first, end) over the worker's strides, every `workers`-th one: where the kept
// items crowd into some ranks, each worker still gets about its share. False once aborted.
template <class Body>
bool OverShare(std::uint64_t size, unsigned workers, unsigned worker,
               const std::atomic<bool>& abortRequested, Body&& body) {
  const std::uint64_t step = kStride * workers;
  for (std::uint64_t first = kStride * worker; first < size;) {
    if (abortRequested.load(std::memory_order_relaxed)) return false;
    body(first, first + std::min(size - first, kStride));
    if (size - first <= step) break;
    first += step;
  }
  return true;
}

}  // namespace bucket_sort_detail

// The counting pass. False when aborted (the histogram is then unusable).
template <class Source>
bool CountBuckets(const Source& source, const KeyBuckets& buckets, unsigned workers,
                  const std::atomic<bool>& abortRequested, BucketHistogram& histogram) {
  histogram.Reset(workers, buckets.Count());
  std::atomic<bool> complete{true};
  RunWorkers(workers, [&](unsigned worker) {
    std::uint64_t* counts = histogram.WorkerCounts(worker);
    const bool done = bucket_sort_detail::OverShare(
        source.Size(), workers, worker, abortRequested,
        [&](std::uint64_t first, std::uint64_t end) {
          source.ForEach(first, end,
                         [&](std::uint64_t key, std::uint64_t) { ++counts[buckets.Of(key)]; });
        });
    if (!done) complete.store(false, std::memory_order_relaxed);
  });
  if (!complete.load()) return false;
  histogram.Total();
  return true;
}

// Where a slab's sorted items go: keys and ranks in arrays of their own, so that searches
// through the keys touch no ranks, and ranks take 32 bits when they fit.
template <class Rank>
struct KeyRankArrays {
  std::uint64_t* keys;
  Rank* ranks;
};

// Sorts one bucket's items [begin, end) by (key, rank) through `scratch`: a counting pass on
// the key bits below the bucket's own span, then the few items of each sub-bucket by hand.
// Each worker's items arrive in ascending rank order and the counting pass keeps that order.
template <class Rank>
void SortBucket(KeyRankArrays<Rank> items, std::uint64_t begin, std::uint64_t end,
                std::vector<KeyRank>& scratch, std::vector<std::uint64_t>& counts) {
  const std::uint64_t size = end - begin;
  if (size < 2) return;
  std::uint64_t minKey = items.keys[begin];
  std::uint64_t maxKey = minKey;
  for (std::uint64_t i = begin + 1; i < end; ++i) {
    minKey = std::min(minKey, items.keys[i]);
    maxKey = std::max(maxKey, items.keys[i]);
  }
  // All equal and, as items mostly arrive, in rank order.
  if (minKey == maxKey && std::is_sorted(items.ranks + begin, items.ranks + end)) return;
  const std::uint64_t wanted = std::clamp<std::uint64_t>(size / 4, 2, std::uint64_t{1} << 16);
  unsigned shift = 0;
  while (shift < 63 && ((maxKey - minKey) >> shift) >= wanted) ++shift;
  const auto subBuckets = static_cast<std::size_t>(((maxKey - minKey) >> shift) + 1);
  counts.assign(subBuckets + 1, 0);
  for (std::uint64_t i = begin; i < end; ++i) ++counts[((items.keys[i] - minKey) >> shift) + 1];
  for (std::size_t b = 1; b <= subBuckets; ++b) counts[b] += counts[b - 1];
  scratch.resize(size);
  for (std::uint64_t i = begin; i < end; ++i) {
    const std::uint64_t key = items.keys[i];
    scratch[counts[(key - minKey) >> shift]++] = KeyRank{key, items.ranks[i]};
  }
  // counts[b] now ends sub-bucket b; each is short on average.
  std::uint64_t first = 0;
  for (std::size_t b = 0; b < subBuckets; ++b) {
    const std::uint64_t last = counts[b];
    if (last - first > 16) {
      // Sums of standard values often coincide exactly: a sub-bucket of one key mostly
      // arrives in rank order, which is its sorted order already.
      const auto from = scratch.begin() + static_cast<std::ptrdiff_t>(first);
      const auto to = scratch.begin() + static_cast<std::ptrdiff_t>(last);
      const auto less = [](const KeyRank& a, const KeyRank& c) { return KeyRankLess(a, c); };
      if (!std::is_sorted(from, to, less)) std::sort(from, to, less);
    } else {
      for (std::uint64_t i = first + 1; i < last; ++i) {
        const KeyRank item = scratch[i];
        std::uint64_t j = i;
        for (; j > first && KeyRankLess(item, scratch[j - 1]); --j) scratch[j] = scratch[j - 1];
        scratch[j] = item;
      }
    }
    first = last;
  }
  for (std::uint64_t i = 0; i < size; ++i) {
    items.keys[begin + i] = scratch[i].key;
    items.ranks[begin + i] = static_cast<Rank>(scratch[i].rank);
  }
}

// The scatter pass writes to one place per group of consecutive buckets: few enough places
// that they stay in the caches and the address translation buffers, each group then small
// enough to be sorted within the caches.
inline constexpr std::uint64_t kScatterGroups = 1024;

// The items of one slab's buckets, sorted by (key, rank) into `items` (room for slab.items):
// the scatter pass writes each to its group's place, then each group is sorted on its own.
// False when aborted.
template <class Source, class Rank>
bool SortSlab(const Source& source, const KeyBuckets& buckets, const BucketHistogram& histogram,
              BucketRange slab, const std::atomic<bool>& abortRequested,
              KeyRankArrays<Rank> items) {
  const unsigned workers = histogram.Workers();
  const std::uint32_t width = slab.end - slab.first;
  const auto totals = histogram.Totals();
  // Groups of about equal size; a bucket larger than that is a group of its own.
  const std::uint64_t target = std::max<std::uint64_t>(1, slab.items / kScatterGroups);
  std::vector<std::uint32_t> groupOf(width);
  std::vector<std::uint32_t> groupFirst;
  std::uint64_t inGroup = 0;
  for (std::uint32_t b = 0; b < width; ++b) {
    const std::uint64_t count = totals[slab.first + b];
    if (groupFirst.empty() || (inGroup > 0 && inGroup + count > target)) {
      groupFirst.push_back(b);
      inGroup = 0;
    }
    groupOf[b] = static_cast<std::uint32_t>(groupFirst.size() - 1);
    inGroup += count;
  }
  const auto groups = static_cast<std::uint32_t>(groupFirst.size());
  groupFirst.push_back(width);

  // Group by group, worker by worker: each worker's items of a group follow those of the
  // workers before it, ranks ascending within each worker's.
  std::vector<std::uint64_t> groupStarts(std::size_t{groups} + 1, 0);
  std::vector<std::uint64_t> cursors(std::size_t{workers} * groups);
  std::uint64_t offset = 0;
  for (std::uint32_t g = 0; g < groups; ++g) {
    groupStarts[g] = offset;
    for (unsigned w = 0; w < workers; ++w) {
      cursors[std::size_t{w} * groups + g] = offset;
      for (std::uint32_t b = groupFirst[g]; b < groupFirst[g + 1]; ++b) {
        offset += histogram.Count(w, slab.first + b);
      }
    }
  }
  groupStarts[groups] = offset;

  std::atomic<bool> complete{true};
  RunWorkers(workers, [&](unsigned worker) {
    std::uint64_t* cursor = cursors.data() + std::size_t{worker} * groups;
    // Items are staged per group and written a few cache lines at a time: far fewer
    // scattered writes than one per item.
    constexpr std::uint32_t kStaged = 16;
    std::vector<std::uint64_t> stagedKeys(std::size_t{groups} * kStaged);
    std::vector<Rank> stagedRanks(std::size_t{groups} * kStaged);
    std::vector<std::uint32_t> fill(groups, 0);
    const auto flush = [&](std::uint32_t g, std::uint32_t count) {
      const std::size_t from = std::size_t{g} * kStaged;
      std::copy_n(stagedKeys.begin() + static_cast<std::ptrdiff_t>(from), count,
                  items.keys + cursor[g]);
      std::copy_n(stagedRanks.begin() + static_cast<std::ptrdiff_t>(from), count,
                  items.ranks + cursor[g]);
      cursor[g] += count;
    };
    const bool done = bucket_sort_detail::OverShare(
        source.Size(), workers, worker, abortRequested,
        [&](std::uint64_t first, std::uint64_t end) {
          source.ForEach(first, end, [&](std::uint64_t key, std::uint64_t rank) {
            const std::uint32_t bucket = buckets.Of(key);
            if (bucket < slab.first || bucket >= slab.end) return;
            const std::uint32_t g = groupOf[bucket - slab.first];
            const std::size_t at = std::size_t{g} * kStaged + fill[g];
            stagedKeys[at] = key;
            stagedRanks[at] = static_cast<Rank>(rank);
            if (++fill[g] == kStaged) {
              flush(g, kStaged);
              fill[g] = 0;
            }
          });
        });
    if (!done) {
      complete.store(false, std::memory_order_relaxed);
      return;
    }
    for (std::uint32_t g = 0; g < groups; ++g) flush(g, fill[g]);
  });
  if (!complete.load()) return false;

  BlockQueue queue(groups);
  RunWorkers(workers, [&](unsigned) {
    std::vector<KeyRank> scratch;
    std::vector<std::uint64_t> counts;
    std::uint64_t g = 0;
    while (queue.Take(g)) {
      if (abortRequested.load(std::memory_order_relaxed)) {
        complete.store(false, std::memory_order_relaxed);
        return;
      }
      SortBucket(items, groupStarts[g], groupStarts[g + 1], scratch, counts);
    }
  });
  return complete.load();
}

// The most items one group of a slab of the histogram can hold: the scratch room a worker
// needs to sort it.
inline std::uint64_t LargestGroup(const BucketHistogram& histogram) {
  std::uint64_t largest = 0;
  for (const std::uint64_t t : histogram.Totals()) largest = std::max(largest, t);
  return std::max(largest, histogram.Sum() / kScatterGroups + 1);
}

}  // namespace ordavin
