#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "divider/StraightforwardDividerEngine.h"
#include "run/DividerPreparation.h"
#include "support/ValueFixtures.h"
#include "texts/Messages.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

class DividerPreparationTest : public ::testing::Test {
 protected:
  DividerPreparationTest() {
    SetValues(set, {1000, 2200, 4700, 10000});
    request.divisionFactor = 0.5;
  }
  Preparation Prepare() { return PrepareDividerRun(set, ticks, request, engine); }

  ValueSet set;
  StraightforwardDividerEngine engine{set};
  std::vector<std::int32_t> ticks{1, 1, 1, 1};
  DividerRequest request;
};

TEST_F(DividerPreparationTest, CopiesTheRequestIntoTheEngine) {
  request.upperCount = 3;
  request.lowerCount = 2;
  request.upperMode = NetworkMode::Series;
  request.lowerMode = NetworkMode::Parallel;
  request.maxResults = 17;
  request.tolerance = 0.02;
  request.sourceResistance = 50;
  request.loadResistance = 10000;
  request.parallelEnabled = true;
  request.parallelMin = 10;
  request.parallelMax = 20;
  const Preparation result = Prepare();
  EXPECT_TRUE(result.ready);
  EXPECT_TRUE(result.messages.empty());
  const DividerParameters& p = engine.Parameters();
  EXPECT_EQ(p.upperCount, 3u);
  EXPECT_EQ(p.lowerCount, 2u);
  EXPECT_EQ(p.positionCount(), 5u);
  EXPECT_EQ(p.upperMode, NetworkMode::Series);
  EXPECT_EQ(p.lowerMode, NetworkMode::Parallel);
  EXPECT_EQ(p.maxResults, 17u);
  EXPECT_EQ(p.targetFactor, 0.5);
  EXPECT_EQ(p.tolerance, 0.02);
  EXPECT_EQ(p.sourceResistance, 50.0);
  EXPECT_EQ(p.loadConductance, 0.0001);
  EXPECT_EQ(p.seriesMin, 1000.0);
  EXPECT_EQ(p.seriesMax, 100000.0);
  EXPECT_EQ(p.parallelMin, 10.0);
  EXPECT_EQ(p.parallelMax, 20.0);
  EXPECT_EQ(engine.BestMatchSlots().size(), 17u);
}

TEST_F(DividerPreparationTest, DisabledWindowsAreOpenWhateverTheirFields) {
  request.seriesEnabled = false;
  request.seriesMin = 5;
  request.seriesMax = 1;
  request.parallelEnabled = false;
  request.parallelMin = 9;
  request.parallelMax = 3;
  request.loadResistance = 0;
  ASSERT_TRUE(Prepare().ready);
  const DividerParameters& p = engine.Parameters();
  EXPECT_EQ(p.seriesMin, 0.0);
  EXPECT_EQ(p.seriesMax, 1e300);
  EXPECT_EQ(p.parallelMin, 0.0);
  EXPECT_EQ(p.parallelMax, 1e300);
  EXPECT_EQ(p.loadConductance, 0.0);
}

TEST_F(DividerPreparationTest, WorkingSetFollowsTheTicks) {
  ticks = {1, 0, 2, 1};
  ASSERT_TRUE(Prepare().ready);
  EXPECT_EQ(std::vector<double>(set.WorkingValues().begin(), set.WorkingValues().end()),
            (std::vector<double>{1000, 10000}));
}

TEST_F(DividerPreparationTest, RefusalsInOrderStoppingAtTheFirst) {
  // Everything is wrong at once: only the first check speaks.
  ticks = {0, 1, 0, 0};
  request.divisionFactor = 1;
  request.seriesMax = 1;
  request.parallelEnabled = true;
  request.parallelMax = 1;
  Preparation result = Prepare();
  EXPECT_FALSE(result.ready);
  EXPECT_EQ(result.messages, std::vector<std::string>{kNotEnoughValuesMessage});
  EXPECT_EQ(result.messages[0], "Not enough resistor values available.\n> 1 required.");

  ticks = {1, 1, 1, 1};
  result = Prepare();
  EXPECT_EQ(result.messages,
            std::vector<std::string>{
                "Error: The division factor must be greater than 0 and less than 1."});
  request.divisionFactor = 0.5;
  result = Prepare();
  EXPECT_EQ(result.messages,
            std::vector<std::string>{"Please check series resistance constraints"});
  request.seriesMax = 1e6;
  result = Prepare();
  EXPECT_EQ(result.messages,
            std::vector<std::string>{"Please check parallel resistance constraints"});
  request.parallelMax = 1e6;
  EXPECT_TRUE(Prepare().ready);
}

TEST_F(DividerPreparationTest, DivisionFactorMustLieStrictlyInside) {
  for (double factor : {0.0, 1.0, -0.5, 2.64, std::nan(""), HUGE_VAL}) {
    request.divisionFactor = factor;
    const Preparation result = Prepare();
    EXPECT_FALSE(result.ready) << factor;
    EXPECT_EQ(result.messages.size(), 1u);
  }
  request.divisionFactor = std::nextafter(1.0, 0.0);
  EXPECT_TRUE(Prepare().ready);
}

TEST_F(DividerPreparationTest, EqualWindowBoundsAreAccepted) {
  request.seriesMin = request.seriesMax = 3200;
  request.parallelEnabled = true;
  request.parallelMin = request.parallelMax = 0;
  EXPECT_TRUE(Prepare().ready);
}

TEST_F(DividerPreparationTest, ARefusalLeavesTheLastResultsAlone) {
  request.seriesEnabled = false;
  request.tolerance = 5;
  ASSERT_TRUE(Prepare().ready);
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  const std::uint64_t matching = engine.MatchingCount();
  ASSERT_GT(matching, 0u);
  request.divisionFactor = 0;
  EXPECT_FALSE(Prepare().ready);
  EXPECT_EQ(engine.MatchingCount(), matching);
  EXPECT_EQ(engine.VisitedCount(), 16u);
}

}  // namespace
}  // namespace ordavin
