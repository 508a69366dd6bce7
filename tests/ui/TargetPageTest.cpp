#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <utility>
#include <vector>

#include "ui/DialogLayout.h"
#include "ui/GuiTestSupport.h"
#include "ui/TargetPage.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::Type;

class TargetPageTest : public ::testing::Test {
 protected:
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(&page, name); }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(&page, name); }
  bool Optimize() {
    QSignalSpy spy(&page, &TargetPage::OptimizeRequested);
    QTest::mouseClick(page.OptimizeButton(), Qt::LeftButton);
    return spy.count() == 1;
  }

  MessageLog log;
  DialogLayout layout;
  TargetPage page{layout};
};

TEST_F(TargetPageTest, Defaults) {
  EXPECT_EQ(Edit("targetResistanceEdit")->text(), "1234.5");
  EXPECT_EQ(Edit("toleranceEdit")->text(), "0.005");
  EXPECT_EQ(Edit("maxResultsEdit")->text(), "10");
  EXPECT_EQ(Combo("resistorCountCombo")->currentText(), "2");
  EXPECT_EQ(Combo("resistorCountCombo")->count(), 4);
  EXPECT_EQ(Combo("resistorCountCombo")->itemText(3), "5");
  EXPECT_EQ(Combo("connectionCombo")->currentText(), "Parallel + series");
  EXPECT_EQ(Combo("connectionCombo")->itemText(1), "Parallel only");
  EXPECT_EQ(Combo("connectionCombo")->itemText(2), "Series only");
  EXPECT_EQ(page.StatusLabel()->text(), "Idle");
  ASSERT_TRUE(Optimize());
  const TargetRequest r = page.Request();
  EXPECT_EQ(r.targetResistance, 1234.5);
  EXPECT_EQ(r.tolerance, 0.005);
  EXPECT_EQ(r.maxResults, 10u);
  EXPECT_EQ(r.resistorCount, 2u);
  EXPECT_EQ(r.connectionMode, ConnectionMode::ParallelAndSeries);
}

TEST_F(TargetPageTest, RangeLimits) {
  struct Case {
    const char* edit;
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"targetResistanceEdit", "0", true},
      {"targetResistanceEdit", "1e20", true},
      {"targetResistanceEdit", "-1e-9", false},
      {"targetResistanceEdit", "1.0001e20", false},
      {"toleranceEdit", "0", true},
      {"toleranceEdit", "10", true},
      {"toleranceEdit", "10.5", false},
      {"toleranceEdit", "-0.1", false},
      {"maxResultsEdit", "1", true},
      {"maxResultsEdit", "1000", true},
      {"maxResultsEdit", "0", false},
      {"maxResultsEdit", "1001", false},
      {"maxResultsEdit", "2.5", false},
      {"maxResultsEdit", "-3", false},
  };
  for (const Case& c : cases) {
    const QString original = Edit(c.edit)->text();
    log.Clear();
    Type(Edit(c.edit), QString::fromLatin1(c.text));
    EXPECT_EQ(Optimize(), c.accepted) << c.edit << " " << c.text;
    EXPECT_EQ(log.Entries().size(), c.accepted ? 0u : 1u) << c.edit << " " << c.text;
    Type(Edit(c.edit), original);
  }
}

TEST_F(TargetPageTest, ComboSelectionsAreReadOnOptimize) {
  Combo("resistorCountCombo")->setCurrentIndex(3);
  Combo("connectionCombo")->setCurrentIndex(2);
  ASSERT_TRUE(Optimize());
  EXPECT_EQ(page.Request().resistorCount, 5u);
  EXPECT_EQ(page.Request().connectionMode, ConnectionMode::SeriesOnly);
  Combo("connectionCombo")->setCurrentIndex(1);
  ASSERT_TRUE(Optimize());
  EXPECT_EQ(page.Request().connectionMode, ConnectionMode::ParallelOnly);
  // The fourth item, after the three that keep their places.
  ASSERT_EQ(Combo("connectionCombo")->count(), 4);
  EXPECT_EQ(Combo("connectionCombo")->itemText(3), "Mixed networks");
  EXPECT_EQ(Combo("connectionCombo")->itemText(0), "Parallel + series");
  Combo("connectionCombo")->setCurrentIndex(3);
  ASSERT_TRUE(Optimize());
  EXPECT_EQ(page.Request().connectionMode, ConnectionMode::Mixed);
}

