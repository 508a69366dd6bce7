#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "target/TargetMatch.h"
#include "target/TargetParameters.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "target/mixed/PairsBySum.h"
#include "target/mixed/PartsByTotal.h"

namespace ordavin {

// The mixed search without visiting every network. A network's total only grows with the
// total of any of its parts, so once everything but the last part of the innermost
// connection is fixed (the context), the matching last parts are one run of a list sorted by
// total, found by galloping search on the exact total of the whole network and counted
// without visiting them. Resistors and parts of two resistors are listed; a larger last part
// is itself a connection, whose own last part is then the one searched. When the last two
// parts of a connection are resistors, they are searched together on all pairs sorted by the
// sum of their terms (PairsBySum): that sum is within a few units in the last place of what
// the connection folds, so only the pairs near the ends of the run are folded exactly.
//
// Every total is folded in canonical order, as MixedTotal does, and the rows are ranked as
// MixedBestList ranks them: counts and rows are those of SearchMixedNetworks to the last
// bit, whatever the number of workers.
class FastMixedSearch {
 public:
  struct Layout {
    std::uint32_t listedSize = 0;  // the largest parts kept in sorted lists: 1 or 2
    bool pairs = false;            // pairs of resistors kept by their sums
    std::uint64_t bytes = 0;       // what the lists take while built, at most
  };

  // Lists of pairs are kept up to this many pairs (about 100 bytes each while built): up to
  // 2896 values.
  static constexpr std::uint64_t kListedNetworks = std::uint64_t{1} << 22;

  // How the search would lay out its lists, each of at most `listed` pairs; nothing when it
  // does not cover the run: values not positive and finite or not in ascending order, a
  // target below zero (the error would fall as the total grows), a size outside 2 to 5
  // resistors, or lists of pairs longer than `listed` (from four resistors on; for three
  // the last two are then swept).
  static std::optional<Layout> LayOut(std::span<const double> values, std::uint32_t resistors,
                                      double target, std::uint64_t listed = kListedNetworks);

  FastMixedSearch(std::span<const double> values, const TargetParameters& parameters,
                  const Layout& layout);
  ~FastMixedSearch();

  // Runs the search on `workers` threads; `visited` counts the networks accounted for as
  // the work goes. The best rows are written to the front of `best`. Returns the matching
  // count (of what was searched, when aborted).
  std::uint64_t Run(unsigned workers, const std::atomic<bool>& abortRequested,
                    std::atomic<std::uint64_t>& visited, std::vector<TargetMatch>& best);

 private:
  class Worker;

  // The networks that complete a connection once a part of `size` resistors, number `index`
  // of its list, has been chosen and `left` resistors remain: further parts of that size
  // from the same one on, then larger ones.
  std::uint64_t Completions(std::uint32_t left, std::uint32_t size, std::uint32_t index) const;

  std::span<const double> m_values;
  TargetParameters m_parameters;
  Layout m_layout;
  std::unique_ptr<MixedEnumerator> m_parts;
  // Per kind of connection (series, parallel) and size: the parts it may have, by total.
  std::array<std::vector<std::unique_ptr<PartsByTotal>>, 2> m_byTotal;
  // Per kind: the pairs of resistors by the sum of their terms; none past the listed length.
  std::array<std::unique_ptr<PairsBySum>, 2> m_pairs;
  // Parts of each size a connection may have (the same for either kind), and the multisets
  // of parts of at least [smallest] resistors that take [left] resistors.
  std::array<std::uint64_t, kMaxMixedResistors + 1> m_partCounts{};
  std::array<std::array<std::uint64_t, kMaxMixedResistors + 2>, kMaxMixedResistors + 1>
      m_partSets{};
};

}  // namespace ordavin
