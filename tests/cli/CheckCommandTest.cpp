#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

class CheckCommandTest : public ::testing::Test {
 protected:
  TempDir dir;
  // A tab-joined pair, a suffix, a decimal comma, a word, a capitalised keyword and a
  // minimum above the maximum.
  std::string bad = dir.Write("bad.ser",
                              "; bad\n"
                              "baseval\n"
                              "1.0 4k7 2,2 1\t2 many\n"
                              "Decades\n"
                              "decades\n"
                              "0 1\n"
                              "minimum\n"
                              "100\n"
                              "maximum\n"
                              "10\n")
                        .string();
};

TEST_F(CheckCommandTest, TextListsOneFindingPerLineAndExitsOne) {
  const CliResult r = RunCli({"check", "--series", bad});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> expected{
      bad + ":3:5: '4k7' is read as 4 (the rest, 'k7', is ignored)",
      bad + ":3:9: '2,2' is read as 2 (the rest, ',2', is ignored)",
      bad +
          ":3:13: '1\\t2' is read as 1 (the rest, '\\t2', is ignored): numbers are separated "
          "by spaces, not tabs",
      bad + ":3:17: 'many' is skipped: no number can be read from it",
      bad +
          ":4:1: 'Decades' is not the keyword 'decades' (keywords are lower case); the "
          "section does not change",
      bad + ":10:1: the minimum, 100, is above the maximum, 10: no value can lie between them",
      bad + ": the file gives no values: none lies between the minimum, 100, and the maximum, 10",
  };
  EXPECT_EQ(Lines(r.out), expected);
}

TEST_F(CheckCommandTest, JsonHasTheFileTheCountAndTheFindings) {
  const CliResult r = RunCli({"check", "--series", bad, "--json"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"file", "count", "findings", "omitted"}));
  EXPECT_EQ(doc["file"], bad);
  EXPECT_EQ(doc["count"], 0);
  EXPECT_EQ(doc["omitted"], 0);
  ASSERT_EQ(doc["findings"].size(), 7u);
  const Json& tab = doc["findings"][2];
  EXPECT_EQ(Keys(tab), (std::vector<std::string>{"line", "column", "kind", "message", "text"}));
  EXPECT_EQ(tab["line"], 3);
  EXPECT_EQ(tab["column"], 13);
  EXPECT_EQ(tab["kind"], "tab-joined");
  EXPECT_EQ(tab["text"], "1\t2");
  EXPECT_EQ(tab["message"],
            "'1\\t2' is read as 1 (the rest, '\\t2', is ignored): numbers are separated by "
            "spaces, not tabs");
  std::vector<std::string> kinds;
  for (const Json& finding : doc["findings"]) kinds.push_back(finding["kind"]);
  EXPECT_EQ(kinds, (std::vector<std::string>{"partly-read", "partly-read", "tab-joined", "skipped",
                                             "keyword", "minimum-above-maximum",
                                             "no-value-within-bounds"}));
  EXPECT_EQ(doc["findings"][6]["line"], 0);
  EXPECT_EQ(doc["findings"][6]["column"], 0);
}

TEST_F(CheckCommandTest, ABundledSeriesIsCleanAndSilent) {
  const std::string e24 = ORDAVIN_SERIES_DIR "/E24.SER";
  const CliResult text = RunCli({"check", "--series", e24});
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_EQ(text.out, "");
  EXPECT_EQ(text.err, "");
  const CliResult json = RunCli({"check", "--series", e24, "--json"});
  EXPECT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(json.out, "{\"file\":\"" + e24 + "\",\"count\":169,\"findings\":[],\"omitted\":0}\n");
  // The count is that of the values the program loads.
  const CliResult values = RunCli({"values", "--series", e24});
  EXPECT_EQ(Lines(values.out).back(), "169 resistor values loaded.");
}

TEST_F(CheckCommandTest, FilesThatDoNotLoadExitOne) {
  const std::string absent = (dir.path() / "absent.ser").string();
  const CliResult missing = RunCli({"check", "--series", absent});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, absent + ": loading failed: No such file or directory\n");
  EXPECT_EQ(missing.err, "");
  const CliResult json = RunCli({"check", "--series", absent, "--json"});
  EXPECT_EQ(json.exitCode, 1);
  const Json doc = Json::parse(json.out);
  EXPECT_EQ(doc["count"], 0);
  ASSERT_EQ(doc["findings"].size(), 1u);
  EXPECT_EQ(doc["findings"][0]["kind"], "not-loaded");
  EXPECT_EQ(doc["findings"][0]["text"], "No such file or directory");

  std::string many = "baseval\n";
  for (int i = 0; i < 1001; ++i) many += "1 ";
  const std::string big = dir.Write("big.ser", many + "\ndecades\n0\n").string();
  const CliResult capacity = RunCli({"check", "--series", big});
  EXPECT_EQ(capacity.exitCode, 1);
  EXPECT_EQ(capacity.out,
            big + ":2:2001: loading stops: Too many base values in big.ser (more than 1000).\n");
}

TEST_F(CheckCommandTest, EmptyFilesAndManyFindings) {
  const std::string empty = dir.Write("empty.ser", "").string();
  const CliResult r = RunCli({"check", "--series", empty});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, empty + ": the file gives no values: it has no base values\n" + empty +
                       ": the file gives no values: it has no decade exponents\n");

  std::string words = "baseval\n";
  for (int i = 0; i < 1002; ++i) words += "w ";
  const std::string wordy = dir.Write("wordy.ser", words + "\ndecades\n0\n").string();
  const CliResult limited = RunCli({"check", "--series", wordy});
  EXPECT_EQ(limited.exitCode, 1);
  const std::vector<std::string> lines = Lines(limited.out);
  ASSERT_EQ(lines.size(), 1002u);
  EXPECT_EQ(lines[999], wordy + ":2:1999: 'w' is skipped: no number can be read from it");
  EXPECT_EQ(lines[1000], wordy + ": the file gives no values: it has no base values");
  EXPECT_EQ(lines[1001], wordy + ": 2 more findings are not shown");
}

TEST_F(CheckCommandTest, UsageErrorsExitTwo) {
  const CliResult noSeries = RunCli({"check"});
  EXPECT_EQ(noSeries.exitCode, 2);
  EXPECT_NE(noSeries.err.find("--series"), std::string::npos) << noSeries.err;
  EXPECT_EQ(noSeries.out, "");
  const CliResult extra = RunCli({"check", "--series", bad, "extra"});
  EXPECT_EQ(extra.exitCode, 2);
  EXPECT_NE(extra.err.find("extra"), std::string::npos) << extra.err;
  const CliResult help = RunCli({"check", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: ordavin-cli check"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("FILE:LINE:COLUMN: message"), std::string::npos) << help.out;
}

TEST_F(CheckCommandTest, HostilePathsAreEscaped) {
  const std::string hostile = (dir.path() / "a\x1b[2Jb.ser").string();
  const CliResult r = RunCli({"check", "--series", hostile});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, (dir.path() / "a\\x1b[2Jb.ser").string() +
                       ": loading failed: No such file or directory\n");
}

TEST(VersionTest, NameAndVersionWhateverFollows) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--version"}, {"--version", "values"}, {"--version", "--bogus"}}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << args.size();
    EXPECT_EQ(r.out, "ordavin-cli " ORDAVIN_VERSION_TEXT "\n");
    EXPECT_EQ(r.err, "");
  }
  const CliResult help = RunCli({"--help"});
  EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("check"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace ordavin::cli::testing
