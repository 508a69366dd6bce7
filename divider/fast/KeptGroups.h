#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "divider/fast/SideSource.h"

namespace ordavin::fast_divider {

// Every group's kept first digits (see SideSource::KeptFirstDigits) for a side whose values
// are in ascending order, found once and in parallel: where the lower side's shares begin,
// so that each holds about as many kept networks, and where its cursors start and stop.
// Groups are numbered in rank order.
class KeptGroups {
 public:
  struct Share {
    std::uint64_t rank;   // the first rank of its first group
    std::uint64_t group;  // that group's number
  };

  explicit KeptGroups(const SideSource& source) : m_source(source) {}

  // False when aborted.
  bool Find(unsigned workers, const std::atomic<bool>& abortRequested);
  std::span<const SideSource::DigitRange> Ranges() const { return m_ranges; }

  // Where each of about `shares` shares begins, then the side's end.
  std::vector<Share> ShareStarts(std::uint64_t shares) const;

  // The number of groups of a side and the bytes their ranges take.
  static std::uint64_t GroupCount(const MultisetRanks& ranks, std::uint32_t n);
  static std::uint64_t Bytes(const MultisetRanks& ranks, std::uint32_t n);

 private:
  const SideSource& m_source;
  std::vector<SideSource::DigitRange> m_ranges;
};

}  // namespace ordavin::fast_divider