TEST_F(TargetPageTest, AnOutOfRangeFieldPostsNothingAndKeepsTheLastValues) {
  Type(Edit("toleranceEdit"), QStringLiteral("0.1"));
  Type(Edit("maxResultsEdit"), QStringLiteral("5000"));
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a whole number between 1 and 1000."});
  EXPECT_EQ(page.Request().tolerance, 0.1);
  EXPECT_TRUE(Edit("maxResultsEdit")->hasFocus() || QApplication::focusWidget() == nullptr);
}

TEST_F(TargetPageTest, SignsExponentsHostileTextsAndThePageWorksOn) {
  struct Field {
    const char* edit;
    std::vector<const char*> accepted;
    const char* message;
  };
  const Field fields[] = {
      {"targetResistanceEdit",
       {"+1234.5", "1.2345e3", " 1234.5 ", "-0", "9.9999999999e19", "1e-300"},
       "Please enter a number between 0 and 1e+20."},
      {"toleranceEdit",
       {"+0.1", "1E-1", "9.9999999999", "-0"},
       "Please enter a number between 0 and 10."},
      {"maxResultsEdit",
       {"+10", " 999 ", "0002"},
       "Please enter a whole number between 1 and 1000."},
  };
  for (const Field& f : fields) {
    const QString original = Edit(f.edit)->text();
    for (const char* text : f.accepted) {
      Type(Edit(f.edit), QString::fromLatin1(text));
      EXPECT_TRUE(Optimize()) << f.edit << " " << text;
    }
    for (const QString& text :
         {QString(1'000'000, QLatin1Char('x')), QStringLiteral("1e999"), QStringLiteral("inf"),
          QStringLiteral("nan"), QStringLiteral("1;5"), QStringLiteral("0x10"), QString(),
          QStringLiteral("+"), QStringLiteral("1 2"), QStringLiteral("\u00B5")}) {
      log.Clear();
      Edit(f.edit)->setText(text);
      EXPECT_FALSE(Optimize()) << f.edit;
      EXPECT_EQ(log.Texts(), std::vector<QString>{QString::fromLatin1(f.message)}) << f.edit;
    }
    Type(Edit(f.edit), original);
    log.Clear();
    EXPECT_TRUE(Optimize()) << f.edit;
  }
  EXPECT_EQ(page.Request().targetResistance, 1234.5);
  EXPECT_EQ(page.Request().tolerance, 0.005);
  EXPECT_EQ(page.Request().maxResults, 10u);
}

TEST_F(TargetPageTest, TheTargetTakesLetterCodesAndTheToleranceDoesNot) {
  const std::pair<QString, double> codes[] = {
      {QStringLiteral("4k7"), 4700},
      {QStringLiteral("4K7"), 4700},
      {QStringLiteral("1M5"), 1.5e6},
      {QStringLiteral("1m5"), 0.0015},
      {QStringLiteral("1MEG"), 1e6},
      {QStringLiteral(" 2G2 "), 2.2e9},
      {QStringLiteral("R47"), 0.47},
      {QStringLiteral("470R"), 470},
      {QStringLiteral("1.2345 k\u03A9"), 1234.5},
      {QStringLiteral("1e3"), 1000},
  };
  for (const auto& [text, value] : codes) {
    Type(Edit("targetResistanceEdit"), text);
    ASSERT_TRUE(Optimize()) << text.toStdString();
    EXPECT_EQ(page.Request().targetResistance, value) << text.toStdString();
  }
  for (const char* text : {"4x7", "12abc", "k", "R", "4k7k", "1..2k", "1e3k", "200000000T"}) {
    log.Clear();
    Type(Edit("targetResistanceEdit"), QString::fromLatin1(text));
    EXPECT_FALSE(Optimize()) << text;
    EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 1e+20."})
        << text;
  }
  Type(Edit("targetResistanceEdit"), QStringLiteral("1k"));
  log.Clear();
  Type(Edit("toleranceEdit"), QStringLiteral("5m"));
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 10."});
  EXPECT_EQ(page.Request().targetResistance, 1000.0);
}

TEST_F(TargetPageTest, HugeTextIsRefusedWithoutHarm) {
  Type(Edit("targetResistanceEdit"), QStringLiteral("1"));
  Edit("targetResistanceEdit")->setText(QString(1'000'000, QLatin1Char('9')));
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 1e+20."});
}

}  // namespace
}  // namespace ordavin::ui
