#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

class TargetCommandTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string series = dir.Write("three.ser", SeriesText({"100", "220", "470"}, {"0"}));
};

TEST_F(TargetCommandTest, WorkedExampleAsJson) {
  const CliResult r = RunCli({"target", "--series", series, "--target", "150", "--tolerance",
                              "0.05", "--count", "2", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "Optimization finished\n");
  // 220 || 470 to the last bit.
  EXPECT_NE(r.out.find("\"total\":149.85507246376812,"), std::string::npos) << r.out;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"kind", "working_set", "visited", "matching",
                                                 "seconds", "aborted", "matches"}));
  EXPECT_EQ(doc["kind"], "target");
  EXPECT_EQ(doc["working_set"], Json::parse("[100,220,470]"));
  EXPECT_EQ(doc["visited"], 12);  // 6 multisets, each in parallel and in series
  EXPECT_EQ(doc["matching"], 1);
  EXPECT_EQ(doc["aborted"], false);
  ASSERT_EQ(doc["matches"].size(), 1u);
  const Json& m = doc["matches"][0];
  EXPECT_EQ(Keys(m), (std::vector<std::string>{"rank", "indices", "resistors", "parallel",
                                               "network", "total", "error", "resistors_text",
                                               "total_text", "error_text"}));
  EXPECT_EQ(m["rank"], 1);
  EXPECT_EQ(m["indices"], Json::parse("[1,2]"));
  EXPECT_EQ(m["resistors"], Json::parse("[220,470]"));
  EXPECT_EQ(m["parallel"], true);
  EXPECT_EQ(m["network"], Json::parse(R"({"parallel":[1,2]})"));
  EXPECT_EQ(m["total"].get<double>(), 1.0 / (1.0 / 220 + 1.0 / 470));
  EXPECT_NEAR(m["error"].get<double>(), -0.000966183575, 1e-12);
  EXPECT_EQ(m["resistors_text"], "220.00 \u2126||470.00 \u2126");
  EXPECT_EQ(m["total_text"], "149.855 \u2126");
  EXPECT_EQ(m["error_text"], "-0.097 %");
}

