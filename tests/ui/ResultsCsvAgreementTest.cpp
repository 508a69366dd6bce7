// The window's Save as CSV... and ordavin-cli --format csv give the same bytes for the same
// search.
#include <gtest/gtest.h>

#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/CliProcess.h"
#include "ui/FileDialogs.h"
#include "ui/GuiTestSupport.h"
#include "ui/ResultsExport.h"
#include "ui/ResultsRuns.h"

namespace ordavin::ui {
namespace {

using cli::testing::CliResult;
using cli::testing::RunCli;
using testing::Find;
using testing::MessageLog;
using testing::SeriesText;
using testing::WorkingDirectory;

class ResultsCsvAgreementTest : public ::testing::Test {
 protected:
  ResultsCsvAgreementTest() {
    series = cwd.Write(
        "A.SER", SeriesText({"1.0", "1.5", "2.2", "3.3", "4.7", "6.8"}, {"1", "2", "3", "4"}));
    window = std::make_unique<MainWindow>();
    window->show();
  }

  std::string SavedCsv() {
    const auto path = cwd.Dir().path() / "saved.csv";
    SetSaveFileNameAnswerer(
        [&path](const QString&, const QString&) { return QString::fromStdString(path.string()); });
    Find<ResultsExport>(window->ResultsList(), "resultsExport")->SaveAsCsv();
    SetSaveFileNameAnswerer(nullptr);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  WorkingDirectory cwd;
  std::filesystem::path series;
  MessageLog log;
  std::unique_ptr<MainWindow> window;
};

TEST_F(ResultsCsvAgreementTest, Divider) {
  ASSERT_TRUE(testing::RunDivider(*window,
                                  {{"divisionFactorEdit", "1.25/3.3"},
                                   {"toleranceEdit", "0.02"},
                                   {"seriesMinEdit", "1000"},
                                   {"seriesMaxEdit", "100000"},
                                   {"sourceResistanceEdit", "50"},
                                   {"loadResistanceEdit", "100000"},
                                   {"maxResultsEdit", "40"},
                                   {"upperCountCombo", {}, 1},
                                   {"lowerCountCombo", {}, 2},
                                   {"upperModeCombo", {}, 0},
                                   {"lowerModeCombo", {}, 1}},
                                  log));
  ASSERT_EQ(window->ResultsList()->rowCount(), 40);
  const CliResult cli = RunCli({"divider",
                                "--series",
                                series.string(),
                                "--factor",
                                "1.25/3.3",
                                "--tolerance",
                                "0.02",
                                "--series-window",
                                "1000:100000",
                                "--source",
                                "50",
                                "--load",
                                "100000",
                                "--max-results",
                                "40",
                                "--upper",
                                "2",
                                "--lower",
                                "3",
                                "--upper-mode",
                                "parallel",
                                "--lower-mode",
                                "series",
                                "--format",
                                "csv"});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_EQ(SavedCsv(), cli.out);
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(ResultsCsvAgreementTest, Target) {
  ASSERT_TRUE(testing::RunTarget(*window,
                                 {{"targetResistanceEdit", "1234.5"},
                                  {"toleranceEdit", "0.02"},
                                  {"maxResultsEdit", "10"},
                                  {"resistorCountCombo", {}, 1},
                                  {"connectionCombo", {}, 0}},
                                 log));
  ASSERT_EQ(window->ResultsList()->rowCount(), 10);
  const CliResult cli =
      RunCli({"target", "--series", series.string(), "--target", "1234.5", "--tolerance", "0.02",
              "--max-results", "10", "--count", "3", "--connection", "both", "--format", "csv"});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_EQ(SavedCsv(), cli.out);
}

}  // namespace
}  // namespace ordavin::ui
