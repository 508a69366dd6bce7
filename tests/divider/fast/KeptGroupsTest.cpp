// Every group's kept range against testing each multiset, found by one to three workers; and
// the shares drawn from them: they tile the side at group starts and hold about equal numbers
// of kept multisets.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/KeptGroups.h"
#include "support/RandomValueSets.h"
#include "support/Rng.h"

namespace ordavin::fast_divider {
namespace {

using ::ordavin::testing::Rng;
using ::ordavin::testing::SeriesLikeValues;

TEST(KeptGroups, RangesAndSharesAgreeWithTestingEachMultiset) {
  for (std::uint32_t k = 0; k < 60; ++k) {
    Rng rng(0x6E0C0000u + k);
    const std::vector<double> values = SeriesLikeValues(rng, 20 + rng.Below(40));
    const bool parallel = rng.Below(2) == 0;
    std::vector<double> terms;
    for (double v : values) terms.push_back(parallel ? 1.0 / v : v);
    const MultisetRanks ranks(static_cast<std::uint32_t>(values.size()), 1 + rng.Below(4));
    DividerParameters p;
    WindowTests tests;
    Reach reach;
    reach.loadedMin = values[rng.Below(static_cast<std::uint32_t>(values.size()))];
    reach.loadedMax = reach.loadedMin * (1 + rng.Below(30));
    const SideSource source(terms, ranks, {parallel, KeyKind::Total}, p, tests, reach, false, true);
    KeptGroups kept(source);
    const std::atomic<bool> abort{false};
    ASSERT_TRUE(kept.Find(1 + rng.Below(3), abort));

    // Each multiset is kept exactly when its first digit lies in its group's range.
    std::vector<std::uint64_t> keptPerGroup;
    std::vector<std::uint64_t> groupStarts;
    std::int32_t digits[MultisetRanks::kMaxCount] = {};
    std::uint64_t group = 0;
    std::uint64_t total = 0;
    for (std::uint64_t rank = 0; rank < ranks.Count(); ++rank) {
      ranks.Unrank(rank, digits);
      if (digits[0] == 0) {
        group = groupStarts.size();
        groupStarts.push_back(rank);
        keptPerGroup.push_back(0);
      }
      const SideSource::DigitRange range = kept.Ranges()[group];
      const bool inRange = digits[0] >= range.begin && digits[0] < range.end;
      ASSERT_EQ(source.Keeps(source.SumOf(digits)), inRange) << "case " << k << ", rank " << rank;
      keptPerGroup[group] += inRange ? 1 : 0;
      total += inRange ? 1 : 0;
    }
    ASSERT_EQ(kept.Ranges().size(), groupStarts.size());

    const std::uint64_t shares = 1 + rng.Below(8);
    const std::vector<KeptGroups::Share> starts = kept.ShareStarts(shares);
    ASSERT_GE(starts.size(), 2u);
    EXPECT_LE(starts.size(), shares + 1);
    EXPECT_EQ(starts.front().rank, 0u);
    EXPECT_EQ(starts.back().rank, ranks.Count());
    EXPECT_EQ(starts.back().group, groupStarts.size());
    const std::uint64_t largest = *std::max_element(keptPerGroup.begin(), keptPerGroup.end());
    for (std::size_t s = 0; s + 1 < starts.size(); ++s) {
      ASSERT_LT(starts[s].group, starts[s + 1].group);
      EXPECT_EQ(starts[s].rank, groupStarts[starts[s].group]) << "case " << k;
      std::uint64_t inShare = 0;
      for (std::uint64_t g = starts[s].group; g < starts[s + 1].group; ++g) {
        inShare += keptPerGroup[g];
      }
      // About an equal part each, give or take the group that crosses a boundary.
      EXPECT_LE(inShare, total / shares + 2 * largest + 1) << "case " << k << ", share " << s;
    }
  }
}

}  // namespace
}  // namespace ordavin::fast_divider
