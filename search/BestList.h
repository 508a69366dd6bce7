#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace ordavin {

// The best `capacity` entries seen so far under a strict total order (Before(a, b): a ranks
// ahead of b), best first. Under a total order the kept entries do not depend on the order in
// which they were offered, so lists filled by different workers merge to the same result
// however the work was split.
template <class Entry, class Before>
class BestList {
 public:
  explicit BestList(std::size_t capacity = 0) : m_capacity(capacity) {}

  std::size_t Capacity() const { return m_capacity; }
  bool Full() const { return m_entries.size() >= m_capacity; }
  // Only while Full().
  const Entry& Worst() const { return m_entries.back(); }

  // Whether Offer would keep the entry.
  bool Admits(const Entry& entry) const {
    if (m_capacity == 0) return false;
    return !Full() || Before{}(entry, m_entries.back());
  }

  // Keeps the entry when it ranks among the best; returns whether it did.
  bool Offer(const Entry& entry) {
    if (!Admits(entry)) return false;
    if (Full()) m_entries.pop_back();
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, Before{});
    m_entries.insert(at, entry);
    return true;
  }

  void Clear() { m_entries.clear(); }
  void SetCapacity(std::size_t capacity) {
    m_capacity = capacity;
    if (m_entries.size() > capacity) m_entries.resize(capacity);
  }

  std::span<const Entry> Entries() const { return m_entries; }

 private:
  std::size_t m_capacity;
  std::vector<Entry> m_entries;
};

// The best `capacity` entries of all the lists together.
template <class Entry, class Before>
BestList<Entry, Before> MergeBestLists(std::span<const BestList<Entry, Before>> lists,
                                       std::size_t capacity) {
  std::vector<Entry> all;
  for (const auto& list : lists)
    all.insert(all.end(), list.Entries().begin(), list.Entries().end());
  const std::size_t keep = std::min(all.size(), capacity);
  std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(keep), all.end(),
                    Before{});
  BestList<Entry, Before> merged(capacity);
  for (std::size_t i = 0; i < keep; ++i) merged.Offer(all[i]);
  return merged;
}

}  // namespace ordavin
