#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

class DividerCommandTest : public ::testing::Test {
 protected:
  TempDir dir;
  // Working set {1000, 2200, 10000}.
  std::string series = dir.Write("three.ser", SeriesText({"1000", "2200", "10000"}, {"0"}));

  // Two 10 kΩ in parallel over 1 kΩ + 2.2 kΩ in series: 3200 / 8200 = 0.3902439...
  std::vector<std::string> WorkedExample(const std::vector<std::string>& extra = {}) const {
    return Arguments({"divider", "--series", series, "--upper", "2", "--lower", "2", "--upper-mode",
                      "parallel", "--lower-mode", "series", "--factor", "0.39", "--series-window",
                      "off", "--tolerance", "0.001"},
                     extra);
  }
};

TEST_F(DividerCommandTest, WorkedExampleAsJson) {
  const CliResult r = RunCli(WorkedExample({"--json"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "Optimization finished\n");
  ASSERT_EQ(r.out.back(), '\n');
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"kind", "target_factor", "working_set", "visited",
                                                 "matching", "seconds", "aborted", "matches"}));
  EXPECT_EQ(doc["kind"], "divider");
  EXPECT_EQ(doc["target_factor"].get<double>(), 0.39);
  EXPECT_EQ(doc["working_set"], Json::parse("[1000,2200,10000]"));
  EXPECT_EQ(doc["visited"], 36);  // C(4,2) multisets per network, squared
  EXPECT_EQ(doc["matching"], 1);
  EXPECT_TRUE(doc["seconds"].is_number());
  EXPECT_GE(doc["seconds"].get<double>(), 0.0);
  EXPECT_EQ(doc["aborted"], false);
  ASSERT_EQ(doc["matches"].size(), 1u);

  const Json& m = doc["matches"][0];
  EXPECT_EQ(Keys(m), (std::vector<std::string>{
                         "rank", "upper_indices", "lower_indices", "upper", "lower", "upper_mode",
                         "lower_mode", "ru_total", "rl_total", "rser_total", "rpar_total",
                         "division_factor", "error", "ru_text", "rl_text", "error_text"}));
  EXPECT_EQ(m["rank"], 1);
  EXPECT_EQ(m["upper_indices"], Json::parse("[2,2]"));
  EXPECT_EQ(m["lower_indices"], Json::parse("[0,1]"));
  EXPECT_EQ(m["upper"], Json::parse("[10000,10000]"));
  EXPECT_EQ(m["lower"], Json::parse("[1000,2200]"));
  EXPECT_EQ(m["upper_mode"], "parallel");
  EXPECT_EQ(m["lower_mode"], "series");
  EXPECT_EQ(m["ru_total"].get<double>(), 5000.0);
  EXPECT_EQ(m["rl_total"].get<double>(), 3200.0);
  EXPECT_EQ(m["rser_total"].get<double>(), 8200.0);
  EXPECT_NEAR(m["rpar_total"].get<double>(), 1951.2195121951, 1e-9);
  EXPECT_NEAR(m["division_factor"].get<double>(), 0.39024390243902, 1e-13);
  EXPECT_NEAR(m["error"].get<double>(), 0.000625390869, 1e-12);
  EXPECT_EQ(m["ru_text"], "10.00 k\u2126||10.00 k\u2126");
  EXPECT_EQ(m["rl_text"], "1.00 k\u2126+2.20 k\u2126");
  EXPECT_EQ(m["error_text"], "+0.063 %");
  // Whole numbers without a fraction, UTF-8 as is.
  EXPECT_NE(r.out.find("\"ru_total\":5000,"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\\u"), std::string::npos);
}

TEST_F(DividerCommandTest, WorkedExampleAsTable) {
  const CliResult r = RunCli(WorkedExample());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "Optimization finished\n");
  const std::string table =
      "Rank  Ru                  Rl               Ru total  Rl total  Rser total  Rpar total  "
      "Division factor  Error\n"
      "1     10.00 k\u2126||10.00 k\u2126  1.00 k\u2126+2.20 k\u2126  5000.00   3200.00   "
      "8200.000    1951.220    0.39024390       +0.063 %\n"
      "\n"
      "Total possible combinations = 36\n"
      "Matching = 1\n"
      "Optimization took ";
  EXPECT_EQ(r.out.substr(0, table.size()), table);
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(lines[5].ends_with(" seconds.")) << lines[5];
}

