// --version and --help of the window program, through the function and through the built
// executable run without a display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <sstream>
#include <string>
#include <vector>

#include "resources/Strings.h"
#include "ui/InformationOptions.h"

namespace ordavin::ui {
namespace {

std::optional<int> Answer(std::vector<std::string> arguments, std::ostream& out) {
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  return AnswerInformationOptions(pointers, out);
}

const std::string kVersionLine = std::string("ordavin ") + kVersion + "\n";

TEST(InformationOptionsTest, VersionAndHelpAreAnsweredFirstComeFirst) {
  std::ostringstream version;
  EXPECT_EQ(Answer({"-platform", "offscreen", "--version", "--help"}, version), 0);
  EXPECT_EQ(version.str(), kVersionLine);

  std::ostringstream help;
  EXPECT_EQ(Answer({"--help", "--version"}, help), 0);
  EXPECT_EQ(help.str(), resources::kCommandLineHelp);
  std::ostringstream shortHelp;
  EXPECT_EQ(Answer({"-h"}, shortHelp), 0);
  EXPECT_EQ(shortHelp.str(), resources::kCommandLineHelp);
}

TEST(InformationOptionsTest, OtherArgumentsOpenTheWindow) {
  std::ostringstream out;
  EXPECT_EQ(Answer({}, out), std::nullopt);
  EXPECT_EQ(Answer({"-platform", "offscreen", "--versions", "-version", "version"}, out),
            std::nullopt);
  EXPECT_EQ(out.str(), "");
}

TEST(InformationOptionsTest, AnUnwritableOutputExitsOne) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(Answer({"--version"}, out), 1);
}

// Without a display the toolkit could not start, so an answer proves no window was made.
struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ProgramRun RunWindowProgram(const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(ORDAVIN_WINDOW_PATH), arguments);
  ProgramRun run;
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

TEST(InformationOptionsTest, TheProgramAnswersVersionWithoutADisplay) {
  const ProgramRun run = RunWindowProgram({QStringLiteral("--version")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, kVersionLine);
  EXPECT_EQ(run.err, "");
}

TEST(InformationOptionsTest, TheProgramAnswersHelpWithoutADisplay) {
  const ProgramRun run = RunWindowProgram({QStringLiteral("--help")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, resources::kCommandLineHelp);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace ordavin::ui
