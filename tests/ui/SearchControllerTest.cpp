#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "divider/DividerEngine.h"
#include "target/TargetEngine.h"
#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/ProfileStore.h"
#include "ui/SearchController.h"
#include "ui/StatusText.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"
#include "ui/WaitCursor.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::SeriesText;
using testing::Type;
using testing::WorkingDirectory;

// A long search: many values, four resistors a side, with a zero among them so that no
// shortcut applies.
std::string LongSeries() {
  std::vector<std::string> values{"0"};
  for (int i = 1; i <= 120; ++i) values.push_back(std::to_string(i));
  return SeriesText(values, {"2"});
}

class SearchControllerTest : public ::testing::Test {
 protected:
  SearchControllerTest() {
    cwd.Write("A.SER", SeriesText({"100", "220", "470"}, {"0"}));
    cwd.Write("B.SER", LongSeries());
    window = std::make_unique<MainWindow>();
    window->show();
  }
  ~SearchControllerTest() override {
    // Never leave a worker behind.
    if (Runs().AnyRunActive()) {
      RequestAbort(Runs().DividerRunActive() ? Divider() : nullptr);
      (void)QTest::qWaitFor([this] { return !Runs().AnyRunActive(); }, 20000);
    }
    window->hide();
  }

  SearchController& Runs() { return window->Runs(); }
  DividerPage* Divider() { return window->TabControl()->DividerTab(); }
  TargetPage* Target() { return window->TabControl()->TargetTab(); }
  void Choose(const QString& title) {
    window->SeriesCombo()->setCurrentText(title);
    window->OnSelchangeSeries();
  }
  void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void RequestAbort(DividerPage* divider) {
    Press(divider != nullptr ? divider->OptimizeButton() : Target()->OptimizeButton());
  }
  bool WaitIdle(int ms = 20000) {
    return QTest::qWaitFor([this] { return !Runs().AnyRunActive(); }, ms);
  }
  std::vector<QString> Row(int r) {
    std::vector<QString> texts;
    for (int c = 0; c < window->ResultsList()->columnCount(); ++c) {
      texts.push_back(window->ResultsList()->item(r, c)->text());
    }
    return texts;
  }
  std::vector<QString> Column(int c) {
    std::vector<QString> texts;
    for (int r = 0; r < window->ResultsList()->rowCount(); ++r) {
      texts.push_back(window->ResultsList()->item(r, c)->text());
    }
    return texts;
  }
  void StartLongDividerRun() {
    Choose("B");
    Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(3);
    Find<QComboBox>(Divider(), "lowerCountCombo")->setCurrentIndex(3);
    log.AnswerQuestions(true);
    Press(Divider()->OptimizeButton());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Runs().DividerRunActive(); }, 5000));
  }

  WorkingDirectory cwd;
  MessageLog log;
  std::unique_ptr<MainWindow> window;
};

TEST_F(SearchControllerTest, TargetRunShowsTheWorkedExample) {
  Type(Find<QLineEdit>(Target(), "targetResistanceEdit"), QStringLiteral("150"));
  Type(Find<QLineEdit>(Target(), "toleranceEdit"), QStringLiteral("0.05"));
  Press(Target()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return log.Entries().size() == 1; }, 10000));
  EXPECT_FALSE(Runs().AnyRunActive());
  QTableWidget* list = window->ResultsList();
  ASSERT_EQ(list->columnCount(), 4);
  EXPECT_EQ(list->horizontalHeaderItem(0)->text(), "Rank");
  EXPECT_EQ(list->horizontalHeaderItem(1)->text(), "Resistors");
  EXPECT_EQ(list->horizontalHeaderItem(2)->text(), "R total");
  EXPECT_EQ(list->horizontalHeaderItem(3)->text(), "Error");
  EXPECT_EQ(list->columnWidth(1), std::lround(300 * window->PixelScale()));
  EXPECT_GE(window->PixelScale(), 1.0);
  ASSERT_EQ(list->rowCount(), 1);
  EXPECT_EQ(Row(0), (std::vector<QString>{"1 ", QString::fromUtf8("220.00 \u2126||470.00 \u2126"),
                                          QString::fromUtf8("149.855 \u2126"), "-0.097 %"}));
  EXPECT_TRUE(log.Entries()[0].text.startsWith(
      "Total possible combinations = 12\nMatching = 1\nOptimization took "));
  EXPECT_TRUE(log.Entries()[0].text.endsWith(" seconds."));
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Information);
  EXPECT_EQ(Target()->StatusLabel()->text(), "Optimization finished");
  EXPECT_EQ(Target()->OptimizeButton()->text(), "Optimize!");
  EXPECT_EQ(Runs().ShownResultsKind(), ResultsKind::Target);
  EXPECT_EQ(WaitCursor::Depth(), 0);
}

