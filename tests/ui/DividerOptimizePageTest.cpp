#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ui/DialogLayout.h"
#include "ui/DividerOptimizePage.h"
#include "ui/GuiTestSupport.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::Type;

class DividerOptimizePageTest : public ::testing::Test {
 protected:
  DividerOptimizePageTest() : page(layout) { layout.Apply(layout.UnitsFor(page.font())); }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(&page, name); }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(&page, name); }
  // Presses Optimize!; true when the request went out.
  bool Optimize() {
    QSignalSpy spy(&page, &CDividerOptimizePage::OptimizeRequested);
    QTest::mouseClick(page.OptimizeButton(), Qt::LeftButton);
    return spy.count() == 1;
  }

  MessageLog log;
  DialogLayout layout;
  CDividerOptimizePage page;
};

TEST_F(DividerOptimizePageTest, Defaults) {
  EXPECT_EQ(Edit("seriesMinEdit")->text(), "1000");
  EXPECT_EQ(Edit("seriesMaxEdit")->text(), "100000");
  EXPECT_TRUE(Find<QCheckBox>(&page, "seriesEnabledCheck")->isChecked());
  EXPECT_EQ(Edit("parallelMinEdit")->text(), "1000");
  EXPECT_EQ(Edit("parallelMaxEdit")->text(), "100000");
  EXPECT_FALSE(Find<QCheckBox>(&page, "parallelEnabledCheck")->isChecked());
  EXPECT_EQ(Edit("sourceResistanceEdit")->text(), "0");
  EXPECT_EQ(Edit("loadResistanceEdit")->text(), "0");
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "1.25/3.3");
  EXPECT_EQ(Edit("toleranceEdit")->text(), "0.05");
  EXPECT_EQ(Edit("maxResultsEdit")->text(), "10");
  EXPECT_EQ(Edit("attenuationEdit")->text(), "12");
  EXPECT_EQ(Edit("uOutEdit")->text(), "3.3");
  EXPECT_EQ(Edit("uRefEdit")->text(), "1.25");
  EXPECT_EQ(Edit("uGndEdit")->text(), "0");
  for (const char* name : {"upperCountCombo", "lowerCountCombo"}) {
    QComboBox* combo = Combo(name);
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(0), "1");
    EXPECT_EQ(combo->itemText(3), "4");
    EXPECT_EQ(combo->currentText(), "1");
  }
  for (const char* name : {"upperModeCombo", "lowerModeCombo"}) {
    QComboBox* combo = Combo(name);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "parallel");
    EXPECT_EQ(combo->itemText(1), "series");
    EXPECT_EQ(combo->currentIndex(), 0);
  }
  EXPECT_EQ(page.StatusLabel()->text(), "Idle");
  EXPECT_EQ(page.OptimizeButton()->text(), "Optimize!");
  EXPECT_DOUBLE_EQ(page.DivisionFactor(), 1.25 / 3.3);

  ASSERT_TRUE(Optimize());
  const DividerRequest r = page.Request();
  EXPECT_EQ(r.divisionFactor, 1.25 / 3.3);
  EXPECT_EQ(r.tolerance, 0.05);
  EXPECT_TRUE(r.seriesEnabled);
  EXPECT_FALSE(r.parallelEnabled);
  EXPECT_EQ(r.upperCount, 1u);
  EXPECT_EQ(r.lowerMode, NetworkMode::Parallel);
  EXPECT_EQ(r.maxResults, 10u);
  EXPECT_TRUE(log.Entries().empty());
}

struct RangeCase {
  const char* edit;
  const char* below;  // nullptr: no lower limit to test
  const char* min;
  const char* max;
  const char* above;
  const char* message;
};

