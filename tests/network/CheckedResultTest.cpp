#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "divider/DividerRowCheck.h"
#include "divider/StraightforwardDividerEngine.h"
#include "network/CheckedResult.h"
#include "support/DividerFixtures.h"
#include "support/NetworkFixtures.h"
#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetRowCheck.h"

namespace ordavin {
namespace {

Network Flat(Connection connection, const std::vector<double>& values) {
  return ordavin::testing::FlatNetwork(connection, values);
}

// Rs 1 kΩ, upper 10 kΩ || 10 kΩ = 5 kΩ, lower 1 kΩ + 4 kΩ = 5 kΩ, load 5 kΩ: the loaded lower
// network is 2.5 kΩ and the factor 2.5 / 8.5.
CheckedResult DividerWithSourceAndLoad(double target, double tolerance) {
  CheckedResult result;
  result.kind = CheckedResult::Kind::Divider;
  result.divider.upper = Flat(Connection::Parallel, {10000, 10000});
  result.divider.lower = Flat(Connection::Series, {1000, 4000});
  result.divider.sourceResistance = 1000;
  result.divider.loadConductance = 1.0 / 5000;
  result.target = target;
  result.tolerance = tolerance;
  return result;
}

CheckedResult NetworkResult(Network network, double target, double tolerance) {
  CheckedResult result;
  result.network = std::move(network);
  result.target = target;
  result.tolerance = tolerance;
  result.strictTolerance = true;
  return result;
}

TEST(WorstCaseTest, DividerCornersPutTheUpperAndLowerNetworksAtOppositeEdges) {
  const CheckedResult result = DividerWithSourceAndLoad(0.3, 0.02);
  const WorstCase worst = WorstCaseOf(result, 0.1);
  // Lowest: upper 5.5 kΩ, lower 4.5 kΩ loaded by 5 kΩ. Highest: upper 4.5 kΩ, lower 5.5 kΩ.
  const double lowLoaded = 4500.0 * 5000.0 / 9500.0;
  const double highLoaded = 5500.0 * 5000.0 / 10500.0;
  const double lowest = lowLoaded / (1000 + 5500 + lowLoaded);
  const double highest = highLoaded / (1000 + 4500 + highLoaded);
  EXPECT_NEAR(worst.band.nominal, 2.5 / 8.5, 1e-15);
  EXPECT_NEAR(worst.band.lowest, lowest, 1e-15);
  EXPECT_NEAR(worst.band.highest, highest, 1e-15);
  EXPECT_NEAR(worst.lowestError, (lowest - 0.3) / 0.3, 1e-14);
  EXPECT_NEAR(worst.highestError, (highest - 0.3) / 0.3, 1e-14);
  // The nominal is 1.96 % low, inside ±2 %; the band is not.
  EXPECT_FALSE(worst.withinTolerance);
  EXPECT_TRUE(WorstCaseOf(DividerWithSourceAndLoad(0.3, 0.2), 0.1).withinTolerance);
}

TEST(WorstCaseTest, NetworkTotalsScaleWithTheirParts) {
  const WorstCase series =
      WorstCaseOf(NetworkResult(Flat(Connection::Series, {100, 220, 680}), 1000, 0.06), 0.05);
  EXPECT_DOUBLE_EQ(series.band.nominal, 1000);
  EXPECT_DOUBLE_EQ(series.band.lowest, 950);
  EXPECT_DOUBLE_EQ(series.band.highest, 1050);
  EXPECT_DOUBLE_EQ(series.lowestError, -0.05);
  EXPECT_TRUE(series.withinTolerance);

  // 1 kΩ || 1 kΩ || 2 kΩ = 400 Ω.
  const WorstCase parallel =
      WorstCaseOf(NetworkResult(Flat(Connection::Parallel, {1000, 1000, 2000}), 400, 0.005), 0.01);
  EXPECT_DOUBLE_EQ(parallel.band.nominal, 400);
  EXPECT_DOUBLE_EQ(parallel.band.lowest, 396);
  EXPECT_DOUBLE_EQ(parallel.band.highest, 404);
  EXPECT_FALSE(parallel.withinTolerance);

  // 100 Ω + (200 Ω || 200 Ω) = 200 Ω.
  Network mixed =
      Connect(Connection::Series, {Resistor(100), Flat(Connection::Parallel, {200, 200})});
  const WorstCase mixedWorst = WorstCaseOf(NetworkResult(mixed, 200, 0.1), 0.02);
  EXPECT_DOUBLE_EQ(mixedWorst.band.lowest, 196);
  EXPECT_DOUBLE_EQ(mixedWorst.band.highest, 204);
}

TEST(WorstCaseTest, AnErrorOnTheToleranceEdgePassesOnlyTheInclusiveTest) {
  // Parts of ±25 % move 2 kΩ || 2 kΩ to exactly 750 Ω and 1250 Ω: errors of exactly ∓0.25.
  CheckedResult target = NetworkResult(Flat(Connection::Parallel, {2000, 2000}), 1000, 0.25);
  const WorstCase strict = WorstCaseOf(target, 0.25);
  EXPECT_EQ(strict.lowestError, -0.25);
  EXPECT_EQ(strict.highestError, 0.25);
  EXPECT_FALSE(strict.withinTolerance);
  target.strictTolerance = false;
  EXPECT_TRUE(WorstCaseOf(target, 0.25).withinTolerance);
}

TEST(PowerTest, DividerCurrentSplitsBetweenTheLowerNetworkAndTheLoad) {
  // 8.5 V over 8.5 kΩ: 1 mA; 5 V across the upper network, 2.5 V across the lower one and
  // the load, which take 0.5 mA each.
  const PowerSplit power = PowerOf(DividerWithSourceAndLoad(0.3, 0.02), 8.5);
  EXPECT_NEAR(power.totalCurrent, 1e-3, 1e-18);
  ASSERT_EQ(power.resistors.size(), 4U);
  const double currents[] = {0.5e-3, 0.5e-3, 0.5e-3, 0.5e-3};
  const double powers[] = {2.5e-3, 2.5e-3, 0.25e-3, 1e-3};
  const double ohms[] = {10000, 10000, 1000, 4000};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(power.resistors[k].ohms, ohms[k]) << k;
    EXPECT_NEAR(power.resistors[k].current, currents[k], 1e-18) << k;
    EXPECT_NEAR(power.resistors[k].power, powers[k], 1e-17) << k;
  }
  EXPECT_EQ(power.hottest, 0U);  // a tie goes to the first
}

TEST(PowerTest, NetworkCurrentsFollowItsConnections) {
  const PowerSplit parallel =
      PowerOf(NetworkResult(Flat(Connection::Parallel, {1000, 1000, 2000}), 400, 0.1), 10);
  EXPECT_NEAR(parallel.totalCurrent, 25e-3, 1e-17);
  EXPECT_NEAR(parallel.resistors[2].current, 5e-3, 1e-17);
  EXPECT_NEAR(parallel.resistors[0].power, 0.1, 1e-15);
  EXPECT_EQ(parallel.hottest, 0U);

  const PowerSplit series =
      PowerOf(NetworkResult(Flat(Connection::Series, {100, 220, 680}), 1000, 0.1), 10);
  EXPECT_NEAR(series.totalCurrent, 10e-3, 1e-17);
  EXPECT_NEAR(series.resistors[1].power, 22e-3, 1e-16);
  EXPECT_EQ(series.hottest, 2U);

  // 4 V over 100 Ω + (200 Ω || 200 Ω): 20 mA, 2 V across each part, 10 mA in each branch.
  const PowerSplit mixed = PowerOf(
      NetworkResult(
          Connect(Connection::Series, {Resistor(100), Flat(Connection::Parallel, {200, 200})}), 200,
          0.1),
      4);
  EXPECT_NEAR(mixed.totalCurrent, 20e-3, 1e-17);
  EXPECT_NEAR(mixed.resistors[0].power, 40e-3, 1e-16);
  EXPECT_NEAR(mixed.resistors[1].current, 10e-3, 1e-17);
  EXPECT_NEAR(mixed.resistors[2].power, 20e-3, 1e-16);
}

// A row checked at zero part tolerance gives the engine's own figure to the last bit, and
// passes its search's test.
TEST(CheckedRowTest, NominalFiguresAreTheEnginesToTheLastBit) {
  ValueSet set;
  testing::SetValues(set, {1, 2.2, 4.7, 10, 33, 68, 150});
  std::atomic<bool> abort{false};

  StraightforwardDividerEngine divider(set);
  for (const NetworkMode upperMode : {NetworkMode::Parallel, NetworkMode::Series}) {
    DividerParameters p = testing::SmallCase();
    p.upperCount = 3;
    p.upperMode = upperMode;
    p.sourceResistance = 2.7;
    p.loadConductance = 1.0 / 47;
    p.tolerance = 0.05;
    p.maxResults = 20;
    divider.SetParameters(p);
    divider.Optimize(abort);
    ASSERT_FALSE(divider.KeptMatches().empty());
    for (std::size_t j = 0; j < divider.KeptMatches().size(); ++j) {
      const DividerMatch& match = divider.KeptMatches()[j];
      const CheckedResult row = CheckedDividerRow(static_cast<std::int32_t>(j), match, p, set);
      EXPECT_EQ(row.rank, static_cast<std::int64_t>(j) + 1);
      const WorstCase worst = WorstCaseOf(row, 0);
      EXPECT_EQ(worst.band.nominal, match.divisionFactor) << j;
      EXPECT_EQ(worst.band.lowest, match.divisionFactor) << j;
      EXPECT_EQ(worst.lowestError, match.error) << j;
      EXPECT_TRUE(worst.withinTolerance) << j;
      EXPECT_EQ(ResistorsOf(row).size(), 5U);
    }
  }

  StraightforwardTargetEngine target(set);
  for (const ConnectionMode mode : {ConnectionMode::ParallelOnly, ConnectionMode::SeriesOnly}) {
    const TargetParameters p{12.5, 0.2, mode, 20, 4};
    target.SetParameters(p);
    target.Optimize(abort);
    ASSERT_FALSE(target.KeptMatches().empty());
    for (std::size_t j = 0; j < target.KeptMatches().size(); ++j) {
      const TargetMatch& match = target.KeptMatches()[j];
      const CheckedResult row = CheckedTargetRow(static_cast<std::int32_t>(j), match, p, set);
      const WorstCase worst = WorstCaseOf(row, 0);
      EXPECT_EQ(worst.band.nominal, match.total) << j;
      EXPECT_EQ(worst.highestError, match.error) << j;
      EXPECT_TRUE(worst.withinTolerance) << j;
    }
  }
}

}  // namespace
}  // namespace ordavin
