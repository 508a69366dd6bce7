#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run/TargetPreparation.h"
#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "texts/Messages.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

class TargetPreparationTest : public ::testing::Test {
 protected:
  TargetPreparationTest() { SetValues(set, {10, 500, 989.9, 990, 1000, 2000, 1010, 1010.1}); }
  Preparation Prepare() { return PrepareTargetRun(set, ticks, request, engine); }
  std::vector<double> Working() const {
    return {set.WorkingValues().begin(), set.WorkingValues().end()};
  }

  ValueSet set;
  StraightforwardTargetEngine engine{set};
  std::vector<std::int32_t> ticks = std::vector<std::int32_t>(8, 1);
  TargetRequest request{1000, 0.01, 12, 3, ConnectionMode::ParallelAndSeries};
};

TEST_F(TargetPreparationTest, BothConnectionsKeepEveryTickedValue) {
  ticks[1] = 0;
  const Preparation result = Prepare();
  EXPECT_TRUE(result.ready);
  EXPECT_EQ(Working(), (std::vector<double>{10, 989.9, 990, 1000, 2000, 1010, 1010.1}));
  const TargetParameters& p = engine.Parameters();
  EXPECT_EQ(p.targetResistance, 1000.0);
  EXPECT_EQ(p.tolerance, 0.01);
  EXPECT_EQ(p.maxResults, 12u);
  EXPECT_EQ(p.resistorCount, 3u);
  EXPECT_EQ(p.connectionMode, ConnectionMode::ParallelAndSeries);
  EXPECT_EQ(engine.BestMatchSlots().size(), 12u);
}

TEST_F(TargetPreparationTest, MixedNetworksKeepEveryTickedValue) {
  request.connectionMode = ConnectionMode::Mixed;
  request.resistorCount = 5;
  ticks[1] = 0;
  EXPECT_TRUE(Prepare().ready);
  EXPECT_EQ(Working(), (std::vector<double>{10, 989.9, 990, 1000, 2000, 1010, 1010.1}));
  EXPECT_EQ(engine.Parameters().connectionMode, ConnectionMode::Mixed);
}

TEST_F(TargetPreparationTest, MixedNetworksTooManyToCountOrToHoldAreRefused) {
  request.connectionMode = ConnectionMode::Mixed;
  request.resistorCount = 5;
  // 1000 values out of ascending order go to the enumerator, whose networks of four
  // resistors alone would take terabytes; in ascending order the fast search keeps only
  // those of two.
  std::vector<double> many(1000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = 1000.0 - static_cast<double>(i);
  SetValues(set, many);
  ticks.assign(many.size(), 1);
  Preparation result = Prepare();
  EXPECT_FALSE(result.ready);
  EXPECT_EQ(result.messages, (std::vector<std::string>{kNetworksNeedMemoryMessage}));
  std::reverse(many.begin(), many.end());
  SetValues(set, many);
  EXPECT_TRUE(Prepare().ready);
  // 20000 values: more than 2^64 networks of five.
  many.resize(20000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = 1.0 + static_cast<double>(i);
  SetValues(set, many);
  ticks.assign(many.size(), 1);
  result = Prepare();
  EXPECT_FALSE(result.ready);
  EXPECT_EQ(result.messages, (std::vector<std::string>{kTooManyNetworksMessage}));
  // Two resistors of the same values need no lists of smaller networks.
  request.resistorCount = 2;
  EXPECT_TRUE(Prepare().ready);
}

TEST_F(TargetPreparationTest, ParallelOnlyDropsValuesBelowTheRange) {
  request.connectionMode = ConnectionMode::ParallelOnly;
  EXPECT_TRUE(Prepare().ready);
  EXPECT_EQ(Working(), (std::vector<double>{990, 1000, 2000, 1010, 1010.1}));
}

TEST_F(TargetPreparationTest, SeriesOnlyDropsValuesAboveTheRange) {
  request.connectionMode = ConnectionMode::SeriesOnly;
  EXPECT_TRUE(Prepare().ready);
  EXPECT_EQ(Working(), (std::vector<double>{10, 500, 989.9, 990, 1000, 1010}));
}

TEST_F(TargetPreparationTest, NothingLeftAfterTheReduction) {
  request.connectionMode = ConnectionMode::ParallelOnly;
  request.targetResistance = 1e6;
  const Preparation result = Prepare();
  EXPECT_FALSE(result.ready);
  EXPECT_EQ(result.messages, std::vector<std::string>{"No possible combinations."});
}

TEST_F(TargetPreparationTest, TooFewValuesAndNothingLeftGiveTwoMessagesInOrder) {
  ticks = {1, 0, 0, 0, 0, 0, 0, 0};
  request.connectionMode = ConnectionMode::ParallelOnly;
  const Preparation result = Prepare();
  EXPECT_FALSE(result.ready);
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{kNotEnoughValuesMessage, kNoCombinationsMessage}));
  // The parameters reach the engine all the same.
  EXPECT_EQ(engine.Parameters().connectionMode, ConnectionMode::ParallelOnly);
  EXPECT_EQ(engine.MatchingCount(), 0u);
}

TEST_F(TargetPreparationTest, TooFewValuesAloneInTheMixedConnection) {
  ticks = std::vector<std::int32_t>(8, 0);
  const Preparation result = Prepare();
  EXPECT_EQ(result.messages, std::vector<std::string>{kNotEnoughValuesMessage});
}

TEST_F(TargetPreparationTest, OneValueLeftAfterTheReductionStillRuns) {
  request.connectionMode = ConnectionMode::ParallelOnly;
  request.targetResistance = 1500;
  request.tolerance = 0.5;
  ASSERT_TRUE(Prepare().ready);
  // 750 and up: 989.9, 990, 1000, 2000, 1010, 1010.1.
  EXPECT_EQ(Working().size(), 6u);
  request.targetResistance = 2000;
  request.tolerance = 0;
  ASSERT_TRUE(Prepare().ready);
  EXPECT_EQ(Working(), std::vector<double>{2000});
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  EXPECT_EQ(engine.VisitedCount(), 1u);
}

}  // namespace
}  // namespace ordavin
