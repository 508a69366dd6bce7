#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "values/PowerOfTen.h"

namespace ordavin {
namespace {

// The decimal "1e<k>" read by the standard library's exact parser: the nearest double.
double Nearest(int exponent) {
  const std::string text = "1e" + std::to_string(exponent);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

// The C library's pow at run time: a constant pow(10.0, x) may be worked out by the compiler
// instead, exactly, which is not what the library gives everywhere.
double LibraryPow(double exponent) {
  volatile double ten = 10.0;
  return std::pow(ten, exponent);
}

TEST(PowerOfTenTest, WholeExponentsGiveTheNearestDouble) {
  for (int k = -22; k <= 22; ++k) {
    EXPECT_EQ(PowerOfTen(k), Nearest(k)) << k;
  }
  EXPECT_EQ(PowerOfTen(-0.0), 1.0);
}

#ifdef __GLIBC__
// The values of every series must not move from what glibc's pow gave them.
TEST(PowerOfTenTest, AgreesWithGlibcPowWhereItIsWrittenOut) {
  for (int k = -22; k <= 22; ++k) {
    EXPECT_EQ(PowerOfTen(k), LibraryPow(k)) << k;
  }
}
#endif

TEST(PowerOfTenTest, OtherExponentsFallBackToPow) {
  for (const double exponent : {0.5, -22.5, 22.5, 23.0, -23.0, 100.0, -300.0}) {
    EXPECT_EQ(PowerOfTen(exponent), LibraryPow(exponent)) << exponent;
  }
  EXPECT_EQ(PowerOfTen(400), HUGE_VAL);
  EXPECT_EQ(PowerOfTen(-400), 0.0);
  EXPECT_EQ(PowerOfTen(HUGE_VAL), HUGE_VAL);
  EXPECT_EQ(PowerOfTen(-HUGE_VAL), 0.0);
  EXPECT_TRUE(std::isnan(PowerOfTen(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace ordavin
