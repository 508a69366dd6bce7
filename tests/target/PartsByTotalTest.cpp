#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/MersenneRng.h"
#include "support/RandomValueSets.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/PartsByTotal.h"

namespace ordavin {
namespace {

using ::ordavin::testing::MersenneRng;
using ::ordavin::testing::ScatteredValues;

// The parts of two resistors of either kind (their totals out of canonical order, with
// ties), and resistors (in order already): totals ascend, ties in canonical order, and the
// counts from a canonical index agree with counting one by one.
TEST(PartsByTotal, OrdersByTotalAndCountsFromACanonicalIndex) {
  const std::atomic<bool> abort{false};
  for (std::uint32_t k = 0; k < 30; ++k) {
    MersenneRng rng(4243u + k);
    std::vector<double> values = ScatteredValues(rng, 2 + rng.Below(20));
    std::sort(values.begin(), values.end());
    const MixedEnumerator parts(values.data(), static_cast<std::uint32_t>(values.size()), 3, abort);
    for (const bool parallel : {false, true}) {
      for (const std::uint32_t size : {1U, 2U}) {
        const SubNetworkList& list = parts.PartsOf(parallel, size);
        const PartsByTotal byTotal(list, true);
        ASSERT_EQ(byTotal.Size(), list.Size());
        std::vector<bool> seen(list.Size(), false);
        for (std::size_t i = 0; i < byTotal.Size(); ++i) {
          const std::uint32_t canonical = byTotal.CanonicalIndex(i);
          ASSERT_LT(canonical, list.Size());
          EXPECT_FALSE(seen[canonical]);
          seen[canonical] = true;
          EXPECT_EQ(byTotal.Totals()[i], list.Total(canonical));
          if (i > 0) {
            const double before = byTotal.Totals()[i - 1];
            EXPECT_TRUE(
                before < byTotal.Totals()[i] ||
                (before == byTotal.Totals()[i] && byTotal.CanonicalIndex(i - 1) < canonical));
          }
        }
        for (int q = 0; q < 40; ++q) {
          std::size_t begin = rng.Below(static_cast<std::uint32_t>(list.Size() + 1));
          std::size_t end = rng.Below(static_cast<std::uint32_t>(list.Size() + 1));
          if (begin > end) std::swap(begin, end);
          const std::uint32_t first = rng.Below(static_cast<std::uint32_t>(list.Size() + 1));
          std::size_t expected = 0;
          for (std::size_t i = begin; i < end; ++i) {
            expected += byTotal.CanonicalIndex(i) >= first ? 1U : 0U;
          }
          EXPECT_EQ(byTotal.CountFrom(begin, end, first), expected);
        }
      }
    }
  }
}

}  // namespace
}  // namespace ordavin
