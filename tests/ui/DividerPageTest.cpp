#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ui/DialogLayout.h"
#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::Type;

class DividerPageTest : public ::testing::Test {
 protected:
  DividerPageTest() : page(layout) { layout.Apply(layout.UnitsFor(page.font())); }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(&page, name); }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(&page, name); }
  // Presses Optimize!; true when the request went out.
  bool Optimize() {
    QSignalSpy spy(&page, &DividerPage::OptimizeRequested);
    QTest::mouseClick(page.OptimizeButton(), Qt::LeftButton);
    return spy.count() == 1;
  }

  MessageLog log;
  DialogLayout layout;
  DividerPage page;
};

TEST_F(DividerPageTest, Defaults) {
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

TEST_F(DividerPageTest, EveryFieldAcceptsItsLimitsAndRefusesBeyond) {
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
      const QString hint =
          QStringLiteral("\nNumbers use a point as decimal separator, as in 0.01.");
      EXPECT_EQ(log.Entries()[0].text,
                QString::fromLatin1(c.message) + (QLatin1String(bad) == "1,5" ? hint : QString()))
          << c.edit << " " << bad;
      EXPECT_EQ(log.Entries()[0].icon, MessageIcon::Warning);
      EXPECT_EQ(page.focusWidget(), edit) << c.edit;
    }
    Type(edit, original);
    log.Clear();
  }
}

