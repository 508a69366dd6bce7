#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "divider/fast/SideSource.h"
#include "search/BucketSort.h"
#include "search/GallopingSearch.h"

namespace ordavin::fast_divider {

// The upper multisets of a slab, sorted by (key, rank).
class SortedSide {
 public:
  SortedSide() = default;
  ~SortedSide();
  SortedSide(const SortedSide&) = delete;
  SortedSide& operator=(const SortedSide&) = delete;

  // Ranks take 32 bits when every rank of the side fits.
  void Allocate(std::uint64_t capacity, bool wideRanks);
  static std::uint64_t BytesPerEntry(bool wideRanks);

  bool Sort(const SideSource& source, const KeyBuckets& buckets, const BucketHistogram& histogram,
            BucketRange slab, const std::atomic<bool>& abortRequested);

  // Where each of a set of equal key ranges begins, so that a key is found by one look-up
  // and a short search rather than a search through the whole side. False when aborted.
  bool BuildIndex(unsigned workers, const std::atomic<bool>& abortRequested);
  static std::uint64_t IndexBytes(std::uint64_t entries);

  // The first entry whose key is at least `key`.
  std::uint64_t LowerBound(std::uint64_t key) const {
    if (key <= m_firstKey) return 0;
    const std::uint64_t slot = SlotOf(key);
    if (slot >= m_slots) return m_count;
    const std::uint64_t* keys = m_keys.get();
    return FirstTrue(m_index[slot], m_index[slot + 1],
                     [keys, key](std::uint64_t i) { return keys[i] >= key; });
  }

  // The same, from `near`: cheaper when the answer lies close to it. Consecutive searches
  // of a sweep mostly move a few entries, so the entries next to `near` are counted a block
  // at a time without a branch per entry; farther moves gallop.
  std::uint64_t LowerBoundNear(std::uint64_t key, std::uint64_t near) const {
    constexpr std::uint64_t kBlock = 8;
    constexpr int kBlocks = 4;
    const std::uint64_t* keys = m_keys.get();
    std::uint64_t at = std::min(near, m_count);
    if (at == m_count || keys[at] < key) {
      for (int b = 0; b < kBlocks && m_count - at >= kBlock; ++b) {
        std::uint64_t below = 0;
        for (std::uint64_t k = 0; k < kBlock; ++k) below += keys[at + k] < key ? 1 : 0;
        at += below;
        if (below < kBlock) return at;
      }
    } else {
      for (int b = 0; b < kBlocks && at >= kBlock; ++b) {
        std::uint64_t notBelow = 0;
        for (std::uint64_t k = 1; k <= kBlock; ++k) notBelow += keys[at - k] >= key ? 1 : 0;
        at -= notBelow;
        if (notBelow < kBlock) return at;
      }
    }
    return GallopFirstTrue(0, m_count, at, [keys, key](std::uint64_t i) { return keys[i] >= key; });
  }

  std::uint64_t Count() const { return m_count; }
  const std::uint64_t* Keys() const { return m_keys.get(); }
  std::uint64_t RankAt(std::uint64_t i) const { return m_ranks32 ? m_ranks32[i] : m_ranks64[i]; }

 private:
  std::uint64_t SlotOf(std::uint64_t key) const { return (key - m_firstKey) >> m_shift; }

  std::unique_ptr<std::uint64_t[]> m_keys;
  std::unique_ptr<std::uint32_t[]> m_ranks32;
  std::unique_ptr<std::uint64_t[]> m_ranks64;
  std::uint64_t m_capacity = 0;
  std::uint64_t m_count = 0;
  std::vector<std::uint64_t> m_index;
  std::uint64_t m_firstKey = 0;
  unsigned m_shift = 0;
  std::uint64_t m_slots = 0;
};

}  // namespace ordavin::fast_divider
