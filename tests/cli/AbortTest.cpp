#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

// E24 over four decades: 96 values, C(99,4)^2 combinations for 4 + 4 resistors, far more than
// any machine checks in the test's time.
// E24 over four decades, with a zero among the values: no shortcut applies to that, so the
// search runs long on any machine.
std::string E24(const TempDir& dir) {
  return dir.Write("E24.SER",
                   SeriesText({"0",   "1.0", "1.1", "1.2", "1.3", "1.5", "1.6", "1.8", "2.0",
                               "2.2", "2.4", "2.7", "3.0", "3.3", "3.6", "3.9", "4.3", "4.7",
                               "5.1", "5.6", "6.2", "6.8", "7.5", "8.2", "9.1"},
                              {"2", "3", "4", "5"}));
}

TEST(AbortTest, CtrlCPrintsTheBestMatchesVisitedSoFar) {
#ifdef _WIN32
  GTEST_SKIP() << "Ctrl-C reaches a program through a console, which a test run without a "
                  "terminal (Wine in CI) does not have";
#endif
  TempDir dir;
  // The zero value leaves the search to the straightforward engine: days, hence --force.
  const CliResult r = RunCli({"divider", "--series", E24(dir), "--upper", "4", "--lower", "4",
                              "--series-window", "off", "--json", "--force"},
                             std::chrono::milliseconds(300));
  ASSERT_FALSE(r.timedOut);
  ASSERT_EQ(r.signal, 0);
  // Interrupted, as a shell reports Ctrl-C, yet with the best matches found so far.
  ASSERT_EQ(r.exitCode, 130) << r.err;
  EXPECT_EQ(r.err,
            "Slower search: the fast one does not cover these values\n"
            "Optimization aborted by user\n");
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["aborted"], true);
  const std::uint64_t total = 4421275ull * 4421275ull;  // C(103,4) squared
  const auto visited = doc["visited"].get<std::uint64_t>();
  EXPECT_GT(visited, 0u);
  EXPECT_LT(visited, total);
  const auto matching = doc["matching"].get<std::uint64_t>();
  EXPECT_LE(matching, visited);
  const Json& matches = doc["matches"];
  EXPECT_EQ(matches.size(), std::min<std::uint64_t>(matching, 10));
  for (std::size_t j = 0; j < matches.size(); ++j) {
    EXPECT_EQ(matches[j]["rank"], j + 1);
    EXPECT_LE(std::fabs(matches[j]["error"].get<double>()), 0.05);
    if (j > 0) {
      EXPECT_LE(std::fabs(matches[j - 1]["error"].get<double>()),
                std::fabs(matches[j]["error"].get<double>()));
    }
  }
}

// 90 base values over nine decades, 810 values: with a tolerance that lets nearly every
// multiset of five through, nothing can be skipped and even the fast target engine needs
// seconds.
std::string Wide(const TempDir& dir) {
  std::vector<std::string> base;
  for (int i = 10; i < 100; ++i)
    base.push_back(std::to_string(i / 10) + "." + std::to_string(i % 10));
  return dir.Write("WIDE.SER", SeriesText(base, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST(AbortTest, TextOutputOfAnAbortedSearchEndsWithTheSummary) {
#ifdef _WIN32
  GTEST_SKIP() << "Ctrl-C reaches a program through a console, which a test run without a "
                  "terminal (Wine in CI) does not have";
#endif
  TempDir dir;
  const CliResult r = RunCli(
      {"target", "--series", Wide(dir), "--count", "5", "--tolerance", "10", "--target", "1e6"},
      std::chrono::milliseconds(300));
  ASSERT_EQ(r.exitCode, 130) << r.err;
  EXPECT_EQ(r.err, "Optimization aborted by user\n");
  EXPECT_TRUE(r.out.starts_with("Rank  Resistors")) << r.out;
  EXPECT_NE(r.out.find("\nTotal possible combinations = "), std::string::npos);
  EXPECT_TRUE(r.out.ends_with(" seconds.\n"));
}

TEST(AbortTest, ASearchForecastLongerThanAnHourNeedsForce) {
  const std::vector<std::string> args{
      "divider",         "--series", ORDAVIN_SERIES_DIR "/E192.SER", "--upper", "4", "--lower", "4",
      "--series-window", "off"};
  const CliResult refused = RunCli(args);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err,
            "This search would take more than a million years (1.88e+22 combinations; slower "
            "search: too many combinations for the fast one).\nGive --force to start it anyway.\n");
  EXPECT_EQ(refused.out, "");

#ifndef _WIN32  // Ctrl-C: as above
  // With --force it starts, says that it runs the slower way, and stops on Ctrl-C.
  std::vector<std::string> forced = args;
  forced.push_back("--force");
  const CliResult r = RunCli(forced, std::chrono::milliseconds(300));
  EXPECT_EQ(r.exitCode, 130) << r.err;
  EXPECT_EQ(
      r.err,
      "Slower search: too many combinations for the fast one\nOptimization aborted by user\n");
  EXPECT_NE(r.out.find("Total possible combinations = "), std::string::npos);
#endif

  // A search of seconds starts without a word.
  const CliResult quick = RunCli(
      {"divider", "--series", ORDAVIN_SERIES_DIR "/E24.SER", "--upper", "2", "--lower", "2"});
  EXPECT_EQ(quick.exitCode, 0) << quick.err;
  EXPECT_EQ(quick.err, "Optimization finished\n");
}

}  // namespace
}  // namespace ordavin::cli::testing
