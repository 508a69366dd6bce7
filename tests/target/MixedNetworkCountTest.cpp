#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "target/mixed/MixedNetworkCount.h"

namespace ordavin {
namespace {

// T(k): networks of k resistors whose outer connection is series (as many are parallel).
// Their parts are resistors or parallel networks, P(1) = n and P(s) = T(s), taken as a
// multiset whose sizes add up to k; C(m + r - 1, r) multisets of r parts out of m.
//
// One position (the shapes): T(2) = 1; T(3) = {1,1,1} 1 + {1,2} 1 = 2;
// T(4) = {1,1,1,1} 1 + {1,1,2} 1 + {2,2} 1 + {1,3} 2 = 5;
// T(5) = {1x5} 1 + {1,1,1,2} 1 + {1,2,2} 1 + {1,1,3} 2 + {2,3} 2 + {1,4} 5 = 12;
// so 2, 4, 10 and 24 shapes.
//
// Two positions: T(2) = C(3,2) = 3; T(3) = {1,1,1} C(4,3) 4 + {1,2} 2*3 = 10;
// T(4) = {1x4} C(5,4) 5 + {1,1,2} C(3,2)*3 9 + {2,2} C(4,2) 6 + {1,3} 2*10 20 = 40;
// T(5) = {1x5} C(6,5) 6 + {1,1,1,2} C(4,3)*3 12 + {1,2,2} 2*C(4,2) 12 + {1,1,3} C(3,2)*10 30
//      + {2,3} 3*10 30 + {1,4} 2*40 80 = 170.
TEST(MixedNetworkCountTest, HandDerivedCounts) {
  EXPECT_EQ(MixedNetworkCount(1, 1), 1u);
  EXPECT_EQ(MixedNetworkCount(1, 2), 2u);
  EXPECT_EQ(MixedNetworkCount(1, 3), 4u);
  EXPECT_EQ(MixedNetworkCount(1, 4), 10u);
  EXPECT_EQ(MixedNetworkCount(1, 5), 24u);
  EXPECT_EQ(MixedNetworkCount(2, 1), 2u);
  EXPECT_EQ(MixedNetworkCount(2, 2), 6u);
  EXPECT_EQ(MixedNetworkCount(2, 3), 20u);
  EXPECT_EQ(MixedNetworkCount(2, 4), 80u);
  EXPECT_EQ(MixedNetworkCount(2, 5), 340u);
  EXPECT_EQ(MixedNetworkCount(0, 3), 0u);
}

TEST(MixedNetworkCountTest, TwoResistorsAreThePairsInBothConnections) {
  for (std::uint64_t n : {3u, 24u, 96u, 1000u}) {
    EXPECT_EQ(MixedNetworkCount(n, 2), n * (n + 1));
  }
}

TEST(MixedNetworkCountTest, SixtyFourBitEdgeAndUncoveredSizes) {
  // 2 C(2^32, 2) = 2^64 - 2^32 still fits; one position more passes 2^64.
  const std::uint64_t n = (std::uint64_t{1} << 32) - 1;
  EXPECT_EQ(MixedNetworkCount(n, 2), (n + 1) * n);
  EXPECT_EQ(MixedNetworkCount(n + 1, 2), std::nullopt);
  EXPECT_EQ(MixedNetworkCount(std::uint64_t{1} << 20, 5), std::nullopt);
  EXPECT_EQ(MixedNetworkCount(UINT64_MAX, 1), UINT64_MAX);
  EXPECT_EQ(MixedNetworkCount(24, 0), std::nullopt);
  EXPECT_EQ(MixedNetworkCount(24, 6), std::nullopt);
}

}  // namespace
}  // namespace ordavin