TEST_F(TargetCommandTest, MixedNetworksCarryTheirStructure) {
  const CliResult r =
      RunCli({"target", "--series", series, "--target", "1150", "--tolerance", "0.3", "--count",
              "3", "--connection", "mixed", "--max-results", "2", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  // Three values, three resistors: 2 (10 + 3 * 6) = 56 networks (MixedNetworkCountTest).
  EXPECT_EQ(doc["visited"], 56);
  ASSERT_EQ(doc["matches"].size(), 2u);
  const Json& best = doc["matches"][0];
  // 220 + 470 + 470 = 1160 comes closest: only series connections reach that high.
  EXPECT_EQ(best["network"], Json::parse(R"({"series":[1,2,2]})"));
  EXPECT_EQ(best["indices"], Json::parse("[1,2,2]"));
  EXPECT_TRUE(best["parallel"].is_null());
  EXPECT_EQ(best["resistors_text"], "220.00 \u2126+470.00 \u2126+470.00 \u2126");
  for (const Json& m : doc["matches"]) EXPECT_TRUE(m["parallel"].is_null());

  const CliResult nested =
      RunCli({"target", "--series", series, "--target", "538.75", "--tolerance", "0.0001",
              "--count", "3", "--connection", "mixed", "--json"});
  ASSERT_EQ(nested.exitCode, 0) << nested.err;
  const Json n = Json::parse(nested.out);
  ASSERT_EQ(n["matches"].size(), 1u);
  // 470 + (100 || 220) = 538.75 exactly; the parallel pair is written in parentheses.
  EXPECT_EQ(n["matches"][0]["network"], Json::parse(R"({"series":[2,{"parallel":[0,1]}]})"))
      << nested.out;
  EXPECT_EQ(n["matches"][0]["resistors_text"], "470.00 \u2126+(100.00 \u2126||220.00 \u2126)");
}

TEST_F(TargetCommandTest, WorkedExampleAsTable) {
  const CliResult r = RunCli(
      {"target", "--series", series, "--target", "150", "--tolerance", "0.05", "--count", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "Optimization finished\n");
  const std::string expected =
      "Rank  Resistors           R total    Error\n"
      "1     220.00 \u2126||470.00 \u2126  149.855 \u2126  -0.097 %\n"
      "\n"
      "Total possible combinations = 12\n"
      "Matching = 1\n"
      "Optimization took ";
  EXPECT_EQ(r.out.substr(0, expected.size()), expected);
  EXPECT_TRUE(r.out.ends_with(" seconds.\n")) << r.out;
}

TEST_F(TargetCommandTest, ConnectionLimitsTheEvaluations) {
  const CliResult series_ = RunCli({"target", "--series", series, "--target", "320", "--tolerance",
                                    "0.01", "--connection", "series", "--json"});
  ASSERT_EQ(series_.exitCode, 0) << series_.err;
  const Json doc = Json::parse(series_.out);
  // Series only keeps values up to (1 + tolerance) * target: 100 and 220.
  EXPECT_EQ(doc["working_set"], Json::parse("[100,220]"));
  EXPECT_EQ(doc["visited"], 3);
  ASSERT_EQ(doc["matches"].size(), 1u);
  EXPECT_EQ(doc["matches"][0]["parallel"], false);
  EXPECT_EQ(doc["matches"][0]["resistors_text"], "100.00 \u2126+220.00 \u2126");
  EXPECT_EQ(doc["matches"][0]["error_text"], "Zero");

  const CliResult parallel = RunCli({"target", "--series", series, "--target", "100", "--tolerance",
                                     "0.5", "--connection", "parallel", "--count", "3", "--json"});
  ASSERT_EQ(parallel.exitCode, 0) << parallel.err;
  const Json p = Json::parse(parallel.out);
  EXPECT_EQ(p["visited"], 10);  // C(5,3) multisets, parallel only
  for (const Json& m : p["matches"]) {
    EXPECT_EQ(m["parallel"], true);
    EXPECT_EQ(m["indices"].size(), 3u);
  }
}

TEST_F(TargetCommandTest, RefusalsExitOneWithEveryMessageInOrder) {
  const CliResult below = RunCli({"target", "--series", series, "--target", "1000", "--tolerance",
                                  "0.05", "--connection", "parallel"});
  EXPECT_EQ(below.exitCode, 1);
  EXPECT_EQ(below.err, "No possible combinations.\n");
  EXPECT_EQ(below.out, "");

  const CliResult one = RunCli({"target", "--series", series, "--untick", "1,2"});
  EXPECT_EQ(one.exitCode, 1);
  EXPECT_EQ(one.err, "Not enough resistor values available.\n> 1 required.\n");

  const CliResult both = RunCli({"target", "--series", series, "--untick", "0,1", "--connection",
                                 "series", "--target", "1", "--json"});
  EXPECT_EQ(both.exitCode, 1);
  EXPECT_EQ(both.err,
            "Not enough resistor values available.\n> 1 required.\n"
            "No possible combinations.\n");
  EXPECT_EQ(both.out, "");
}

TEST_F(TargetCommandTest, ATargetInLetterCodeIsThatNumber) {
  for (const auto& [code, plain] : {std::pair<const char*, const char*>{"k15", "150"},
                                    {"150R", "150"},
                                    {"0.15k", "150"},
                                    {"320 \u2126", "320"}}) {
    const CliResult coded = RunCli({"target", "--series", series, "--target", code, "--json"});
    const CliResult number = RunCli({"target", "--series", series, "--target", plain, "--json"});
    ASSERT_EQ(coded.exitCode, 0) << code << coded.err;
    Json a = Json::parse(coded.out);
    Json b = Json::parse(number.out);
    a.erase("seconds");
    b.erase("seconds");
    EXPECT_FALSE(a["matches"].empty()) << code;
    EXPECT_EQ(a, b) << code;
  }
}

}  // namespace
}  // namespace ordavin::cli::testing
