#include <gtest/gtest.h>

#include <string>

#include "support/NetworkFixtures.h"
#include "texts/CheckTexts.h"
#include "texts/EngineeringNotation.h"

namespace ordavin {
namespace {

Network Flat(Connection connection, const std::vector<double>& values) {
  return ordavin::testing::FlatNetwork(connection, values);
}

TEST(CheckTextsTest, FormulasNumberResistorsDepthFirstAndBracketInnerConnections) {
  EXPECT_EQ(NetworkFormula(Resistor(1)), "R1");
  EXPECT_EQ(NetworkFormula(Flat(Connection::Parallel, {1, 2, 3})), "R1||R2||R3");
  EXPECT_EQ(NetworkFormula(Flat(Connection::Series, {1, 2}), 4), "R5+R6");
  const Network mixed =
      Connect(Connection::Parallel,
              {Flat(Connection::Series, {1, 2}), Resistor(3), Flat(Connection::Series, {4, 5})});
  EXPECT_EQ(NetworkFormula(mixed), "(R1+R2)||R3||(R4+R5)");
}

TEST(CheckTextsTest, CurrentsAndPowersUseEngineeringPrefixes) {
  EXPECT_EQ(FormatCurrent(1.06e-3), "1.06 mA");
  EXPECT_EQ(FormatCurrent(2.5), "2.50 A");
  EXPECT_EQ(FormatPower(0.25e-3), "250.00 \u00B5W");
  EXPECT_EQ(FormatPower(1500), "1.50 kW");
  EXPECT_EQ(FormatEngineering(-1, "A"), "");
  EXPECT_EQ(FormatRelativeTolerance(0.0005), "\u00B10.05 %");
  EXPECT_EQ(FormatRelativeTolerance(0.01), "\u00B11 %");
}

TEST(CheckTextsTest, SummaryHoldsNetworkValuesWorstCaseAndPower) {
  CheckedResult result;
  result.kind = CheckedResult::Kind::Divider;
  result.rank = 3;
  result.divider.upper = Flat(Connection::Parallel, {10000, 10000});
  result.divider.lower = Flat(Connection::Series, {1000, 4000});
  result.divider.sourceResistance = 1000;
  result.divider.loadConductance = 1.0 / 5000;
  result.target = 0.3;
  result.tolerance = 0.02;
  const std::string summary = CheckSummary(result, 0.1, 8.5);
  EXPECT_EQ(summary,
            "Divider, rank 3\n"
            "Source Rs 1.00 k\u2126\n"
            "Upper network R1||R2\n"
            "Lower network R3+R4\n"
            "Load RL 5.00 k\u2126\n"
            "R1 10.00 k\u2126\n"
            "R2 10.00 k\u2126\n"
            "R3 1.00 k\u2126\n"
            "R4 4.00 k\u2126\n"
            "Target 0.30000000, required tolerance \u00B12 %\n"
            "Nominal division factor 0.29411765, error -1.961 %\n"
            "Worst case, every part within \u00B110 %:\n"
            "Lowest division factor 0.26706231, error -10.979 %\n"
            "Highest division factor 0.32258065, error +7.527 %\n"
            "The band leaves the required tolerance of \u00B12 %.\n"
            "Power at 8.5 V across source and divider:\n"
            "R1 10.00 k\u2126: 500.00 \u00B5A, 2.50 mW (highest)\n"
            "R2 10.00 k\u2126: 500.00 \u00B5A, 2.50 mW\n"
            "R3 1.00 k\u2126: 500.00 \u00B5A, 250.00 \u00B5W\n"
            "R4 4.00 k\u2126: 500.00 \u00B5A, 1.00 mW\n"
            "Total current 1.00 mA\n");
}

TEST(CheckTextsTest, TargetSummaryNamesTheNetworkAndTheWholeBand) {
  CheckedResult result;
  result.rank = 1;
  result.network = Flat(Connection::Series, {100, 220, 680});
  result.target = 1000;
  result.tolerance = 0.06;
  result.strictTolerance = true;
  const std::string summary = CheckSummary(result, 0.05, 10);
  EXPECT_NE(summary.find("Target resistance, rank 1\nNetwork R1+R2+R3\n"), std::string::npos);
  EXPECT_NE(summary.find("Lowest total 950.000 \u2126, error -5.000 %\n"), std::string::npos);
  EXPECT_NE(summary.find("The whole band stays within the required tolerance of \u00B16 %."),
            std::string::npos);
  EXPECT_NE(summary.find("Power at 10 V across the network:\n"), std::string::npos);
  EXPECT_NE(summary.find("R3 680.00 \u2126: 10.00 mA, 68.00 mW (highest)\n"), std::string::npos);
}

}  // namespace
}  // namespace ordavin