TEST_F(SearchControllerTest, DividerRunFillsNineColumns) {
  Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(1);
  Find<QComboBox>(Divider(), "lowerCountCombo")->setCurrentIndex(1);
  Find<QComboBox>(Divider(), "lowerModeCombo")->setCurrentIndex(1);
  Type(Find<QLineEdit>(Divider(), "divisionFactorEdit"), QStringLiteral("0.39"));
  Type(Find<QLineEdit>(Divider(), "seriesMinEdit"), QStringLiteral("0"));
  Type(Find<QLineEdit>(Divider(), "toleranceEdit"), QStringLiteral("5"));
  Type(Find<QLineEdit>(Divider(), "maxResultsEdit"), QStringLiteral("7"));
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Entries().empty(); }, 10000));
  QTableWidget* list = window->ResultsList();
  ASSERT_EQ(list->columnCount(), 9);
  const char* headers[] = {"Rank",     "Ru",         "Rl",         "Ru total",
                           "Rl total", "Rser total", "Rpar total", "Division factor",
                           "Error"};
  for (int c = 0; c < 9; ++c) EXPECT_EQ(list->horizontalHeaderItem(c)->text(), headers[c]);
  EXPECT_EQ(list->rowCount(), 7);
  EXPECT_EQ(Column(0), (std::vector<QString>{"1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 "}));
  EXPECT_TRUE(Row(0)[1].contains("||"));
  EXPECT_TRUE(Row(0)[2].contains("+"));
  EXPECT_EQ(log.Entries()[0].text.section('\n', 0, 1),
            "Total possible combinations = 36\nMatching = 36");
  EXPECT_EQ(Runs().ShownResultsKind(), ResultsKind::Divider);
}

TEST_F(SearchControllerTest, DividerRefusalsOneAtATime) {
  struct Case {
    const char* edit;
    const char* text;
    const char* message;
  };
  // Enabled parallel window for the last case.
  Find<QCheckBox>(Divider(), "parallelEnabledCheck")->setChecked(true);
  const Case cases[] = {
      {"divisionFactorEdit", "1",
       "Error: The division factor must be greater than 0 and less than 1."},
      {"divisionFactorEdit", "0",
       "Error: The division factor must be greater than 0 and less than 1."},
      {"seriesMaxEdit", "10", "Please check series resistance constraints"},
      {"parallelMaxEdit", "10", "Please check parallel resistance constraints"},
  };
  for (const Case& c : cases) {
    Type(Find<QLineEdit>(Divider(), "divisionFactorEdit"), QStringLiteral("0.5"));
    QLineEdit* edit = Find<QLineEdit>(Divider(), c.edit);
    const QString original = edit->text();
    Type(edit, QString::fromLatin1(c.text));
    log.Clear();
    Press(Divider()->OptimizeButton());
    QTest::qWait(20);
    EXPECT_EQ(log.Texts(), std::vector<QString>{c.message}) << c.edit;
    EXPECT_EQ(log.Entries().at(0).icon, MessageIcon::Error);
    EXPECT_FALSE(Runs().AnyRunActive());
    EXPECT_EQ(Divider()->OptimizeButton()->text(), "Optimize!");
    EXPECT_EQ(WaitCursor::Depth(), 0);
    Type(edit, original);
  }
  EXPECT_EQ(Runs().ShownResultsKind(), ResultsKind::None);
}

TEST_F(SearchControllerTest, TooFewTickedValues) {
  window->ValueList()->OnDeselectAll();
  window->ValueList()->SetCheck(0, 1);
  Press(Divider()->OptimizeButton());
  QTest::qWait(20);
  EXPECT_EQ(log.Texts(),
            std::vector<QString>{"Not enough resistor values available.\n> 1 required."});
  log.Clear();
  // Parallel only, nothing left above the target: both boxes, in order.
  Type(Find<QLineEdit>(Target(), "targetResistanceEdit"), QStringLiteral("1e6"));
  Find<QComboBox>(Target(), "connectionCombo")->setCurrentIndex(1);
  Press(Target()->OptimizeButton());
  QTest::qWait(20);
  EXPECT_EQ(log.Texts(),
            (std::vector<QString>{"Not enough resistor values available.\n> 1 required.",
                                  "No possible combinations."}));
  EXPECT_FALSE(Runs().AnyRunActive());
  EXPECT_EQ(WaitCursor::Depth(), 0);
}

