#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <clocale>
#include <vector>

#include "ui/FieldExchange.h"
#include "ui/GuiTestSupport.h"

namespace ordavin::ui {
namespace {

using testing::MessageLog;

TEST(FieldExchangeTest, NumbersUseAPointWhateverTheLocale) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  MessageLog log;
  QWidget owner;
  QLineEdit edit(&owner);
  double value = 0.25;
  FieldExchange exchange(&owner);
  exchange.AddNumber(&edit, &value, FieldRange{0, 1});
  exchange.Load();
  EXPECT_EQ(edit.text(), "0.25");
  edit.setText(QStringLiteral("0,5"));
  EXPECT_FALSE(exchange.Save());
  // The refusal says why a comma does not do.
  EXPECT_EQ(log.Texts(), std::vector<QString>{"Please enter a number between 0 and 1.\n"
                                              "Numbers use a point as decimal separator, "
                                              "as in 0.01."});
  edit.setText(QStringLiteral("2"));
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(log.Texts().back(), "Please enter a number between 0 and 1.");
  edit.setText(QStringLiteral(" 5e-1 "));
  EXPECT_TRUE(exchange.Save());
  EXPECT_EQ(value, 0.5);
  std::setlocale(LC_ALL, "C");
}

TEST(FieldExchangeTest, AResistanceFieldTakesCodesAndShowsANumber) {
  MessageLog log;
  QWidget owner;
  QLineEdit resistance(&owner);
  QLineEdit number(&owner);
  double ohms = 0;
  double plain = 0;
  FieldExchange exchange(&owner);
  exchange.AddResistance(&resistance, &ohms, FieldRange{0, 1e12});
  exchange.AddNumber(&number, &plain, FieldRange{0, 1e12});
  resistance.setText(QStringLiteral("4k7"));
  number.setText(QStringLiteral("4700"));
  EXPECT_TRUE(exchange.Save());
  EXPECT_EQ(ohms, 4700.0);
  exchange.Load();
  EXPECT_EQ(resistance.text(), "4700");
  // A number field stays a number field.
  number.setText(QStringLiteral("4k7"));
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(log.Texts(),
            std::vector<QString>{"Please enter a number between 0 and 1000000000000."});
  EXPECT_EQ(plain, 4700.0);
  // Shown as "%.15g", like every number field.
  number.setText(QStringLiteral("1"));
  resistance.setText(QStringLiteral("1R234567890123456"));
  EXPECT_TRUE(exchange.Save());
  exchange.Load();
  EXPECT_EQ(resistance.text(), "1.23456789012346");
  resistance.setText(QStringLiteral("1.5 meg"));
  EXPECT_TRUE(exchange.Save());
  exchange.Load();
  EXPECT_EQ(resistance.text(), "1500000");
}

TEST(FieldExchangeTest, ShowsFifteenSignificantDigits) {
  EXPECT_EQ(FieldExchange::NumberText(1.25 / 3.3), "0.378787878787879");
  EXPECT_EQ(FieldExchange::NumberText(1e31), "1e+31");
  EXPECT_EQ(FieldExchange::NumberText(100000), "100000");
}

TEST(FieldExchangeTest, AValueOutsideItsRangeIsStoredBeforeTheRefusal) {
  MessageLog log;
  QWidget owner;
  QLineEdit first(&owner);
  QLineEdit second(&owner);
  QCheckBox third(&owner);
  double a = 1;
  std::uint32_t b = 1;
  bool c = false;
  FieldExchange exchange(&owner);
  exchange.AddNumber(&first, &a, FieldRange{0, 10});
  exchange.AddCount(&second, &b, CountRange{1, 5});
  exchange.AddCheck(&third, &c);
  first.setText(QStringLiteral("11"));
  second.setText(QStringLiteral("3"));
  third.setChecked(true);
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(a, 11.0);
  EXPECT_EQ(b, 1u);
  EXPECT_FALSE(c);
  first.setText(QStringLiteral("not a number"));
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(a, 11.0);
  first.setText(QStringLiteral("2"));
  second.setText(QStringLiteral("99999999999999999999999"));
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(b, 1u);
  second.setText(QStringLiteral("1,000"));
  EXPECT_FALSE(exchange.Save());
  EXPECT_EQ(log.Texts().back(),
            "Please enter a whole number between 1 and 5.\n"
            "Numbers use a point as decimal separator, as in 0.01.");
  second.setText(QStringLiteral("5"));
  EXPECT_TRUE(exchange.Save());
  EXPECT_TRUE(c);
  EXPECT_EQ(log.Entries().size(), 4u);
}

}  // namespace
}  // namespace ordavin::ui
