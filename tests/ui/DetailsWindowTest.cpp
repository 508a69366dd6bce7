#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "texts/CheckTexts.h"
#include "ui/DetailsWindow.h"
#include "ui/ResultDetails.h"
#include "ui/ResultsExport.h"
#include "ui/ResultsRuns.h"
#include "ui/SchematicView.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::RunDivider;
using testing::RunTarget;
using testing::SeriesText;
using testing::Type;
using testing::WorkingDirectory;

const QString kOhm = QString::fromUtf8("\u2126");

class DetailsWindowTest : public ::testing::Test {
 protected:
  DetailsWindowTest() {
    cwd.Write("A.SER", SeriesText({"100", "220", "470"}, {"0"}));
    cwd.Write("B.SER", SeriesText({"1", "2.2", "4.7"}, {"2", "3"}));
    window = std::make_unique<MainWindow>();
    window->show();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window.get());
    list = window->ResultsList();
    details = Find<ResultDetails>(list, "resultDetails");
  }

  // The worked target example: 220 || 470, 220 || 220, 100 + 100, 100 || 470, best first.
  void RunExample() {
    ASSERT_TRUE(
        RunTarget(*window, {{"targetResistanceEdit", "150"}, {"toleranceEdit", "0.5"}}, log));
    ASSERT_EQ(list->rowCount(), 4);
  }
  QPoint CellCentre(int row) const {
    return list->visualRect(list->model()->index(row, 1)).center();
  }
  // A double-click as the window system delivers it: press, release, double-click, release.
  void DoubleClick(QPoint at) {
    QWidget* viewport = list->viewport();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      const bool down = type != QEvent::MouseButtonRelease;
      QMouseEvent event(type, QPointF(at), global, Qt::LeftButton,
                        down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(viewport, &event);
    }
  }
  // The windows opened so far, oldest first.
  QList<DetailsWindow*> Opened() const { return window->findChildren<DetailsWindow*>(); }
  DetailsWindow* Newest() const { return Opened().isEmpty() ? nullptr : Opened().back(); }
  std::vector<double> Values(const Network& network) const {
    std::vector<double> values;
    for (const Network* r : ResistorsOf(network)) values.push_back(r->ohms);
    return values;
  }
  QString Shown(DetailsWindow* shown, const char* name) const {
    return Find<QLabel>(shown, name)->text();
  }
  bool Calculate(DetailsWindow* shown, const QString& partTolerance, const QString& voltage) {
    Type(Find<QLineEdit>(shown, "partToleranceEdit"), partTolerance);
    Type(Find<QLineEdit>(shown, "voltageEdit"), voltage);
    log.Clear();
    QTest::mouseClick(Find<QPushButton>(shown, "calculateButton"), Qt::LeftButton);
    return log.Entries().empty();
  }

  WorkingDirectory cwd;
  MessageLog log;
  std::unique_ptr<MainWindow> window;
  QTableWidget* list = nullptr;
  ResultDetails* details = nullptr;
};

TEST_F(DetailsWindowTest, OpensOnDoubleClickEnterAndTheMenuForTheRowAsShown) {
  EXPECT_EQ(details->Open(0), nullptr);  // no results yet
  RunExample();

  DoubleClick(CellCentre(1));
  ASSERT_EQ(Opened().size(), 1);
  EXPECT_EQ(Newest()->Result().rank, 2);
  EXPECT_EQ(Values(Newest()->Result().network), (std::vector<double>{220, 220}));
  EXPECT_EQ(Newest()->windowTitle(), QStringLiteral("Details: target resistance, rank 2"));

  list->setFocus();
  list->setCurrentCell(2, 0);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(Opened().size(), 2);
  EXPECT_EQ(Newest()->Result().rank, 3);
  EXPECT_EQ(Newest()->Result().network.connection, Connection::Series);

  // The menu's entry, on the row right-clicked, after sorting by total: 100 || 470 first.
  QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(list->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
  QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, CellCentre(0));
  QContextMenuEvent event(QContextMenuEvent::Mouse, CellCentre(0),
                          list->viewport()->mapToGlobal(CellCentre(0)));
  QApplication::sendEvent(list->viewport(), &event);
  QMenu* menu = Find<ResultsExport>(list, "resultsExport")->Menu();
  EXPECT_EQ(menu->actions().front(), details->Action());
  EXPECT_EQ(details->Action()->text(), QStringLiteral("Details..."));
  EXPECT_TRUE(details->Action()->isEnabled());
  details->Action()->trigger();
  menu->hide();
  ASSERT_EQ(Opened().size(), 3);
  EXPECT_EQ(Newest()->Result().rank, 4);
  EXPECT_EQ(Values(Newest()->Result().network), (std::vector<double>{100, 470}));
}

TEST_F(DetailsWindowTest, AWindowKeepsItsRowWhenANewRunReplacesTheList) {
  RunExample();
  DetailsWindow* shown = details->Open(0);
  ASSERT_NE(shown, nullptr);
  const QString heading = Shown(shown, "detailsHeading");
  EXPECT_EQ(heading,
            "Rank 1: total 149.855 " + kOhm + ", error -0.097 % (target 150.000 " + kOhm + ")");
  ASSERT_TRUE(RunTarget(*window, {{"targetResistanceEdit", "570"}}, log));
  ASSERT_GT(list->rowCount(), 0);
  EXPECT_EQ(Values(shown->Result().network), (std::vector<double>{220, 470}));
  EXPECT_EQ(Shown(shown, "detailsHeading"), heading);
  EXPECT_TRUE(Calculate(shown, QStringLiteral("0.1"), QStringLiteral("1")));
  EXPECT_EQ(Shown(shown, "bandLowestFigure"), "134.870 " + kOhm);
}

