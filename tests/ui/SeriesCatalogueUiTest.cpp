// Discovery and loading of the series files of the working directory, as the window does it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"

namespace ordavin::ui {
namespace {

using testing::MessageLog;
using testing::SeriesText;
using testing::WorkingDirectory;

std::string Numbers(int count) {
  std::string text = "baseval\n";
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + " ";
  return text + "\ndecades\n0\n";
}

class SeriesCatalogueUiTest : public ::testing::Test {
 protected:
  std::vector<QString> Entries(const MainWindow& window) const {
    std::vector<QString> entries;
    for (int i = 0; i < window.SeriesCombo()->count(); ++i) {
      entries.push_back(window.SeriesCombo()->itemText(i));
    }
    return entries;
  }
  bool ButtonsEnabled(const MainWindow& window) const {
    const bool divider = window.TabControl()->DividerTab()->OptimizeButton()->isEnabled();
    const bool target = window.TabControl()->TargetTab()->OptimizeButton()->isEnabled();
    EXPECT_EQ(divider, target);
    return divider;
  }
  void Choose(MainWindow& window, const QString& title) {
    window.SeriesCombo()->setCurrentText(title);
    window.OnSelchangeSeries();
  }

  WorkingDirectory cwd;
  MessageLog log;
};

TEST_F(SeriesCatalogueUiTest, ListsAlphabeticallyAndLoadsTheFirst) {
  cwd.Write("e24.ser", SeriesText({"1.0", "1.1"}, {"0"}));
  cwd.Write("E12.SER", SeriesText({"1.0", "1.2", "1.5"}, {"0", "1"}));
  cwd.Write("E6.SER", SeriesText({"1.0"}, {"0"}));
  MainWindow window;
  EXPECT_EQ(Entries(window), (std::vector<QString>{"E12", "e24", "E6"}));
  EXPECT_EQ(window.SeriesCombo()->currentText(), "E12");
  EXPECT_EQ(window.ValueList()->count(), 6);
  EXPECT_EQ(window.StatusText()->text(), "6 resistor values loaded.");
  EXPECT_TRUE(ButtonsEnabled(window));
  EXPECT_TRUE(log.Entries().empty());
  Choose(window, "e24");
  EXPECT_EQ(window.ValueList()->count(), 2);
  EXPECT_EQ(window.StatusText()->text(), "2 resistor values loaded.");
}

TEST_F(SeriesCatalogueUiTest, ASeriesDoesNotInheritTheBoundsOfThePreviousOne) {
  cwd.Write("A.SER", "baseval\n1 2.2 4.7\ndecades\n0 1 2 3\nmaximum\n100\n");
  cwd.Write("B.SER", SeriesText({"1", "2.2", "4.7"}, {"0", "1", "2", "3", "4", "5"}));
  MainWindow window;
  EXPECT_EQ(window.StatusText()->text(), "7 resistor values loaded.");
  Choose(window, "B");
  EXPECT_EQ(window.StatusText()->text(), "18 resistor values loaded.");
  EXPECT_EQ(window.Values().WorkingCount(), 18u);
}

TEST_F(SeriesCatalogueUiTest, NoFilesAtAll) {
  MainWindow window;
  EXPECT_EQ(log.Texts(), std::vector<QString>{"No resistor series files were found."});
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Error);
  EXPECT_FALSE(ButtonsEnabled(window));
  EXPECT_EQ(window.StatusText()->text(), "0 resistor values loaded.");
  EXPECT_EQ(window.ValueList()->count(), 0);
}

TEST_F(SeriesCatalogueUiTest, ADirectoryNamedLikeASeriesFailsToLoad) {
  std::filesystem::create_directory(cwd.Dir().path() / "X.SER");
  MainWindow window;
  EXPECT_EQ(Entries(window), std::vector<QString>{"X"});
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Loading failed."});
  const std::filesystem::path path = std::filesystem::current_path() / "X.SER";
  EXPECT_EQ(log.Entries()[0].detail,
            QString::fromStdString("'" + path.string() + "': Is a directory"));
  EXPECT_EQ(window.SeriesCombo()->currentIndex(), -1);
  EXPECT_FALSE(ButtonsEnabled(window));
  EXPECT_EQ(window.StatusText()->text(), "0 resistor values loaded.");
}

TEST_F(SeriesCatalogueUiTest, DeletedFileThenAGoodOne) {
  cwd.Write("A.SER", SeriesText({"1", "2"}, {"0"}));
  const auto b = cwd.Write("B.SER", SeriesText({"1", "2", "3"}, {"0"}));
  MainWindow window;
  std::filesystem::remove(b);
  Choose(window, "B");
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Loading failed."});
  const QString detail = log.Entries()[0].detail;
  EXPECT_TRUE(detail.startsWith(QString::fromStdString("'" + (b.parent_path() / "B.").string())))
      << detail.toStdString();
  EXPECT_TRUE(detail.endsWith("': No such file or directory")) << detail.toStdString();
  EXPECT_FALSE(ButtonsEnabled(window));
  EXPECT_EQ(window.ValueList()->count(), 0);
  // Nothing is loaded, so the chooser shows nothing; the entry stays to be tried again.
  EXPECT_EQ(window.SeriesCombo()->currentIndex(), -1);
  EXPECT_EQ(Entries(window), (std::vector<QString>{"A", "B"}));
  Choose(window, "A");
  EXPECT_EQ(window.SeriesCombo()->currentText(), "A");
  EXPECT_TRUE(ButtonsEnabled(window));
  EXPECT_EQ(window.ValueList()->count(), 2);
}

TEST_F(SeriesCatalogueUiTest, CommentsOnlyLoadsQuietlyWithNoValues) {
  cwd.Write("A.SER", SeriesText({"1", "2"}, {"0"}));
  cwd.Write("B.SER", "; nothing but a comment\n");
  cwd.Write("C.SER", "");
  MainWindow window;
  Choose(window, "B");
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_EQ(window.ValueList()->count(), 0);
  EXPECT_EQ(window.StatusText()->text(), "0 resistor values loaded.");
  EXPECT_TRUE(ButtonsEnabled(window));  // as they were
  std::filesystem::remove(cwd.Dir().path() / "A.SER");
  Choose(window, "A");
  EXPECT_FALSE(ButtonsEnabled(window));
  Choose(window, "C");
  EXPECT_FALSE(ButtonsEnabled(window));  // still as they were
}

TEST_F(SeriesCatalogueUiTest, TooManyBaseValuesKeepThePreviousList) {
  cwd.Write("A.SER", SeriesText({"10", "15", "22"}, {"0"}));
  cwd.Write("B.SER", Numbers(1001));
  MainWindow window;
  window.ValueList()->SetCheck(1, 0);
  Choose(window, "B");
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Too many base values in B.SER (more than 1000)."});
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Error);
  // The chooser names the series whose values are still listed and searched.
  EXPECT_EQ(window.SeriesCombo()->currentText(), "A");
  EXPECT_EQ(window.ValueList()->count(), 3);
  EXPECT_EQ(window.ValueList()->GetCheck(1), 0);
  EXPECT_EQ(window.StatusText()->text(), "3 resistor values loaded.");
  EXPECT_TRUE(ButtonsEnabled(window));
}