TEST_F(SearchControllerTest, ProgressAbortAndTheNextRun) {
  StartLongDividerRun();
  EXPECT_EQ(Divider()->OptimizeButton()->text(), "Abort!");
  EXPECT_EQ(WaitCursor::Depth(), 1);
  // The other page and the series chooser wait for the run.
  EXPECT_FALSE(Target()->OptimizeButton()->isEnabled());
  EXPECT_FALSE(window->SeriesCombo()->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return Divider()->StatusLabel()->text().startsWith("Optimizing, "); }, 3000));
  EXPECT_TRUE(Divider()->StatusLabel()->text().contains(" combinations checked"));
  // Switching tabs does not disturb the run.
  window->TabControl()->setCurrentIndex(1);
  window->TabControl()->setCurrentIndex(0);
  EXPECT_TRUE(Runs().DividerRunActive());

  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Optimization aborted by user");
  EXPECT_EQ(Divider()->OptimizeButton()->text(), "Optimize!");
  EXPECT_FALSE(Runs().AbortRequested());
  EXPECT_TRUE(Target()->OptimizeButton()->isEnabled());
  EXPECT_TRUE(window->SeriesCombo()->isEnabled());
  EXPECT_EQ(WaitCursor::Depth(), 0);
  const std::uint64_t visited = Runs().DividerOptimizer().VisitedCount();
  const std::uint64_t total = 9381251ull * 9381251ull;  // C(124, 4) squared
  EXPECT_GT(visited, 0u);
  EXPECT_LT(visited, total);
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_TRUE(
      log.Entries()[0].text.startsWith(QString("Total possible combinations = %1\n").arg(visited)));
  EXPECT_EQ(window->ResultsList()->rowCount(),
            static_cast<int>(Runs().DividerOptimizer().KeptMatches().size()));

  // The next run starts with the flag cleared and runs to its end.
  log.Clear();
  Choose("A");
  Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(0);
  Find<QComboBox>(Divider(), "lowerCountCombo")->setCurrentIndex(0);
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Entries().empty(); }, 10000));
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Optimization finished");
  EXPECT_EQ(Runs().DividerOptimizer().VisitedCount(), 9u);
}

TEST_F(SearchControllerTest, ASearchOfDaysAsksFirstAndNoLeavesEverythingAsItWas) {
  Choose("B");
  Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(3);
  Find<QComboBox>(Divider(), "lowerCountCombo")->setCurrentIndex(3);
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Questions().empty(); }, 5000));
  QTest::qWait(20);
  ASSERT_EQ(log.Questions().size(), 1u);
  const QString question = log.Questions()[0];
  EXPECT_TRUE(question.startsWith("This search would take about ")) << question.toStdString();
  EXPECT_TRUE(
      question.endsWith(" (8.8e+13 combinations; slower search: the fast one does not "
                        "cover these values). Start anyway?"))
      << question.toStdString();
  EXPECT_FALSE(Runs().AnyRunActive());
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Idle");
  EXPECT_EQ(Divider()->OptimizeButton()->text(), "Optimize!");
  EXPECT_FALSE(Divider()->ProgressBar()->isVisible());
  EXPECT_EQ(WaitCursor::Depth(), 0);
  EXPECT_TRUE(log.Entries().empty());

  // A search of moments asks nothing.
  Choose("A");
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Entries().empty(); }, 10000));
  EXPECT_EQ(log.Questions().size(), 1u);
}

TEST_F(SearchControllerTest, TheBarShowsTheShareAndTheStatusLineTheSlowerSearch) {
  StartLongDividerRun();
  QProgressBar* bar = Divider()->ProgressBar();
  EXPECT_TRUE(bar->isVisible());
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return Divider()->StatusLabel()->text().startsWith("Optimizing, "); }, 3000));
  // The zero value leaves the run to the straightforward engine, and the page says so.
  EXPECT_TRUE(Divider()->StatusLabel()->text().endsWith(" combinations checked (slower search)"))
      << Divider()->StatusLabel()->text().toStdString();
  EXPECT_EQ(Divider()->StatusLabel()->toolTip(),
            "Slower search: the fast one does not cover these values");
  // Days to go: a sliver of the bar, and the time left from the forecast.
  EXPECT_EQ(bar->value(), 0);
  EXPECT_TRUE(bar->text().startsWith("0 %, about ")) << bar->text().toStdString();
  EXPECT_TRUE(bar->text().endsWith(" days left")) << bar->text().toStdString();
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(WaitIdle());
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Optimization aborted by user");
  EXPECT_EQ(Divider()->StatusLabel()->toolTip(), "");
}

