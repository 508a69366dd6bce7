#include "divider/fast/LowerShare.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "divider/fast/GroupWalk.h"

namespace ordavin::fast_divider {
namespace {

// A band that keeps more than this many times its planned size is taken again, narrower.
constexpr std::uint64_t kOverflow = 2;
// How far one band's width may move from the last one's.
constexpr double kMostChange = 4.0;
constexpr double kWidestBand = 0x1p63;

}  // namespace

LowerShare::LowerShare(const SideSource& source, const KeptGroups& kept, KeptGroups::Share first,
                       KeptGroups::Share end, std::uint64_t bandItems)
    : m_source(source),
      m_first(first.rank),
      m_bandItems(std::max<std::uint64_t>(bandItems, 1)),
      m_kept(kept.Ranges().subspan(first.group, end.group - first.group)) {
  // Each group is read from its first kept item to its last; the keys' span, from those
  // ends, sets the first band's width.
  std::uint64_t lowest = std::numeric_limits<std::uint64_t>::max();
  m_cursors.reserve(m_kept.size());
  GroupWalk groups(source.Ranks(), source.LastDigit(), first.rank);
  for (const SideSource::DigitRange& range : m_kept) {
    m_cursors.push_back(range.begin);
    if (range.begin < range.end) {
      m_left += static_cast<std::uint64_t>(range.end - range.begin);
      std::int32_t* digits = groups.Digits();
      digits[0] = range.begin;
      lowest = std::min(lowest, source.KeyOf(source.SumOf(digits)));
      digits[0] = range.end - 1;
      m_lastKey = std::max(m_lastKey, source.KeyOf(source.SumOf(digits)));
    }
    groups.Next();
  }
  m_next = m_left == 0 ? 0 : lowest;
  m_pending = m_next;
  const std::uint64_t bands = std::max<std::uint64_t>((m_left + m_bandItems - 1) / m_bandItems, 1);
  m_width = std::max(1.0, static_cast<double>(m_lastKey - m_next) / static_cast<double>(bands));
}

bool LowerShare::NextBand(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& ranks,
                          std::vector<KeyRank>& scratch, std::vector<std::uint64_t>& counts) {
  keys.clear();
  ranks.clear();
  if (m_left == 0) return false;
  constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();
  // No item is left below the smallest pending key, so the band begins there and holds at
  // least that item.
  const std::uint64_t start = std::max(m_next, m_pending);
  for (;;) {
    const double width = std::min(m_width, kWidestBand);
    const auto step = std::max<std::uint64_t>(static_cast<std::uint64_t>(width), 1);
    const bool last = m_lastKey - std::min(start, m_lastKey) < step;
    const std::uint64_t end = last ? kAll : start + step;
    // A band one key wide must be taken however full it is.
    const std::uint64_t limit = step == 1 ? kAll : kOverflow * m_bandItems;
    if (Take(end, limit, keys, ranks)) {
      const double kept = static_cast<double>(std::max<std::size_t>(keys.size(), 1));
      const double change = static_cast<double>(m_bandItems) / kept;
      m_width = width * std::clamp(change, 1 / kMostChange, kMostChange);
      m_next = end;
      break;
    }
    m_width = width / (kOverflow * kMostChange);
  }
  SortBucket(KeyRankArrays<std::uint64_t>{keys.data(), ranks.data()}, 0, keys.size(), scratch,
             counts);
  return true;
}

bool LowerShare::Take(std::uint64_t end, std::uint64_t limit, std::vector<std::uint64_t>& keys,
                      std::vector<std::uint64_t>& ranks) {
  m_saved = m_cursors;
  if (limit != std::numeric_limits<std::uint64_t>::max()) {
    keys.reserve(limit);
    ranks.reserve(limit);
  }
  const bool everything = end == std::numeric_limits<std::uint64_t>::max();
  std::uint64_t pending = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t taken = 0;
  std::uint64_t base = m_first;
  GroupWalk groups(m_source.Ranks(), m_source.LastDigit(), m_first);
  for (std::size_t g = 0; g < m_cursors.size(); ++g) {
    std::int32_t& cursor = m_cursors[g];
    std::int32_t* digits = groups.Digits();
    std::int32_t d = cursor;
    for (; d < m_kept[g].end; ++d) {
      digits[0] = d;
      const std::uint64_t key = m_source.KeyOf(m_source.SumOf(digits));
      if (key >= end && !everything) {
        pending = std::min(pending, key);
        break;
      }
      if (keys.size() == limit) {
        m_cursors.swap(m_saved);
        keys.clear();
        ranks.clear();
        return false;
      }
      keys.push_back(key);
      ranks.push_back(base + static_cast<std::uint64_t>(d));
    }
    taken += static_cast<std::uint64_t>(d - cursor);
    cursor = d;
    base += groups.Size();
    groups.Next();
  }
  m_left -= taken;
  m_pending = pending;
  return true;
}

}  // namespace ordavin::fast_divider
