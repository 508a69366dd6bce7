// ordavin --startup-check: what the started window reports, through the function and through
// the built program on the offscreen platform.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/StartupCheck.h"

namespace ordavin::ui {
namespace {

using testing::MessageLog;
using testing::SeriesText;
using testing::WorkingDirectory;

constexpr std::chrono::seconds kLimit{20};

bool Asks(std::vector<std::string> arguments) {
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  return AsksStartupCheck(pointers);
}

TEST(StartupCheckTest, TheOptionIsFoundAmongTheToolkitsOptions) {
  EXPECT_TRUE(Asks({"--startup-check"}));
  EXPECT_TRUE(Asks({"-platform", "offscreen", "--startup-check"}));
  EXPECT_FALSE(Asks({}));
  EXPECT_FALSE(Asks({"--startup-checks", "-startup-check", "startup-check"}));
}

TEST(StartupCheckTest, AWindowWithItsSeriesLoadedReportsThemAndSucceeds) {
  WorkingDirectory cwd;
  cwd.Write("E6.SER", SeriesText({"1.0", "1.5", "2.2", "3.3", "4.7", "6.8"}, {"0", "1"}));
  cwd.Write("E12.SER", SeriesText({"1.0", "1.2", "1.5"}, {"0"}));
  MessageLog log;
  MainWindow window;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CheckStartup(window, out, err, kLimit), 0);
  EXPECT_EQ(out.str(),
            "Window: Ordavin v0.59\n"
            "Series: E12, E6\n"
            "Loaded: E12, 3 values listed\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_FALSE(window.isVisible());
}

TEST(StartupCheckTest, NoSeriesFilesFail) {
  WorkingDirectory cwd;
  MessageLog log;
  MainWindow window;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CheckStartup(window, out, err, kLimit), 1);
  EXPECT_EQ(out.str(), "Window: Ordavin v0.59\nSeries: none\n");
  EXPECT_EQ(err.str(), "No series was loaded.\n");
  EXPECT_EQ(log.Texts(), std::vector<QString>{"No resistor series files were found."});
}

// The first series cannot be read: the chooser lists both, but nothing is loaded.
TEST(StartupCheckTest, ASeriesThatFailsToLoadFails) {
  WorkingDirectory cwd;
  std::filesystem::create_symlink(cwd.Dir().path() / "missing", cwd.Dir().path() / "A.SER");
  cwd.Write("E6.SER", SeriesText({"1.0", "2.2"}, {"0"}));
  MessageLog log;
  MainWindow window;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CheckStartup(window, out, err, kLimit), 1);
  EXPECT_EQ(out.str(), "Window: Ordavin v0.59\nSeries: A, E6\n");
  EXPECT_EQ(err.str(), "No series was loaded.\n");
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Loading failed."});
}

struct ProgramRun {
  int exitCode = -1;  // -1 when it crashed or was killed after the limit
  std::string out;
  std::string err;
};

// The built window program with --startup-check in folder, its profile in a folder of its
// own. A box that waited for a click would hold it until the limit.
ProgramRun RunCheck(const std::filesystem::path& folder, const std::filesystem::path& config) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.string()));
  // The toolkit's own warnings (no runtime folder, the offscreen platform's limits) are not
  // the program's texts.
  environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.warning=false"));
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(QString::fromStdString(folder.string()));
  process.start(QStringLiteral(ORDAVIN_WINDOW_PATH), {QStringLiteral("--startup-check")});
  ProgramRun run;
  if (!process.waitForFinished(static_cast<int>(kLimit.count()) * 1000 + 10000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

TEST(StartupCheckTest, TheProgramReportsAndQuitsLeavingNoProfile) {
  ordavin::testing::TempDir folder;
  ordavin::testing::TempDir config;
  folder.Write("E3.SER", SeriesText({"1.0", "2.2", "4.7"}, {"0", "1"}));
  const ProgramRun run = RunCheck(folder.path(), config.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Window: Ordavin v0.59\nSeries: E3\nLoaded: E3, 6 values listed\n");
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(std::filesystem::is_empty(config.path()));
}

// The box the window would show goes to stderr instead of waiting on a screen nobody sees.
TEST(StartupCheckTest, TheProgramTellsWhyOnStderrAndExitsOne) {
  ordavin::testing::TempDir folder;
  ordavin::testing::TempDir config;
  const ProgramRun run = RunCheck(folder.path(), config.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "Window: Ordavin v0.59\nSeries: none\n");
  EXPECT_EQ(run.err, "No resistor series files were found.\nNo series was loaded.\n");
}

}  // namespace
}  // namespace ordavin::ui