TEST_F(SearchControllerTest, AScreenReaderReadsTheStatusAndHearsItChange) {
  std::vector<QString> changes;
  QLabel* status = Divider()->StatusLabel();
  static std::vector<QString>* recorded = nullptr;
  static QLabel* watched = nullptr;
  recorded = &changes;
  watched = status;
  SetAccessibilityUpdate([](QAccessibleEvent* event) {
    if (event->object() == watched && event->type() == QAccessible::NameChanged) {
      recorded->push_back(QAccessible::queryAccessibleInterface(watched)->text(QAccessible::Name));
    }
  });
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(status);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->text(QAccessible::Name), "Idle");
  EXPECT_EQ(face->text(QAccessible::Description), "Status");

  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Entries().empty(); }, 10000));
  SetAccessibilityUpdate(nullptr);
  EXPECT_EQ(face->text(QAccessible::Name), "Optimization finished");
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), "Optimization finished");
}

TEST_F(SearchControllerTest, AnInvalidFieldDuringARunDoesNotAbort) {
  StartLongDividerRun();
  Type(Find<QLineEdit>(Divider(), "toleranceEdit"), QStringLiteral("x"));
  Press(Divider()->OptimizeButton());
  QTest::qWait(50);
  EXPECT_TRUE(Runs().DividerRunActive());
  EXPECT_FALSE(Runs().AbortRequested());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 5."});
  Type(Find<QLineEdit>(Divider(), "toleranceEdit"), QStringLiteral("0.05"));
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(WaitIdle());
}

TEST_F(SearchControllerTest, CloseGuardDuringARun) {
  StartLongDividerRun();
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].text, "Can't quit, optimizer is running!");
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(Runs().DividerRunActive());
  Press(Divider()->OptimizeButton());
  ASSERT_TRUE(WaitIdle());
  ProfileStore::WriteBinary("DividerOptimizerConfig", "df", QByteArray());
  EXPECT_TRUE(window->close());
  EXPECT_EQ(Runs().Results().RecordCount(), 0u);
  EXPECT_EQ(ProfileStore::ReadBinary("DividerOptimizerConfig", "df"),
            ProfileStore::DoubleBytes(1.25 / 3.3));
}

TEST_F(SearchControllerTest, AWorkerThatCannotStart) {
  Runs().FailNextStartForTesting();
  Press(Target()->OptimizeButton());
  QTest::qWait(20);
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Could not start the optimization."});
  EXPECT_FALSE(Runs().AnyRunActive());
  EXPECT_EQ(Target()->OptimizeButton()->text(), "Optimize!");
  EXPECT_TRUE(Divider()->OptimizeButton()->isEnabled());
  EXPECT_TRUE(window->SeriesCombo()->isEnabled());
  EXPECT_EQ(WaitCursor::Depth(), 0);
}

TEST_F(SearchControllerTest, HeaderSortingFollowsTheShownKind) {
  QHeaderView* header = window->ResultsList()->horizontalHeader();
  // Before any run a click does nothing.
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, 5));
  EXPECT_EQ(window->ResultsList()->rowCount(), 0);

  Type(Find<QLineEdit>(Target(), "targetResistanceEdit"), QStringLiteral("300"));
  Type(Find<QLineEdit>(Target(), "toleranceEdit"), QStringLiteral("10"));
  Press(Target()->OptimizeButton());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !log.Entries().empty(); }, 10000));
  ASSERT_EQ(window->ResultsList()->rowCount(), 10);
  const auto click = [&](int column) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
  };
  click(3);
  const std::vector<QString> byError = Column(3);
  click(3);
  EXPECT_EQ(Column(3), byError);  // ascending again, no toggle
  EXPECT_TRUE(byError.front().startsWith("-"));
  EXPECT_TRUE(byError.back().startsWith("+"));
  EXPECT_NE(Column(0).front(), "1 ");
  click(0);
  EXPECT_EQ(Column(0),
            (std::vector<QString>{"1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 ", "9 ", "10"}));
}

}  // namespace
}  // namespace ordavin::ui
