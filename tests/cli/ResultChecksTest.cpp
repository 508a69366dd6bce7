#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

class ResultChecksTest : public ::testing::Test {
 protected:
  // Rs 1 kΩ, upper 10 kΩ || 10 kΩ, lower 1 kΩ + 4 kΩ, load 5 kΩ: the factor is 2.5 / 8.5,
  // and no other pair of pairs comes within 1e-6 of it.
  CliResult RunDivider(std::vector<std::string> extra) {
    std::vector<std::string> arguments{
        "divider", "--series",     series,   "--factor",        "2.5/8.5",  "--tolerance",
        "1e-6",    "--upper",      "2",      "--upper-mode",    "parallel", "--lower",
        "2",       "--lower-mode", "series", "--series-window", "off",      "--source",
        "1k",      "--load",       "5k"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunCli(arguments);
  }

  TempDir dir;
  std::string series = dir.Write("three.ser", SeriesText({"1", "4", "10"}, {"3"}));
};

TEST_F(ResultChecksTest, DividerJsonHasTheWorstCaseAndThePowerOfEachResistor) {
  const CliResult r = RunDivider({"--json", "--part-tolerance", "0.1", "--voltage", "8.5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  ASSERT_EQ(doc["matches"].size(), 1u) << r.out;
  const Json& m = doc["matches"][0];
  EXPECT_EQ(m["upper"], Json::parse("[10000,10000]"));
  EXPECT_EQ(m["lower"], Json::parse("[1000,4000]"));
  const std::vector<std::string> keys = Keys(m);
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(keys[keys.size() - 2], "worst_case");
  EXPECT_EQ(keys.back(), "power");

  const Json& worst = m["worst_case"];
  EXPECT_EQ(Keys(worst),
            (std::vector<std::string>{"part_tolerance", "lowest", "highest", "lowest_error",
                                      "highest_error", "within_tolerance"}));
  // Upper 5.5 kΩ over lower 4.5 kΩ || 5 kΩ, and upper 4.5 kΩ over lower 5.5 kΩ || 5 kΩ.
  const double lowLoaded = 4500.0 * 5000 / 9500;
  const double highLoaded = 5500.0 * 5000 / 10500;
  const double lowest = lowLoaded / (1000 + 5500 + lowLoaded);
  const double highest = highLoaded / (1000 + 4500 + highLoaded);
  EXPECT_EQ(worst["part_tolerance"].get<double>(), 0.1);
  EXPECT_NEAR(worst["lowest"].get<double>(), lowest, 1e-15);
  EXPECT_NEAR(worst["highest"].get<double>(), highest, 1e-15);
  EXPECT_NEAR(worst["lowest_error"].get<double>(), lowest * 8.5 / 2.5 - 1, 1e-12);
  EXPECT_NEAR(worst["highest_error"].get<double>(), highest * 8.5 / 2.5 - 1, 1e-12);
  EXPECT_EQ(worst["within_tolerance"], false);

  // 8.5 V over 8.5 kΩ: 1 mA, split evenly between the two upper resistors and between the
  // lower network and the load.
  const Json& power = m["power"];
  EXPECT_EQ(power["voltage"].get<double>(), 8.5);
  EXPECT_NEAR(power["total_current"].get<double>(), 1e-3, 1e-17);
  EXPECT_EQ(power["highest"], 0);
  ASSERT_EQ(power["resistors"].size(), 4u);
  const char* designators[] = {"R1", "R2", "R3", "R4"};
  const double powers[] = {2.5e-3, 2.5e-3, 0.25e-3, 1e-3};
  for (std::size_t k = 0; k < 4; ++k) {
    const Json& resistor = power["resistors"][k];
    EXPECT_EQ(resistor["designator"], designators[k]);
    EXPECT_NEAR(resistor["current"].get<double>(), 0.5e-3, 1e-17) << k;
    EXPECT_NEAR(resistor["power"].get<double>(), powers[k], 1e-16) << k;
  }
}

TEST_F(ResultChecksTest, EachOptionAddsOnlyItsOwnPart) {
  const CliResult plain = RunDivider({"--json"});
  const CliResult worst = RunDivider({"--json", "--part-tolerance", "0"});
  const CliResult power = RunDivider({"--json", "--voltage", "5"});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  const Json plainDoc = Json::parse(plain.out);
  const Json worstDoc = Json::parse(worst.out);
  const Json& m = plainDoc["matches"][0];
  EXPECT_FALSE(m.contains("worst_case"));
  EXPECT_FALSE(m.contains("power"));
  const Json& w = worstDoc["matches"][0];
  EXPECT_FALSE(w.contains("power"));
  // No spread: the band is the row's own factor, which passed.
  EXPECT_EQ(w["worst_case"]["lowest"], m["division_factor"]);
  EXPECT_EQ(w["worst_case"]["highest"], m["division_factor"]);
  EXPECT_EQ(w["worst_case"]["within_tolerance"], true);
  EXPECT_FALSE(Json::parse(power.out)["matches"][0].contains("worst_case"));
}

TEST_F(ResultChecksTest, TheTextTableEndsWithTheWorstCaseErrors) {
  const CliResult r = RunDivider({"--part-tolerance", "0.1", "--voltage", "5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ends_with("Error  Worst case low  Worst case high")) << lines[0];
  // Against the factor searched for, 2.5 / 8.5, which the row meets exactly.
  EXPECT_TRUE(lines[1].ends_with("Zero   -9.199 %        +9.677 %")) << lines[1];
}

TEST_F(ResultChecksTest, TargetChecksCoverTheNetwork) {
  const CliResult r = RunCli({"target", "--series", series, "--target", "15k", "--tolerance",
                              "0.01", "--count", "3", "--connection", "series", "--json",
                              "--part-tolerance", "0.05", "--voltage", "15"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  ASSERT_FALSE(doc["matches"].empty());
  const Json& m = doc["matches"][0];
  EXPECT_EQ(m["resistors"], Json::parse("[1000,4000,10000]"));
  EXPECT_DOUBLE_EQ(m["worst_case"]["lowest"].get<double>(), 14250);
  EXPECT_DOUBLE_EQ(m["worst_case"]["highest"].get<double>(), 15750);
  EXPECT_EQ(m["worst_case"]["within_tolerance"], false);
  // 1 mA through each; 10 mW in the 10 kΩ.
  EXPECT_NEAR(m["power"]["total_current"].get<double>(), 1e-3, 1e-17);
  EXPECT_EQ(m["power"]["highest"], 2);
  EXPECT_NEAR(m["power"]["resistors"][2]["power"].get<double>(), 10e-3, 1e-16);
}

TEST_F(ResultChecksTest, ValuesOutsideTheirRangesAreBadUsageBeforeTheSeriesIsRead) {
  for (const auto& [option, value] :
       std::vector<std::pair<std::string, std::string>>{{"--part-tolerance", "0.21"},
                                                        {"--part-tolerance", "-0.01"},
                                                        {"--part-tolerance", "1%"},
                                                        {"--voltage", "-1"},
                                                        {"--voltage", "2e6"},
                                                        {"--voltage", "5,0"}}) {
    const CliResult r =
        RunCli({"target", "--series", (dir.path() / "missing.ser").string(), option, value});
    EXPECT_EQ(r.exitCode, 2) << option << ' ' << value;
    EXPECT_NE(r.err.find("Invalid value for " + option), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace ordavin::cli::testing