TEST_F(DividerOptimizePageTest, EveryFieldAcceptsItsLimitsAndRefusesBeyond) {
  const RangeCase cases[] = {
      {"attenuationEdit", "-0.001", "0", "300", "300.001",
       "Please enter a number between 0 and 300."},
      {"toleranceEdit", "-0.01", "0", "5", "5.01", "Please enter a number between 0 and 5."},
      {"seriesMinEdit", "-1", "0", "1e12", "1e13",
       "Please enter a number between 0 and 1000000000000."},
      {"seriesMaxEdit", "-1", "0", "1e31", "1.1e31", "Please enter a number between 0 and 1e+31."},
      {"parallelMinEdit", "-1", "0", "1e31", "2e31", "Please enter a number between 0 and 1e+31."},
      {"parallelMaxEdit", "-1", "0", "1e31", "2e31", "Please enter a number between 0 and 1e+31."},
      {"maxResultsEdit", "0", "1", "1000", "1001",
       "Please enter a whole number between 1 and 1000."},
      {"sourceResistanceEdit", "-1", "0", "1e12", "1.000001e12",
       "Please enter a number between 0 and 1000000000000."},
      {"loadResistanceEdit", "-1", "0", "1e12", "1.000001e12",
       "Please enter a number between 0 and 1000000000000."},
  };
  for (const RangeCase& c : cases) {
    QLineEdit* edit = Edit(c.edit);
    const QString original = edit->text();
    for (const char* good : {c.min, c.max}) {
      Type(edit, QString::fromLatin1(good));
      EXPECT_TRUE(Optimize()) << c.edit << " " << good;
      EXPECT_TRUE(log.Entries().empty()) << c.edit << " " << good;
    }
    for (const char* bad : {c.below, c.above, "abc", "", "1,5"}) {
      log.Clear();
      Type(edit, QString::fromLatin1(bad));
      EXPECT_FALSE(Optimize()) << c.edit << " " << bad;
      ASSERT_EQ(log.Entries().size(), 1u) << c.edit << " " << bad;
      EXPECT_EQ(log.Entries()[0].text, c.message) << c.edit << " " << bad;
      EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Warning);
      EXPECT_TRUE(edit->hasFocus() || QApplication::focusWidget() == nullptr) << c.edit;
    }
    Type(edit, original);
    log.Clear();
  }
}

TEST_F(DividerOptimizePageTest, VoltagesTakeAnyNumber) {
  for (const char* name : {"uOutEdit", "uRefEdit", "uGndEdit"}) {
    Type(Edit(name), QStringLiteral("-1e300"));
    EXPECT_TRUE(Optimize()) << name;
    Type(Edit(name), QStringLiteral("x"));
    EXPECT_FALSE(Optimize()) << name;
    ASSERT_FALSE(log.Entries().empty());
    EXPECT_EQ(log.Entries().back().text, "Please enter a number.");
    Type(Edit(name), QStringLiteral("1"));
  }
}

TEST_F(DividerOptimizePageTest, ExchangeStopsAtTheFirstBadFieldInItsOrder) {
  // The order: attenuation, tolerance, series, parallel, voltages, results, factor, source, load.
  Type(Edit("loadResistanceEdit"), QStringLiteral("-5"));
  Type(Edit("maxResultsEdit"), QStringLiteral("0"));
  Type(Edit("toleranceEdit"), QStringLiteral("9"));
  Type(Edit("attenuationEdit"), QStringLiteral("999"));
  EXPECT_FALSE(Optimize());
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].text, "Please enter a number between 0 and 300.");
  Type(Edit("attenuationEdit"), QStringLiteral("12"));
  log.Clear();
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 5."});
  Type(Edit("toleranceEdit"), QStringLiteral("0.01"));
  log.Clear();
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a whole number between 1 and 1000."});
  Type(Edit("maxResultsEdit"), QStringLiteral("5"));
  log.Clear();
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(),
            std::vector<QString>{"Please enter a number between 0 and 1000000000000."});
  // Fields before the failing one were taken in.
  EXPECT_EQ(page.Request().tolerance, 0.01);
  EXPECT_EQ(page.Request().maxResults, 5u);
}