TEST_F(DetailsWindowTest, FieldsAreReadLikeThePagesAndABadOneChangesNothing) {
  RunExample();
  DetailsWindow* shown = details->Open(0);
  ASSERT_NE(shown, nullptr);
  auto* partTolerance = Find<QLineEdit>(shown, "partToleranceEdit");
  auto* voltage = Find<QLineEdit>(shown, "voltageEdit");
  EXPECT_EQ(partTolerance->text(), QStringLiteral("0.01"));
  EXPECT_EQ(voltage->text(), QStringLiteral("5"));
  for (QLineEdit* edit : {partTolerance, voltage}) {
    bool labelled = false;
    for (const QLabel* label : shown->findChildren<QLabel*>()) {
      labelled = labelled || (label->buddy() == edit && label->text() == edit->accessibleName());
    }
    EXPECT_TRUE(labelled) << edit->objectName().toStdString();
  }
  const QString lowest = Shown(shown, "bandLowestFigure");
  const QString sentence = Shown(shown, "bandSentence");
  const QString summary = shown->SummaryText();
  EXPECT_EQ(summary.toStdString(), CheckSummary(shown->Result(), 0.01, 5));

  const QString partMessage = QStringLiteral("Please enter a number between 0 and 0.2.");
  const QString voltageMessage = QStringLiteral("Please enter a number between 0 and 1000000.");
  struct Bad {
    const char* partTolerance;
    const char* voltage;
    QString message;
    QLineEdit* focus;
  };
  const Bad bad[] = {
      {"0.3", "5", partMessage, partTolerance},
      {"abc", "5", partMessage, partTolerance},
      {"-0.01", "5", partMessage, partTolerance},
      {"0,05", "5", partMessage + "\n" + QLatin1String(FieldExchange::kDecimalPointHint),
       partTolerance},
      // The part tolerance is good, but nothing is taken while the voltage is not.
      {"0.1", "-1", voltageMessage, voltage},
      {"0.1", "1e7", voltageMessage, voltage},
      {"0.1", "", voltageMessage, voltage},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(std::string(b.partTolerance) + " / " + b.voltage);
    EXPECT_FALSE(
        Calculate(shown, QString::fromLatin1(b.partTolerance), QString::fromLatin1(b.voltage)));
    ASSERT_EQ(log.Texts().size(), 1U);
    EXPECT_EQ(log.Texts()[0], b.message);
    EXPECT_EQ(shown->focusWidget(), b.focus);
    EXPECT_EQ(Shown(shown, "bandLowestFigure"), lowest);
    EXPECT_EQ(Shown(shown, "bandSentence"), sentence);
    EXPECT_EQ(shown->SummaryText(), summary);
  }

  // 220 || 470 at ±10 %: 134.870 to 164.841 Ω, outside ±50 %? No: inside.
  EXPECT_TRUE(Calculate(shown, QStringLiteral("0.1"), QStringLiteral("12")));
  EXPECT_EQ(Shown(shown, "bandLowestFigure"), "134.870 " + kOhm);
  EXPECT_EQ(Shown(shown, "bandHighestFigure"), "164.841 " + kOhm);
  EXPECT_EQ(Shown(shown, "bandLowestError"), QStringLiteral("-10.087 %"));
  EXPECT_EQ(Shown(shown, "bandSentence"),
            QString::fromUtf8("The whole band stays within the required tolerance of \u00B150 %."));
  EXPECT_EQ(shown->SummaryText().toStdString(), CheckSummary(shown->Result(), 0.1, 12));
  // 12 V across 220 Ω and 470 Ω: 54.55 mA and 25.53 mA; the 220 Ω takes most.
  EXPECT_EQ(Shown(shown, "power0_2"), QStringLiteral("54.55 mA"));
  EXPECT_EQ(Shown(shown, "power0_3"), QString::fromUtf8("654.55 mW (highest)"));
  EXPECT_TRUE(Find<QLabel>(shown, "power0_3")->font().bold());
  EXPECT_FALSE(Find<QLabel>(shown, "power1_3")->font().bold());
  EXPECT_EQ(Shown(shown, "totalCurrent"), QStringLiteral("Total current: 80.08 mA"));

  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::mouseClick(Find<QPushButton>(shown, "copyButton"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), shown->SummaryText());
}

TEST_F(DetailsWindowTest, ADividerRowCarriesItsSourceAndLoad) {
  window->SeriesCombo()->setCurrentText(QStringLiteral("B"));
  window->OnSelchangeSeries();
  ASSERT_TRUE(RunDivider(*window,
                         {{"divisionFactorEdit", "0.3"},
                          {"toleranceEdit", "0.5"},
                          {"sourceResistanceEdit", "50"},
                          {"loadResistanceEdit", "10k"},
                          {"upperCountCombo", {}, 1},
                          {"lowerCountCombo", {}, 1}},
                         log));
  ASSERT_GT(list->rowCount(), 0);
  DetailsWindow* shown = details->Open(0);
  ASSERT_NE(shown, nullptr);
  const CheckedResult& result = shown->Result();
  EXPECT_TRUE(result.IsDivider());
  EXPECT_EQ(result.divider.sourceResistance, 50);
  EXPECT_EQ(result.divider.LoadResistance(), 10000);
  EXPECT_EQ(ResistorsOf(result.divider.upper).size(), 2U);
  EXPECT_EQ(ResistorsOf(result.divider.lower).size(), 2U);
  // The row's own factor, to the digit.
  EXPECT_EQ(Shown(shown, "bandNominalFigure"), list->item(0, 7)->text());
  EXPECT_EQ(shown->Schematic()->Layout().resistors.size(), 6U);
  EXPECT_EQ(Shown(shown, "power0_0"), QStringLiteral("R1"));
}

}  // namespace
}  // namespace ordavin::ui
