// One whole session in one process, so that the leak checker sees everything a user can do
// between start and close: load, both kinds of run to their end and aborted, sort, close.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/SearchController.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::SeriesText;
using testing::Type;
using testing::WorkingDirectory;

class SessionTest : public ::testing::Test {
 protected:
  DividerPage* Divider() { return window->TabControl()->DividerTab(); }
  TargetPage* Target() { return window->TabControl()->TargetTab(); }
  void Choose(const QString& title) {
    window->SeriesCombo()->setCurrentText(title);
    window->OnSelchangeSeries();
  }
  void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // Presses Optimize! and waits for the summary box; true when the run ended.
  bool RunToTheEnd(QPushButton* button) {
    log.Clear();
    Press(button);
    return QTest::qWaitFor(
        [this] { return !window->Runs().AnyRunActive() && !log.Entries().empty(); }, 20000);
  }
  bool RunAndAbort(QPushButton* button) {
    log.Clear();
    Press(button);
    if (!QTest::qWaitFor([this] { return window->Runs().AnyRunActive(); }, 5000)) return false;
    QTest::qWait(300);
    Press(button);
    return QTest::qWaitFor([this] { return !window->Runs().AnyRunActive(); }, 20000);
  }
  void SortByEveryColumn() {
    QHeaderView* header = window->ResultsList()->horizontalHeader();
    for (int c = header->count() - 1; c >= 0; --c) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(c) + 5, 5));
    }
    ASSERT_GT(window->ResultsList()->rowCount(), 0);
    EXPECT_EQ(window->ResultsList()->item(0, 0)->text(), "1 ");
  }

  WorkingDirectory cwd;
  MessageLog log;
  std::unique_ptr<MainWindow> window;
};

TEST_F(SessionTest, StartLoadRunBothKindsAbortSortAndClose) {
  cwd.Write("A.SER", SeriesText({"100", "220", "470", "1000", "2200"}, {"0", "1"}));
  std::vector<std::string> many{"0"};
  for (int i = 1; i <= 120; ++i) many.push_back(std::to_string(i));
  cwd.Write("B.SER", SeriesText(many, {"2"}));
  std::string tooMany = "baseval\n";
  for (int i = 0; i < 1001; ++i) tooMany += "1 ";
  cwd.Write("C.SER", tooMany + "\ndecades\n0\n");

  window = std::make_unique<MainWindow>();
  window->show();
  EXPECT_EQ(window->ValueList()->count(), 10);
  Choose("C");
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Too many base values in C.SER (more than 1000)."});
  EXPECT_EQ(window->ValueList()->count(), 10);
  window->ValueList()->SetCheck(0, 0);

  // Both kinds, each to its end, then sorted by every column.
  Type(Find<QLineEdit>(Target(), "toleranceEdit"), QStringLiteral("10"));
  Type(Find<QLineEdit>(Target(), "maxResultsEdit"), QStringLiteral("1000"));
  window->TabControl()->setCurrentIndex(1);
  ASSERT_TRUE(RunToTheEnd(Target()->OptimizeButton()));
  EXPECT_EQ(Target()->StatusLabel()->text(), "Optimization finished");
  SortByEveryColumn();
  window->TabControl()->setCurrentIndex(0);
  Type(Find<QLineEdit>(Divider(), "toleranceEdit"), QStringLiteral("5"));
  Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(1);
  ASSERT_TRUE(RunToTheEnd(Divider()->OptimizeButton()));
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Optimization finished");
  SortByEveryColumn();

  // Both kinds again on a series too large to finish, started when asked, and aborted.
  log.AnswerQuestions(true);
  Choose("B");
  Find<QComboBox>(Divider(), "upperCountCombo")->setCurrentIndex(3);
  Find<QComboBox>(Divider(), "lowerCountCombo")->setCurrentIndex(3);
  ASSERT_TRUE(RunAndAbort(Divider()->OptimizeButton()));
  EXPECT_EQ(Divider()->StatusLabel()->text(), "Optimization aborted by user");
  Find<QComboBox>(Target(), "resistorCountCombo")->setCurrentIndex(3);
  ASSERT_TRUE(RunAndAbort(Target()->OptimizeButton()));
  EXPECT_EQ(Target()->StatusLabel()->text(), "Optimization aborted by user");
  SortByEveryColumn();

  EXPECT_TRUE(window->close());
  EXPECT_EQ(window->Runs().Results().RecordCount(), 0u);
  window.reset();
}

}  // namespace
}  // namespace ordavin::ui