TEST_F(DividerCommandTest, SourceAndLoadChangeTheError) {
  const CliResult r =
      RunCli({"divider", "--series",        series,     "--upper",       "2",      "--lower",
              "2",       "--upper-mode",    "parallel", "--lower-mode",  "series", "--factor",
              "0.39",    "--series-window", "off",      "--tolerance",   "1",      "--source",
              "50",      "--load",          "10000",    "--max-results", "1000",   "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["visited"], 36);
  const Json* found = nullptr;
  for (const Json& m : doc["matches"]) {
    if (m["upper_indices"] == Json::parse("[2,2]") && m["lower_indices"] == Json::parse("[0,1]")) {
      found = &m;
    }
  }
  ASSERT_NE(found, nullptr) << r.out;
  // 3200 || 10000 = 2424.24; 2424.24 / (50 + 5000 + 2424.24) = 0.32435.
  EXPECT_NEAR((*found)["error"].get<double>(), -0.16834, 0.000005);
  EXPECT_EQ((*found)["error_text"], "-16.834 %");
  EXPECT_EQ((*found)["ru_total"].get<double>(), 5000.0);  // the networks alone, unloaded
}

TEST_F(DividerCommandTest, MatchesComeBestFirstAndAreCappedByMaxResults) {
  const CliResult r = RunCli({"divider", "--series", series, "--factor", "1/3", "--tolerance", "5",
                              "--series-window", "off", "--max-results", "4", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["visited"], 9);
  EXPECT_EQ(doc["matching"], 9);
  ASSERT_EQ(doc["matches"].size(), 4u);
  for (std::size_t j = 0; j < 4; ++j) {
    EXPECT_EQ(doc["matches"][j]["rank"], j + 1);
    if (j > 0) {
      EXPECT_LE(std::fabs(doc["matches"][j - 1]["error"].get<double>()),
                std::fabs(doc["matches"][j]["error"].get<double>()));
    }
  }
  // The default modes of the page: both networks parallel.
  EXPECT_EQ(doc["matches"][0]["upper_mode"], "parallel");
  EXPECT_EQ(doc["matches"][0]["lower_mode"], "parallel");
}

TEST_F(DividerCommandTest, NoMatchIsStillASuccessfulRun) {
  // The default series window 1000..100000 and a factor nothing here comes near.
  const CliResult r = RunCli({"divider", "--series", series, "--factor", "0.000001"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "Rank  Ru  Rl  Ru total  Rl total  Rser total  Rpar total  Division factor  Error");
  EXPECT_NE(r.out.find("\n\nTotal possible combinations = 9\nMatching = 0\n"), std::string::npos)
      << r.out;

  const CliResult json = RunCli({"divider", "--series", series, "--factor", "0.000001", "--json"});
  ASSERT_EQ(json.exitCode, 0);
  EXPECT_EQ(Json::parse(json.out)["matches"], Json::array());
}

TEST_F(DividerCommandTest, UntickedValuesLeaveTheWorkingSet) {
  const CliResult r = RunCli({"divider", "--series", series, "--untick", "1", "--tolerance", "5",
                              "--series-window", "off", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["working_set"], Json::parse("[1000,10000]"));
  EXPECT_EQ(doc["visited"], 4);
  for (const Json& m : doc["matches"]) {
    for (const Json& index : m["upper_indices"]) EXPECT_LT(index.get<int>(), 2);
  }
}

TEST_F(DividerCommandTest, RefusalsExitOneWithThePagesMessage) {
  struct Case {
    std::vector<std::string> options;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"--untick", "0,1"}, "Not enough resistor values available.\n> 1 required.\n"},
      {{"--factor", "1"}, "Error: The division factor must be greater than 0 and less than 1.\n"},
      {{"--factor", "0"}, "Error: The division factor must be greater than 0 and less than 1.\n"},
      {{"--factor", "3/1.25"},
       "Error: The division factor must be greater than 0 and less than 1.\n"},
      {{"--factor", "1/0"}, "Error: The division factor must be greater than 0 and less than 1.\n"},
      {{"--factor", "1e999/1e999"},
       "Error: The division factor must be greater than 0 and less than 1.\n"},
      {{"--series-window", "5000:1000"}, "Please check series resistance constraints\n"},
      {{"--parallel-window", "5000:1000"}, "Please check parallel resistance constraints\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = Arguments({"divider", "--series", series}, c.options);
    for (const bool json : {false, true}) {
      if (json) args.push_back("--json");
      const CliResult r = RunCli(args);
      EXPECT_EQ(r.exitCode, 1) << c.options[1];
      EXPECT_EQ(r.err, c.message) << c.options[1];
      EXPECT_EQ(r.out, "") << c.options[1];
    }
  }
}

TEST_F(DividerCommandTest, RatioFactorIsReadAsThePageReadsIt) {
  const CliResult r = RunCli({"divider", "--series", series, "--factor", " -1.25 / -3.3 ",
                              "--series-window", "off", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Json::parse(r.out)["target_factor"].get<double>(), 1.25 / 3.3);

  const CliResult byDefault = RunCli({"divider", "--series", series, "--json"});
  ASSERT_EQ(byDefault.exitCode, 0) << byDefault.err;
  EXPECT_EQ(Json::parse(byDefault.out)["target_factor"].get<double>(), 1.25 / 3.3);
}

TEST_F(DividerCommandTest, LetterCodesGiveTheSearchOfTheirNumbers) {
  const auto run = [&](const std::vector<std::string>& options) {
    const CliResult r = RunCli(Arguments({"divider", "--series", series, "--upper", "2", "--lower",
                                          "2", "--tolerance", "1", "--json"},
                                         options));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    Json doc = Json::parse(r.out);
    doc.erase("seconds");
    return doc;
  };
  const Json coded = run({"--factor", "3k2/8k2", "--source", "0R47", "--load", "1meg",
                          "--series-window", "1k:100k", "--parallel-window", "R5:4.7 k"});
  const Json plain = run({"--factor", "3200/8200", "--source", "0.47", "--load", "1e6",
                          "--series-window", "1000:100000", "--parallel-window", "0.5:4700"});
  EXPECT_EQ(coded["target_factor"].get<double>(), 3200.0 / 8200);
  EXPECT_FALSE(coded["matches"].empty());
  EXPECT_EQ(coded, plain);
  // The factor's ratio used to read "3k2/8k2" as 3/8.
  EXPECT_NE(run({"--factor", "3/8"})["target_factor"], coded["target_factor"]);
}

}  // namespace
}  // namespace ordavin::cli::testing