TEST_F(DividerOptimizePageTest, CombosAndFactorAreReadOnOptimize) {
  Combo("upperCountCombo")->setCurrentIndex(2);
  Combo("lowerCountCombo")->setCurrentIndex(3);
  Combo("upperModeCombo")->setCurrentIndex(1);
  Type(Edit("divisionFactorEdit"), QStringLiteral(" 1 / 3"));
  Type(Edit("loadResistanceEdit"), QStringLiteral("10000"));
  ASSERT_TRUE(Optimize());
  const DividerRequest r = page.Request();
  EXPECT_EQ(r.upperCount, 3u);
  EXPECT_EQ(r.lowerCount, 4u);
  EXPECT_EQ(r.upperMode, NetworkMode::Series);
  EXPECT_EQ(r.lowerMode, NetworkMode::Parallel);
  EXPECT_EQ(r.divisionFactor, 1.0 / 3);
  EXPECT_EQ(r.loadResistance, 10000.0);
  // An unusable factor is not the page's to refuse.
  Type(Edit("divisionFactorEdit"), QStringLiteral("abc"));
  ASSERT_TRUE(Optimize());
  EXPECT_EQ(page.Request().divisionFactor, 0.0);
}

TEST_F(DividerOptimizePageTest, AttenuatorCalculator) {
  QPushButton* calc = Find<QPushButton>(&page, "attenuatorButton");
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.25118864");
  EXPECT_DOUBLE_EQ(page.DivisionFactor(), 0.25118864315095801);
  Type(Edit("attenuationEdit"), QStringLiteral("167"));
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.00000000");
  // Optimize! takes the text, not the full-precision value.
  ASSERT_TRUE(Optimize());
  EXPECT_EQ(page.Request().divisionFactor, 0.0);
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(DividerOptimizePageTest, RegulatorCalculator) {
  QPushButton* calc = Find<QPushButton>(&page, "regulatorButton");
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.37878788");
  Type(Edit("uOutEdit"), QStringLiteral("-5"));
  Type(Edit("uRefEdit"), QStringLiteral("-1.25"));
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.25000000");
  EXPECT_TRUE(log.Entries().empty());

  Type(Edit("uOutEdit"), QStringLiteral("3.3"));
  Type(Edit("divisionFactorEdit"), QStringLiteral("0.1"));
  QTest::mouseClick(calc, Qt::LeftButton);
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].text,
            "Invalid voltages detected.\nCheck that |Ugnd| < |Uref| < |Uout|");
  EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Error);
  // Nothing changed: not even the field typed into before.
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.1");
}

TEST_F(DividerOptimizePageTest, CalculatorRunsOnAfterABadFieldAndRestoresIt) {
  Type(Edit("toleranceEdit"), QStringLiteral("oops"));
  QTest::mouseClick(Find<QPushButton>(&page, "attenuatorButton"), Qt::LeftButton);
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 5."});
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "0.25118864");
  EXPECT_EQ(Edit("toleranceEdit")->text(), "0.05");
}

TEST_F(DividerOptimizePageTest, LabelsNameTheirFieldsForScreenReaders) {
  EXPECT_EQ(Edit("divisionFactorEdit")->accessibleName(), "Target division factor");
  EXPECT_EQ(Edit("toleranceEdit")->accessibleName(), "Required tolerance");
  EXPECT_EQ(Edit("seriesMinEdit")->accessibleName(), "Series resistance from");
  EXPECT_EQ(Combo("upperCountCombo")->accessibleName(), "Upper resistors");
  for (QLabel* label : page.findChildren<QLabel*>()) {
    if (label->buddy() != nullptr) {
      EXPECT_EQ(label->buddy()->accessibleName(), label->text());
    }
  }
}

}  // namespace
}  // namespace ordavin::ui
