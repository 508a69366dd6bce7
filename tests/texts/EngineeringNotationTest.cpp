#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "texts/EngineeringNotation.h"

namespace ordavin {
namespace {

struct NotationCase {
  double ohms;
  int decimals;
  const char* text;
};

class FormatResistanceTest : public ::testing::TestWithParam<NotationCase> {};

TEST_P(FormatResistanceTest, WritesEngineeringNotation) {
  const NotationCase& c = GetParam();
  EXPECT_EQ(FormatResistance(c.ohms, c.decimals), c.text) << c.ohms;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatResistanceTest,
    ::testing::Values(
        NotationCase{4.7, 2, "4.70 \u2126"}, NotationCase{470, 2, "470.00 \u2126"},
        NotationCase{1000, 2, "1.00 k\u2126"}, NotationCase{4700, 2, "4.70 k\u2126"},
        NotationCase{4700, 3, "4.700 k\u2126"}, NotationCase{2200000, 2, "2.20 M\u2126"},
        NotationCase{3.3e9, 2, "3.30 G\u2126"}, NotationCase{1e12, 2, "1000.00 G\u2126"},
        NotationCase{0.22, 2, "220.00 m\u2126"}, NotationCase{0.001, 2, "1.00 m\u2126"},
        NotationCase{0.0009999, 2, "999.90 \u00B5\u2126"},
        NotationCase{1.5e-5, 2, "15.00 \u00B5\u2126"}, NotationCase{2.2e-7, 2, "220.00 n\u2126"},
        NotationCase{999.999, 2, "1000.00 \u2126"}, NotationCase{999.999, 3, "999.999 \u2126"},
        NotationCase{0, 2, "0.00 n\u2126"}, NotationCase{1, 2, "1.00 \u2126"},
        NotationCase{1e-6, 2, "1.00 \u00B5\u2126"}, NotationCase{1e9, 2, "1.00 G\u2126"},
        NotationCase{1e-12, 2, "0.00 n\u2126"}, NotationCase{2.2 * 100, 2, "220.00 \u2126"},
        NotationCase{149.85507246376812, 3, "149.855 \u2126"}));

TEST(FormatResistanceEdgeTest, NegativeAndNaNGiveEmptyText) {
  EXPECT_EQ(FormatResistance(-1), "");
  EXPECT_EQ(FormatResistance(std::nan("")), "");
  EXPECT_EQ(FormatResistance(HUGE_VAL), "inf G\u2126");
}

TEST(FormatResistanceEdgeTest, UsesOhmAndMicroSignsNotGreekLetters) {
  EXPECT_EQ(FormatResistance(1), "1.00 \xE2\x84\xA6");
  EXPECT_EQ(FormatResistance(1e-5), "10.00 \xC2\xB5\xE2\x84\xA6");
}

// The prefix changes exactly at each row's least value: that value takes the larger
// prefix, the double just below it the smaller one, and minus zero reads as zero.
TEST(FormatResistanceEdgeTest, PrefixesChangeAtTheRowBoundaries) {
  struct Boundary {
    double lowest;
    const char* prefix;
    const char* below;
  };
  const Boundary boundaries[] = {{0x1.0c6f7a0b5ed88p-20, "\u00B5", "n"},
                                 {0x1.0624dd2f1a9fap-10, "m", "\u00B5"},
                                 {1.0, "", "m"},
                                 {0x1.f3ffffffffffbp+9, "k", ""},
                                 {0x1.e847ffffffff7p+19, "M", "k"},
                                 {0x1.dcd64ffffffeep+29, "G", "M"}};
  for (const Boundary& b : boundaries) {
    const std::string at = FormatResistance(b.lowest, 0);
    const std::string under = FormatResistance(std::nextafter(b.lowest, 0.0), 0);
    EXPECT_TRUE(at.ends_with(std::string(" ") + b.prefix + "\u2126")) << at;
    EXPECT_TRUE(under.ends_with(std::string(" ") + b.below + "\u2126")) << under;
  }
  EXPECT_EQ(FormatResistance(-0.0), "-0.00 n\u2126");
}

#ifdef __GLIBC__
// The rows were once picked by floor(log10(value)); on glibc the comparisons must pick the
// same row for every value, here many doubles on both sides of each power of ten.
TEST(FormatResistanceEdgeTest, RowsAgreeWithGlibcLogarithm) {
  const char* prefixes[] = {"n", "\u00B5", "m", "", "k", "M", "G"};
  const double exponents[] = {-6, -3, 0, 3, 6, 9};
  for (const double exponent : exponents) {
    double value = std::pow(10.0, exponent);
    for (int i = 0; i < 64; ++i) value = std::nextafter(value, 0.0);
    for (int i = 0; i < 128; ++i, value = std::nextafter(value, HUGE_VAL)) {
      const double x = std::log10(value);
      std::size_t row = 0;
      for (std::size_t k = 0; k < 6; ++k) {
        if (x >= exponents[k]) row = k + 1;
      }
      const std::string text = FormatResistance(value, 0);
      EXPECT_TRUE(text.ends_with(std::string(" ") + prefixes[row] + "\u2126"))
          << std::hexfloat << value << " gave " << text;
    }
  }
}
#endif

}  // namespace
}  // namespace ordavin
