#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "support/CsvReader.h"
#include "ui/FileDialogs.h"
#include "ui/ResultsExport.h"
#include "ui/ResultsRuns.h"

namespace ordavin::ui {
namespace {

using ::ordavin::testing::CsvRows;
using ::ordavin::testing::ReadCsv;
using testing::Find;
using testing::MessageLog;
using testing::RunTarget;
using testing::SeriesText;
using testing::WorkingDirectory;

const QString kOhm = QString::fromUtf8("\u2126");
const QString kTitles = QStringLiteral("Rank\tResistors\tR total\tError\n");
// The rows of the worked target example, by rank.
const QString kRows[] = {
    "1 \t220.00 " + kOhm + "||470.00 " + kOhm + "\t149.855 " + kOhm + "\t-0.097 %\n",
    "2 \t220.00 " + kOhm + "||220.00 " + kOhm + "\t110.000 " + kOhm + "\t-26.667 %\n",
    "3 \t100.00 " + kOhm + "+100.00 " + kOhm + "\t200.000 " + kOhm + "\t+33.333 %\n",
    "4 \t100.00 " + kOhm + "||470.00 " + kOhm + "\t82.456 " + kOhm + "\t-45.029 %\n",
};

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.insert(entry.path().string());
  }
  return names;
}

class ResultsExportTest : public ::testing::Test {
 protected:
  ResultsExportTest() {
    cwd.Write("A.SER", SeriesText({"100", "220", "470"}, {"0"}));
    window = std::make_unique<MainWindow>();
    window->show();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window.get());
    list = window->ResultsList();
    exporter = Find<ResultsExport>(list, "resultsExport");
  }
  ~ResultsExportTest() override { SetSaveFileNameAnswerer(nullptr); }

  // The worked target example: four matches, best first.
  void RunExample() {
    ASSERT_TRUE(
        RunTarget(*window, {{"targetResistanceEdit", "150"}, {"toleranceEdit", "0.5"}}, log));
    ASSERT_EQ(list->rowCount(), 4);
  }
  void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
  }
  QString CopyByKeyboard() {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
  }
  // The list's context menu, opened as a right click on the first row opens it.
  QMenu* OpenMenu() {
    const QPoint at = list->visualRect(list->model()->index(0, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    return exporter->Menu();
  }
  QAction* MenuAction(const char* text) {
    for (QAction* action : exporter->Menu()->actions()) {
      if (action->text() == QString::fromUtf8(text)) return action;
    }
    throw std::runtime_error(std::string("no menu entry ") + text);
  }
  void ClickHeader(int column) {
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
  }
  std::vector<QString> ShownRanks() {
    std::vector<QString> ranks;
    for (int r = 0; r < list->rowCount(); ++r) ranks.push_back(list->item(r, 0)->text());
    return ranks;
  }

  WorkingDirectory cwd;
  MessageLog log;
  std::unique_ptr<MainWindow> window;
  QTableWidget* list = nullptr;
  ResultsExport* exporter = nullptr;
};

TEST_F(ResultsExportTest, CopyGivesTheTitlesAndTheSelectedRowsInShownOrder) {
  RunExample();
  EXPECT_EQ(CopyByKeyboard(), "before");  // nothing selected: the clipboard stays
  Click(2);
  EXPECT_EQ(CopyByKeyboard(), kTitles + kRows[2]);
  Click(1);
  Click(3, Qt::ShiftModifier);
  EXPECT_EQ(CopyByKeyboard(), kTitles + kRows[1] + kRows[2] + kRows[3]);
  // Ctrl adds a row ahead of the others and takes one out; the order stays the list's.
  Click(0, Qt::ControlModifier);
  Click(2, Qt::ControlModifier);
  EXPECT_EQ(CopyByKeyboard(), kTitles + kRows[0] + kRows[1] + kRows[3]);
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(CopyByKeyboard(), kTitles + kRows[0] + kRows[1] + kRows[2] + kRows[3]);
}

TEST_F(ResultsExportTest, SortingKeepsTheSelectionWithItsRows) {
  RunExample();
  Click(0);
  Click(2, Qt::ControlModifier);
  // By R total, ascending: 82.456, 110, 149.855, 200 Ω.
  ClickHeader(2);
  EXPECT_EQ(ShownRanks(), (std::vector<QString>{"4 ", "2 ", "1 ", "3 "}));
  EXPECT_EQ(exporter->SelectionText(), kTitles + kRows[0] + kRows[2]);
  ClickHeader(0);
  EXPECT_EQ(ShownRanks(), (std::vector<QString>{"1 ", "2 ", "3 ", "4 "}));
  EXPECT_EQ(exporter->SelectionText(), kTitles + kRows[0] + kRows[2]);
  // A new run starts with nothing selected.
  RunExample();
  EXPECT_EQ(exporter->SelectionText(), "");
}

TEST_F(ResultsExportTest, TheContextMenuCopiesSelectsAllAndSaves) {
  QMenu* menu = OpenMenu();
  std::vector<QString> texts;
  for (QAction* action : menu->actions()) texts.push_back(action->text());
  EXPECT_EQ(texts,
            (std::vector<QString>{"Details...", "", "Copy", "Select all", "", "Save as CSV..."}));
  // Before any run there is nothing to open, copy, select or save.
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
  menu->hide();

  RunExample();
  OpenMenu();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_FALSE(MenuAction("Copy")->isEnabled());
  EXPECT_TRUE(MenuAction("Select all")->isEnabled());
  EXPECT_TRUE(MenuAction("Save as CSV...")->isEnabled());
  MenuAction("Select all")->trigger();
  menu->hide();
  EXPECT_EQ(list->selectionModel()->selectedRows().size(), 4);
  QGuiApplication::clipboard()->clear();
  OpenMenu();
  EXPECT_TRUE(MenuAction("Copy")->isEnabled());
  MenuAction("Copy")->trigger();
  menu->hide();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            kTitles + kRows[0] + kRows[1] + kRows[2] + kRows[3]);

  QString title;
  QString suggested;
  const QString path = QString::fromStdString((cwd.Dir().path() / "chosen.csv").string());
  SetSaveFileNameAnswerer([&](const QString& t, const QString& s) {
    title = t;
    suggested = s;
    return path;
  });
  OpenMenu();
  MenuAction("Save as CSV...")->trigger();
  menu->hide();
  EXPECT_EQ(title, "Save results as CSV");
  EXPECT_EQ(suggested, QDir::current().filePath("target-results.csv"));
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_EQ(ReadBytes(path.toStdString()).substr(0, 30), "Rank,Resistors,R total,Error\r\n");
}