TEST_F(SeriesCatalogueUiTest, FilesThatAreNotSeriesFilesNeitherBlockNorTakeTheList) {
  cwd.Write("A.SER", SeriesText({"10", "15", "22"}, {"0"}));
  ASSERT_EQ(::mkfifo((cwd.Dir().path() / "F.SER").c_str(), 0600), 0);
  std::filesystem::create_symlink("L.SER", cwd.Dir().path() / "L.SER");
  std::filesystem::create_symlink("/dev/zero", cwd.Dir().path() / "Z.SER");
  const auto image = cwd.Write("I.SER", "baseval\n");
  std::filesystem::resize_file(image, std::uintmax_t{1} << 30);
  using namespace std::string_literals;
  cwd.Write("N.SER",
            "\x7f"
            "ELF\0\xff\nbaseval\n\0 47 \xfe\ndecades\n0\n"s);
  MainWindow window;
  EXPECT_EQ(Entries(window), (std::vector<QString>{"A", "F", "I", "L", "N", "Z"}));
  EXPECT_TRUE(log.Entries().empty());

  // Not a regular file: refused at once, the list emptied, the runs disabled.
  for (const char* title : {"F", "L", "Z"}) {
    Choose(window, "A");
    log.Clear();
    Choose(window, title);
    EXPECT_EQ(log.Texts(), std::vector<QString>{"Loading failed."}) << title;
    EXPECT_FALSE(ButtonsEnabled(window)) << title;
    EXPECT_EQ(window.ValueList()->count(), 0) << title;
  }

  // A file without line breaks: its error, and the previous list stays with its ticks.
  Choose(window, "A");
  window.ValueList()->SetCheck(2, 0);
  log.Clear();
  Choose(window, "I");
  EXPECT_EQ(log.Texts(),
            std::vector<QString>{"Could not read I.SER: a line is longer than 64 MiB."});
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Error);
  EXPECT_EQ(window.ValueList()->count(), 3);
  EXPECT_EQ(window.ValueList()->GetCheck(2), 0);
  EXPECT_TRUE(ButtonsEnabled(window));

  // Binary junk loads what numbers it holds, quietly.
  log.Clear();
  Choose(window, "N");
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_EQ(window.ValueList()->count(), 1);
  EXPECT_EQ(window.StatusText()->text(), "1 resistor values loaded.");
}

TEST_F(SeriesCatalogueUiTest, TheLargestSeriesFillsTheList) {
  // 1000 base values times 20 exponents: the most a series file may give.
  std::string text = "baseval\n";
  for (int i = 0; i < 1000; ++i) text += std::to_string(1.0 + i / 1000.0) + " ";
  text += "\ndecades\n";
  for (int d = 0; d < 20; ++d) text += std::to_string(d) + " ";
  cwd.Write("MAX.SER", text + "\n");
  MainWindow window;
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_EQ(window.ValueList()->count(), 20000);
  EXPECT_EQ(window.StatusText()->text(), "20000 resistor values loaded.");
  EXPECT_TRUE(ButtonsEnabled(window));
}

TEST_F(SeriesCatalogueUiTest, ACapacityErrorAtStartUpLeavesTheWindowWorking) {
  cwd.Write("A.SER", Numbers(1001));
  cwd.Write("B.SER", SeriesText({"10", "15", "22"}, {"0"}));
  MainWindow window;
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Too many base values in A.SER (more than 1000)."});
  EXPECT_EQ(window.SeriesCombo()->currentIndex(), -1);
  EXPECT_EQ(window.ValueList()->count(), 0);
  EXPECT_EQ(window.StatusText()->text(), "0 resistor values loaded.");
  Choose(window, "B");
  EXPECT_EQ(window.ValueList()->count(), 3);
  EXPECT_TRUE(ButtonsEnabled(window));
}

}  // namespace
}  // namespace ordavin::ui
