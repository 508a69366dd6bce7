// A side's kept multisets read a group at a time (values in ascending order) against testing
// every multiset, over windows and reach bounds that cut groups at either end or leave them
// empty, and rank ranges that begin and end inside groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/SideSource.h"
#include "support/RandomValueSets.h"
#include "support/Rng.h"

namespace ordavin::fast_divider {
namespace {

using ::ordavin::testing::Rng;
using ::ordavin::testing::ValuesFromPool;

constexpr std::array<double, 10> kPool = {1, 1, 2, 3.3, 4.7, 10, 22, 100, 470, 1000};

std::vector<std::pair<std::uint64_t, std::uint64_t>> Emitted(const SideSource& source,
                                                             std::uint64_t first,
                                                             std::uint64_t end) {
  std::vector<std::pair<std::uint64_t, std::uint64_t>> items;
  source.ForEach(first, end,
                 [&](std::uint64_t key, std::uint64_t rank) { items.emplace_back(key, rank); });
  return items;
}

TEST(SideSource, GroupsReadInAscendingOrderKeepWhatEachTestKeeps) {
  int withCuts = 0;
  for (std::uint32_t k = 0; k < 400; ++k) {
    Rng rng(0x51DE0000u + k);
    std::vector<double> values = ValuesFromPool(rng, 1 + rng.Below(9), kPool);
    std::sort(values.begin(), values.end());
    const bool parallel = rng.Below(2) == 0;
    const SideForm form{parallel, rng.Below(2) == 0 ? KeyKind::Total : KeyKind::Conductance};
    std::vector<double> terms;
    for (double v : values) terms.push_back(parallel ? 1.0 / v : v);
    const MultisetRanks ranks(static_cast<std::uint32_t>(values.size()), 1 + rng.Below(4));
    // Bounds drawn from the values themselves, so that some fall on a network's total.
    const auto bound = [&] { return rng.Pick(kPool) * (1 + rng.Below(4)) / (1 + rng.Below(3)); };
    DividerParameters p;
    WindowTests tests;
    tests.seriesMax = rng.Below(2) == 0;
    tests.parallelMin = rng.Below(2) == 0;
    p.seriesMax = bound();
    p.parallelMin = bound() / 10;
    p.loadConductance = rng.Below(2) == 0 ? 0.0 : 1.0 / bound();
    Reach reach;
    if (rng.Below(2) == 0) {
      reach.upperTotalMin = reach.loadedMin = bound() / 20;
      reach.upperTotalMax = reach.loadedMax = bound() * 2;
    }
    const bool upper = rng.Below(2) == 0;
    const SideSource grouped(terms, ranks, form, p, tests, reach, upper, true);
    const SideSource each(terms, ranks, form, p, tests, reach, upper, false);
    const std::uint64_t count = ranks.Count();
    const std::uint64_t first = rng.Below(static_cast<std::uint32_t>(count));
    const std::uint64_t end = first + rng.Below(static_cast<std::uint32_t>(count - first + 1));
    const auto expected = Emitted(each, first, end);
    EXPECT_EQ(Emitted(grouped, first, end), expected)
        << "case " << k << ", ranks " << first << ".." << end;
    const auto all = Emitted(each, 0, count);
    EXPECT_EQ(Emitted(grouped, 0, count), all) << "case " << k;
    if (!all.empty() && all.size() < count) ++withCuts;
  }
  // Most cases keep some multisets of their range and drop others.
  EXPECT_GT(withCuts, 100);
}

}  // namespace
}  // namespace ordavin::fast_divider
