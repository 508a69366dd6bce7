// --format text|json|csv for both search commands; --json stays json's synonym.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"
#include "support/CsvReader.h"
#include "support/ExactDoubles.h"

namespace ordavin::cli::testing {
namespace {

using ordavin::testing::CsvRows;
using ordavin::testing::Num;
using ordavin::testing::ReadCsv;

class OutputFormatTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string dividerSeries = dir.Write("three.ser", SeriesText({"1000", "2200", "10000"}, {"0"}));
  std::string targetSeries = dir.Write("small.ser", SeriesText({"100", "220", "470"}, {"0"}));

  std::vector<std::string> Divider(const std::vector<std::string>& extra) const {
    return Arguments(
        {"divider", "--series", dividerSeries, "--upper", "2", "--lower", "2", "--lower-mode",
         "series", "--factor", "0.39", "--series-window", "off", "--tolerance", "0.3"},
        extra);
  }
  std::vector<std::string> Target(const std::vector<std::string>& extra) const {
    return Arguments({"target", "--series", targetSeries, "--target", "150", "--tolerance", "0.5"},
                     extra);
  }

  // Everything but the last line, which holds the time taken.
  static std::string WithoutTime(const std::string& text) {
    const std::size_t last = text.rfind('\n', text.size() - 2);
    return text.substr(0, last);
  }
};

TEST_F(OutputFormatTest, DividerCsvHoldsTheJsonFiguresExactly) {
  const CliResult csv = RunCli(Divider({"--format", "csv"}));
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  // Data alone on stdout; the summary joins the completion on stderr.
  EXPECT_TRUE(csv.err.starts_with(
      "Optimization finished\nTotal possible combinations = 36\nMatching = 3\nOptimization took "))
      << csv.err;
  EXPECT_TRUE(csv.err.ends_with(" seconds.\n")) << csv.err;
  const CsvRows rows = ReadCsv(csv.out);
  ASSERT_EQ(rows.size(), 4u) << csv.out;
  EXPECT_EQ(rows[0],
            (std::vector<std::string>{"Rank", "Ru", "Rl", "Ru total", "Rl total", "Rser total",
                                      "Rpar total", "Division factor", "Error"}));
  const CliResult json = RunCli(Divider({"--format", "json"}));
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const Json doc = Json::parse(json.out);
  ASSERT_EQ(doc["matches"].size(), 3u);
  for (std::size_t j = 0; j < 3; ++j) {
    const Json& m = doc["matches"][j];
    EXPECT_EQ(rows[j + 1],
              (std::vector<std::string>{
                  std::to_string(j + 1), m["ru_text"], m["rl_text"],
                  Num(m["ru_total"].get<double>()), Num(m["rl_total"].get<double>()),
                  Num(m["rser_total"].get<double>()), Num(m["rpar_total"].get<double>()),
                  Num(m["division_factor"].get<double>()), Num(m["error"].get<double>())}));
  }
  // The worked example: two 10 kΩ in parallel over 1 kΩ + 2.2 kΩ in series.
  EXPECT_EQ(rows[1][1], "10.00 k\u2126||10.00 k\u2126");
  EXPECT_EQ(rows[1][3], "5000");
}

TEST_F(OutputFormatTest, TargetCsvIsTheWorkedExample) {
  const CliResult r = RunCli(Target({"--count", "2", "--max-results", "2", "--format", "csv"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.starts_with("Optimization finished\nTotal possible combinations = 12\n"))
      << r.err;
  EXPECT_EQ(r.out,
            "Rank,Resistors,R total,Error\r\n"
            "1,220.00 \u2126||470.00 \u2126,149.85507246376812,-0.0009661835748791722\r\n"
            "2,220.00 \u2126||220.00 \u2126,110,-0.26666666666666666\r\n");
}

TEST_F(OutputFormatTest, TextAndJsonAreAsWithoutTheOption) {
  for (const auto& command : {Divider({}), Target({})}) {
    const CliResult plain = RunCli(command);
    const CliResult text = RunCli(Arguments(command, {"--format", "text"}));
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(WithoutTime(text.out), WithoutTime(plain.out));
    EXPECT_EQ(text.err, "Optimization finished\n");

    const CliResult legacy = RunCli(Arguments(command, {"--json"}));
    for (const auto& extra : {std::vector<std::string>{"--format", "json"},
                              std::vector<std::string>{"--json", "--format", "json"}}) {
      const CliResult json = RunCli(Arguments(command, extra));
      ASSERT_EQ(json.exitCode, 0) << json.err;
      EXPECT_EQ(json.err, "Optimization finished\n");
      Json a = Json::parse(json.out);
      Json b = Json::parse(legacy.out);
      a.erase("seconds");
      b.erase("seconds");
      EXPECT_EQ(a, b);
    }
  }
}

TEST_F(OutputFormatTest, AnUnknownOrContradictingFormatIsBadUsage) {
  struct Case {
    std::vector<std::string> extra;
    const char* message;
  };
  const Case cases[] = {
      {{"--format", "xml"}, "Invalid value for --format: \"xml\" is none of text, json, csv."},
      {{"--format", "CSV"}, "Invalid value for --format: \"CSV\" is none of text, json, csv."},
      {{"--format", ""}, "Invalid value for --format: \"\" is none of text, json, csv."},
      {{"--json", "--format", "csv"}, "Invalid value for --format: \"csv\" contradicts --json."},
      {{"--format", "text", "--json"}, "Invalid value for --format: \"text\" contradicts --json."},
  };
  for (const auto& command : {Divider({}), Target({})}) {
    for (const Case& c : cases) {
      const CliResult r = RunCli(Arguments(command, c.extra));
      EXPECT_EQ(r.exitCode, 2) << c.message;
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err,
                std::string(c.message) + "\nRun with --help or --help-all for more information.\n");
    }
  }
  // Bad usage is found before the series file is read.
  const CliResult r =
      RunCli({"target", "--series", (dir.path() / "missing.ser").string(), "--format", "x"});
  EXPECT_EQ(r.exitCode, 2) << r.err;
}

TEST_F(OutputFormatTest, NoMatchIsTheTitlesAlone) {
  const CliResult r = RunCli({"target", "--series", targetSeries, "--target", "1e6", "--tolerance",
                              "0.001", "--format", "csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Rank,Resistors,R total,Error\r\n");
  EXPECT_NE(r.err.find("Matching = 0\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ordavin::cli::testing