TEST_F(DividerPageTest, VoltagesTakeAnyNumber) {
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

TEST_F(DividerPageTest, ExchangeStopsAtTheFirstBadFieldInItsOrder) {
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

TEST_F(DividerPageTest, CombosAndFactorAreReadOnOptimize) {
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

TEST_F(DividerPageTest, AttenuatorCalculator) {
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

TEST_F(DividerPageTest, RegulatorCalculator) {
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

TEST_F(DividerPageTest, ACalculatorReadsOnlyItsOwnFieldsAndABadOneChangesNothing) {
  Type(Edit("sourceResistanceEdit"), QStringLiteral("470"));
  Type(Edit("seriesMaxEdit"), QStringLiteral("2000"));
  Type(Edit("toleranceEdit"), QStringLiteral("oops"));
  Type(Edit("divisionFactorEdit"), QStringLiteral("0.5"));
  const auto unchanged = [&](const QString& factor) {
    EXPECT_EQ(Edit("sourceResistanceEdit")->text(), "470");
    EXPECT_EQ(Edit("seriesMaxEdit")->text(), "2000");
    EXPECT_EQ(Edit("toleranceEdit")->text(), "oops");
    EXPECT_EQ(Edit("divisionFactorEdit")->text(), factor);
  };
  QPushButton* attenuator = Find<QPushButton>(&page, "attenuatorButton");
  for (const char* bad : {"abc", "6dB", "6,02", "-6", "301", "1e309"}) {
    log.Clear();
    Type(Edit("attenuationEdit"), QString::fromLatin1(bad));
    QTest::mouseClick(attenuator, Qt::LeftButton);
    ASSERT_EQ(log.Entries().size(), 1u) << bad;
    EXPECT_TRUE(log.Entries()[0].text.startsWith("Please enter a number between 0 and 300."))
        << bad;
    EXPECT_EQ(page.focusWidget(), Edit("attenuationEdit")) << bad;
    EXPECT_EQ(Edit("attenuationEdit")->text(), QString::fromLatin1(bad));
    EXPECT_EQ(log.Entries()[0].text.contains(QStringLiteral("decimal separator")),
              QString::fromLatin1(bad).contains(QLatin1Char(',')))
        << bad;
    unchanged("0.5");
    EXPECT_DOUBLE_EQ(page.DivisionFactor(), 1.25 / 3.3) << bad;
  }

  // A bad dB field is none of the regulator's business.
  log.Clear();
  QTest::mouseClick(Find<QPushButton>(&page, "regulatorButton"), Qt::LeftButton);
  EXPECT_TRUE(log.Entries().empty());
  unchanged("0.37878788");
  EXPECT_EQ(Edit("attenuationEdit")->text(), "1e309");

  Type(Edit("uRefEdit"), QStringLiteral("1,25"));
  QTest::mouseClick(Find<QPushButton>(&page, "regulatorButton"), Qt::LeftButton);
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_TRUE(log.Entries()[0].text.startsWith("Please enter a number."));
  EXPECT_EQ(page.focusWidget(), Edit("uRefEdit"));
  unchanged("0.37878788");

  // A good attenuation writes the factor and nothing else.
  Type(Edit("attenuationEdit"), QStringLiteral("6"));
  QTest::mouseClick(attenuator, Qt::LeftButton);
  unchanged("0.50118723");
  EXPECT_EQ(Edit("uRefEdit")->text(), "1,25");
}

struct FieldCase {
  const char* edit;
  const char* message;
};

const FieldCase kNumberFields[] = {
    {"attenuationEdit", "Please enter a number between 0 and 300."},
    {"toleranceEdit", "Please enter a number between 0 and 5."},
    {"seriesMinEdit", "Please enter a number between 0 and 1000000000000."},
    {"seriesMaxEdit", "Please enter a number between 0 and 1e+31."},
    {"parallelMinEdit", "Please enter a number between 0 and 1e+31."},
    {"parallelMaxEdit", "Please enter a number between 0 and 1e+31."},
    {"uOutEdit", "Please enter a number."},
    {"uRefEdit", "Please enter a number."},
    {"uGndEdit", "Please enter a number."},
    {"sourceResistanceEdit", "Please enter a number between 0 and 1000000000000."},
    {"loadResistanceEdit", "Please enter a number between 0 and 1000000000000."},
};

TEST_F(DividerPageTest, SignsExponentsAndWhiteSpaceAroundANumber) {
  for (const FieldCase& f : kNumberFields) {
    const QString original = Edit(f.edit)->text();
    for (const char* one : {"1", "+1", " 1 ", "1e0", "1E+0", "0.1e1", "10e-1", "1.", ".1e1"}) {
      log.Clear();
      Type(Edit(f.edit), QString::fromLatin1(one));
      EXPECT_TRUE(Optimize()) << f.edit << " " << one;
      EXPECT_TRUE(log.Entries().empty()) << f.edit << " " << one;
    }
    // Minus zero is zero, the lower limit of every ranged field.
    Type(Edit(f.edit), QStringLiteral("-0"));
    EXPECT_TRUE(Optimize()) << f.edit;
    Type(Edit(f.edit), original);
  }
  // The whole-number field takes a sign and blanks, but no exponent or point.
  for (const char* text : {"+7", " 7 "}) {
    Type(Edit("maxResultsEdit"), QString::fromLatin1(text));
    EXPECT_TRUE(Optimize()) << text;
    EXPECT_EQ(page.Request().maxResults, 7u);
  }
  for (const char* text : {"7e0", "7.", "0x7", "-0", "4294967297", "99999999999999999999999"}) {
    log.Clear();
    Type(Edit("maxResultsEdit"), QString::fromLatin1(text));
    EXPECT_FALSE(Optimize()) << text;
    EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a whole number between 1 and 1000."})
        << text;
  }
}

TEST_F(DividerPageTest, JustInsideTheLimits) {
  const std::pair<const char*, const char*> inside[] = {
      {"attenuationEdit", "1e-300"},
      {"attenuationEdit", "299.99999999"},
      {"toleranceEdit", "4.9999999999"},
      {"seriesMinEdit", "999999999999.99"},
      {"seriesMaxEdit", "9.99999999999e30"},
      {"parallelMinEdit", "9.99999999999e30"},
      {"parallelMaxEdit", "4.9e-324"},
      {"sourceResistanceEdit", "999999999999.99"},
      {"loadResistanceEdit", "1e-300"},
      {"maxResultsEdit", "999"},
      {"maxResultsEdit", "2"},
  };
  for (const auto& [edit, text] : inside) {
    const QString original = Edit(edit)->text();
    Type(Edit(edit), QString::fromLatin1(text));
    EXPECT_TRUE(Optimize()) << edit << " " << text;
    Type(Edit(edit), original);
  }
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(DividerPageTest, HostileTextsAreRefusedAndThePageKeepsWorking) {
  const QString hugeDigits(1'000'000, QLatin1Char('9'));
  const QString hugeJunk(1'000'000, QChar(0x00B5));
  for (const FieldCase& f : kNumberFields) {
    QLineEdit* edit = Edit(f.edit);
    const QString original = edit->text();
    ASSERT_TRUE(Optimize());
    const DividerRequest before = page.Request();
    for (const QString& text :
         {hugeDigits, hugeJunk, QStringLiteral("1e999"), QStringLiteral("-1e999"),
          QStringLiteral("inf"), QStringLiteral("nan"), QStringLiteral("0x10"),
          QStringLiteral("1;5"), QStringLiteral("1.5.5"), QStringLiteral("+"), QStringLiteral("-"),
          QStringLiteral("e5"), QStringLiteral("1e"), QStringLiteral("--1"), QStringLiteral("1 2"),
          QStringLiteral("\u0661"), QString()}) {
      log.Clear();
      edit->setText(text);  // as pasted; the edit keeps at most its maximum length
      EXPECT_LE(edit->text().size(), edit->maxLength());
      EXPECT_FALSE(Optimize()) << f.edit << " " << text.left(20).toStdString();
      EXPECT_EQ(log.Texts(), std::vector<QString>{QString::fromLatin1(f.message)})
          << f.edit << " " << text.left(20).toStdString();
    }
    // The page works on, with nothing lost but what was refused.
    edit->setText(original);
    log.Clear();
    ASSERT_TRUE(Optimize()) << f.edit;
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_EQ(page.Request().tolerance, before.tolerance);
    EXPECT_EQ(page.Request().seriesMax, before.seriesMax);
    EXPECT_EQ(page.Request().loadResistance, before.loadResistance);
  }
}

TEST_F(DividerPageTest, ARegulatorWithoutAFiniteFactorSaysSoAndChangesNothing) {
  QPushButton* calc = Find<QPushButton>(&page, "regulatorButton");
  const std::vector<std::array<const char*, 3>> voltages{
      {"0", "0", "0"}, {"3.3", "1.25", "3.3"}, {"1", "2", "1"}, {"1.7e308", "1e308", "-1.7e308"}};
  for (const auto& [uOut, uRef, uGnd] : voltages) {
    log.Clear();
    Type(Edit("uOutEdit"), QString::fromLatin1(uOut));
    Type(Edit("uRefEdit"), QString::fromLatin1(uRef));
    Type(Edit("uGndEdit"), QString::fromLatin1(uGnd));
    QTest::mouseClick(calc, Qt::LeftButton);
    EXPECT_EQ(
        log.Texts(),
        std::vector<QString>{"Invalid voltages detected.\nCheck that |Ugnd| < |Uref| < |Uout|"})
        << uOut;
    EXPECT_EQ(Edit("divisionFactorEdit")->text(), "1.25/3.3") << uOut;
    EXPECT_EQ(Edit("uOutEdit")->text(), QString::fromLatin1(uOut));
  }
  // Uref beyond Uout on the same side is written; Optimize! refuses it.
  log.Clear();
  Type(Edit("uOutEdit"), QStringLiteral("3.3"));
  Type(Edit("uRefEdit"), QStringLiteral("5"));
  Type(Edit("uGndEdit"), QStringLiteral("0"));
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_TRUE(log.Entries().empty());
  EXPECT_EQ(Edit("divisionFactorEdit")->text(), "1.51515152");

  // An infinite voltage is not a number the field takes.
  Type(Edit("uOutEdit"), QStringLiteral("1e999"));
  QTest::mouseClick(calc, Qt::LeftButton);
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number."});
  EXPECT_EQ(Edit("uOutEdit")->text(), "1e999");
}

TEST_F(DividerPageTest, ResistanceFieldsTakeLetterCodes) {
  struct Code {
    const char* edit;
    QString text;
    double DividerRequest::*member;
    double value;
  };
  const Code codes[] = {
      {"seriesMinEdit", QStringLiteral("4k7"), &DividerRequest::seriesMin, 4700},
      {"seriesMaxEdit", QStringLiteral("1M5"), &DividerRequest::seriesMax, 1.5e6},
      {"parallelMinEdit", QStringLiteral("R47"), &DividerRequest::parallelMin, 0.47},
      {"parallelMaxEdit", QStringLiteral("2G2"), &DividerRequest::parallelMax, 2.2e9},
      {"sourceResistanceEdit", QStringLiteral("0R47"), &DividerRequest::sourceResistance, 0.47},
      {"loadResistanceEdit", QStringLiteral("10 k"), &DividerRequest::loadResistance, 10000},
      {"loadResistanceEdit", QStringLiteral("4.7 k\u2126"), &DividerRequest::loadResistance, 4700},
      {"loadResistanceEdit", QStringLiteral("470m"), &DividerRequest::loadResistance, 0.47},
      {"loadResistanceEdit", QStringLiteral("1meg"), &DividerRequest::loadResistance, 1e6},
      {"sourceResistanceEdit", QStringLiteral("6\u00B58"), &DividerRequest::sourceResistance,
       6.8e-6},
      {"sourceResistanceEdit", QStringLiteral("8k06"), &DividerRequest::sourceResistance, 8060},
  };
  for (const Code& c : codes) {
    Type(Edit(c.edit), c.text);
    ASSERT_TRUE(Optimize()) << c.edit << " " << c.text.toStdString();
    EXPECT_EQ(page.Request().*c.member, c.value) << c.edit << " " << c.text.toStdString();
    // The field keeps the text as typed.
    EXPECT_EQ(Edit(c.edit)->text(), c.text);
  }
  EXPECT_TRUE(log.Entries().empty());

  // Codes outside the range, malformed codes and codes in fields that are no resistance
  // get the field's message as any other bad text does.
  const std::pair<const char*, const char*> refused[] = {
      {"sourceResistanceEdit", "1T1"},
      {"sourceResistanceEdit", "-4k7"},
      {"seriesMinEdit", "4x7"},
      {"seriesMaxEdit", "12abc"},
      {"parallelMinEdit", "4k7k"},
      {"parallelMaxEdit", "1e3k"},
      {"loadResistanceEdit", "k"},
      {"loadResistanceEdit", "1.5k7"},
      {"toleranceEdit", "4k7"},
      {"attenuationEdit", "6k"},
      {"uOutEdit", "3V3"},
      {"uRefEdit", "1k"},
  };
  for (const auto& refusal : refused) {
    // Plain names: clang 14 does not let a lambda capture a structured binding.
    const char* edit = refusal.first;
    const char* text = refusal.second;
    const QString original = Edit(edit)->text();
    log.Clear();
    Type(Edit(edit), QString::fromLatin1(text));
    EXPECT_FALSE(Optimize()) << edit << " " << text;
    const auto field =
        std::find_if(std::begin(kNumberFields), std::end(kNumberFields),
                     [&](const FieldCase& f) { return f.edit == std::string(edit); });
    ASSERT_NE(field, std::end(kNumberFields)) << edit;
    EXPECT_EQ(log.Texts(), std::vector<QString>{QString::fromLatin1(field->message)})
        << edit << " " << text;
    EXPECT_EQ(page.focusWidget(), Edit(edit));
    Type(Edit(edit), original);
  }
  log.Clear();
  Type(Edit("loadResistanceEdit"), QStringLiteral("4,7k"));
  EXPECT_FALSE(Optimize());
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and "
                                              "1000000000000.\nNumbers use a point as decimal "
                                              "separator, as in 0.01."});
}

TEST_F(DividerPageTest, AFactorRatioTakesCodesOnEitherSide) {
  const std::pair<const char*, double> factors[] = {
      {"4k7/10k", 0.47},
      {"4K7 / 10K", 0.47},
      {"R47/1", 0.47},
      {"1k/2k2", 1000.0 / 2200},
      {"1.25/3.3", 1.25 / 3.3},
      {"1,25/3,3", 1.0 / 3},
      {"4k7k/10k", 0.0004},
      {"0.5x", 0.5},
      {"R47", 0.0},
  };
  for (const auto& [text, factor] : factors) {
    Type(Edit("divisionFactorEdit"), QString::fromLatin1(text));
    ASSERT_TRUE(Optimize()) << text;
    EXPECT_EQ(page.Request().divisionFactor, factor) << text;
    EXPECT_EQ(Edit("divisionFactorEdit")->text(), QString::fromLatin1(text));
  }
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(DividerPageTest, LabelsNameTheirFieldsForScreenReaders) {
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
