#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

// A path as a message shows it: backslashes doubled (Windows' separators included), so that
// an escape such as \x1b cannot be mistaken for part of the name.
std::string Shown(std::string path) {
  for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 2)) {
    path.insert(at, 1, '\\');
  }
  return path;
}

class ValuesCommandTest : public ::testing::Test {
 protected:
  TempDir dir;
  // E6 over six decades, cut to 10 Ω .. 1 MΩ: 30 values; 10^2 * 2.2 is 220.00000000000003.
  std::string e6 = dir.Write("E6.SER", SeriesText({"1.0", "1.5", "2.2", "3.3", "4.7", "6.8"},
                                                  {"0", "1", "2", "3", "4", "5"}, "10", "1e6"));
};

TEST_F(ValuesCommandTest, TextListsPositionAndEngineeringTextThenCount) {
  const CliResult r = RunCli({"values", "--series", e6});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "0\t10.00 \u2126");
  EXPECT_EQ(lines[8], "8\t220.00 \u2126");
  EXPECT_EQ(lines[12], "12\t1.00 k\u2126");
  EXPECT_EQ(lines[29], "29\t680.00 k\u2126");
  EXPECT_EQ(lines[30], "30 resistor values loaded.");
  EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(ValuesCommandTest, JsonKeepsEveryBitOfTheValues) {
  const CliResult r = RunCli({"values", "--series", e6, "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The generated value is not 220; its shortest round-trip text shows that.
  EXPECT_NE(r.out.find(",220.00000000000003,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("[10,15,22,"), std::string::npos) << r.out;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"count", "values", "texts"}));
  EXPECT_EQ(doc["count"], 30);
  ASSERT_EQ(doc["values"].size(), 30u);
  ASSERT_EQ(doc["texts"].size(), 30u);
  EXPECT_EQ(doc["values"][8].get<double>(), 100.0 * 2.2);
  EXPECT_EQ(doc["values"][29].get<double>(), 680000.0);
  EXPECT_EQ(doc["texts"][8], "220.00 \u2126");
  EXPECT_EQ(doc["texts"][29], "680.00 k\u2126");
  // UTF-8 as is, not as \u escapes.
  EXPECT_EQ(r.out.find("\\u"), std::string::npos);
}

TEST_F(ValuesCommandTest, FileWithoutValuesLoadsNone) {
  const CliResult r = RunCli({"values", "--series", dir.Write("empty.ser", "; nothing\n")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0 resistor values loaded.\n");
  const CliResult json = RunCli({"values", "--series", dir.Write("empty.ser", ""), "--json"});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_EQ(json.out, "{\"count\":0,\"values\":[],\"texts\":[]}\n");
}

TEST_F(ValuesCommandTest, LoadFailuresExitOneWithTheMessage) {
  const std::string absent = (dir.path() / "absent.ser").string();
  const CliResult missing = RunCli({"values", "--series", absent});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Loading failed.\n'" + Shown(absent) + "': No such file or directory\n");
  EXPECT_EQ(missing.out, "");

  const CliResult directory = RunCli({"values", "--series", dir.path().string()});
  EXPECT_EQ(directory.exitCode, 1);
  EXPECT_EQ(directory.err,
            "Loading failed.\n'" + Shown(dir.path().string()) + "': Is a directory\n");

  std::vector<std::string> tooMany(1001, "1.0");
  const CliResult capacity =
      RunCli({"values", "--series", dir.Write("big.ser", SeriesText(tooMany, {"0"}))});
  EXPECT_EQ(capacity.exitCode, 1);
  EXPECT_EQ(capacity.err, "Too many base values in big.ser (more than 1000).\n");
  EXPECT_EQ(capacity.out, "");

  std::vector<std::string> decades(21, "0");
  const CliResult decadeCapacity =
      RunCli({"values", "--series", dir.Write("decades.ser", SeriesText({"1"}, decades))});
  EXPECT_EQ(decadeCapacity.exitCode, 1);
  EXPECT_EQ(decadeCapacity.err, "Too many decade exponents in decades.ser (more than 20).\n");
}

TEST_F(ValuesCommandTest, SearchesReportLoadFailuresLikewise) {
  const std::string absent = (dir.path() / "absent.ser").string();
  for (const char* command : {"divider", "target"}) {
    const CliResult r = RunCli({command, "--series", absent});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_EQ(r.err, "Loading failed.\n'" + Shown(absent) + "': No such file or directory\n")
        << command;
  }
}

}  // namespace
}  // namespace ordavin::cli::testing