TEST_F(ResultsExportTest, SaveWritesEveryRowInShownOrder) {
  RunExample();
  Click(1);  // a selection does not limit what is saved
  ClickHeader(2);
  const auto path = cwd.Dir().path() / "results.csv";
  ASSERT_TRUE(exporter->SaveCsv(QString::fromStdString(path.string())));
  const std::string bytes = ReadBytes(path);
  const CsvRows rows = ReadCsv(bytes);
  ASSERT_EQ(rows.size(), 5u) << bytes;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Rank", "Resistors", "R total", "Error"}));
  std::vector<std::string> ranks;
  for (std::size_t r = 1; r < rows.size(); ++r) ranks.push_back(rows[r][0]);
  EXPECT_EQ(ranks, (std::vector<std::string>{"4", "2", "1", "3"}));
  EXPECT_TRUE(bytes.substr(30).starts_with("4,100.00 \u2126||470.00 \u2126,82.45614035087719,"))
      << bytes;
  // Saving again replaces the file.
  Click(0);
  ClickHeader(0);
  ASSERT_TRUE(exporter->SaveCsv(QString::fromStdString(path.string())));
  EXPECT_EQ(ReadCsv(ReadBytes(path))[1][0], "1");
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(ResultsExportTest, ACancelledDialogWritesNothing) {
  RunExample();
  const auto before = Listing(cwd.Dir().path());
  SetSaveFileNameAnswerer([](const QString&, const QString&) { return QString(); });
  exporter->SaveAsCsv();
  EXPECT_EQ(Listing(cwd.Dir().path()), before);
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(ResultsExportTest, AFileThatCannotBeWrittenSaysWhyAndLeavesNothingBehind) {
  RunExample();
  const auto folder = cwd.Dir().path();
  std::filesystem::create_directory(folder / "taken.csv");
  cwd.Write("taken.csv/inside", "kept");
  struct Case {
    std::filesystem::path path;
    const char* reason;
  };
  // Paths that fail for root too: a folder that is a file, and a file that is a folder.
  const Case cases[] = {
      {folder / "A.SER" / "out.csv", "Not a directory"},
      {folder / "missing" / "out.csv", "No such file or directory"},
      {folder / "taken.csv", "Filename refers to a directory"},
  };
  const auto before = Listing(folder);
  for (const Case& c : cases) {
    log.Clear();
    SetSaveFileNameAnswerer(
        [&c](const QString&, const QString&) { return QString::fromStdString(c.path.string()); });
    exporter->SaveAsCsv();
    ASSERT_EQ(log.Entries().size(), 1u) << c.path;
    EXPECT_EQ(log.Entries()[0].text,
              QString::fromStdString("Could not save " + c.path.string() + ": " + c.reason));
    EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Error);
    EXPECT_EQ(Listing(folder), before) << c.path;
  }
  EXPECT_EQ(ReadBytes(folder / "taken.csv" / "inside"), "kept");
  EXPECT_EQ(ReadBytes(folder / "A.SER").substr(0, 7), "baseval");
}

}  // namespace
}  // namespace ordavin::ui
