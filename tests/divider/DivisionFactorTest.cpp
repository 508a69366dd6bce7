#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "divider/DivisionFactor.h"
#include "support/ExactDoubles.h"
#include "support/Rng.h"
#include "values/NumberText.h"

namespace ordavin {
namespace {

struct FactorCase {
  const char* text;
  double factor;
};

class ParseDivisionFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(ParseDivisionFactorTest, Parses) {
  EXPECT_EQ(ParseDivisionFactor(GetParam().text), GetParam().factor) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDivisionFactorTest,
    ::testing::Values(FactorCase{"1.25/3.3", 1.25 / 3.3}, FactorCase{"0.5", 0.5},
                      FactorCase{"1", 0}, FactorCase{"0", 0}, FactorCase{"1e-3", 0.001},
                      FactorCase{"0.5abc", 0.5}, FactorCase{"abc", 0}, FactorCase{"", 0},
                      FactorCase{"1/3", 1.0 / 3}, FactorCase{"3.3/1.25", 3.3 / 1.25},
                      FactorCase{"-1/2", 0}, FactorCase{"-1.25/-3.3", 1.25 / 3.3},
                      FactorCase{"1/0", 0}, FactorCase{"0/1", 0}, FactorCase{"/2", 0},
                      FactorCase{"2/", 0}, FactorCase{"1/2/3", 0.5},
                      FactorCase{" 1.25 / 3.3", 1.25 / 3.3}, FactorCase{"0,5", 0},
                      FactorCase{"1,25/3,3", 1.0 / 3}, FactorCase{"-0.5", 0},
                      FactorCase{"1e999/1e999", 0}, FactorCase{"1e-300/1e300", 0},
                      FactorCase{"1/1e999", 0}, FactorCase{"inf", 0}, FactorCase{"nan", 0},
                      FactorCase{"0.25118864", 0.25118864}));

// Either side of a ratio may be a resistance code; a lone factor stays a plain number, and
// a side that is no code is read as before, by its number prefix.
INSTANTIATE_TEST_SUITE_P(
    Codes, ParseDivisionFactorTest,
    ::testing::Values(FactorCase{"4k7/10k", 0.47}, FactorCase{"4K7/10K", 0.47},
                      FactorCase{" 4k7 / 10 k ", 0.47}, FactorCase{"R47/1", 0.47},
                      FactorCase{"0R47/1R", 0.47}, FactorCase{"1k/2k2", 1000.0 / 2200},
                      FactorCase{"1meg/2M", 0.5}, FactorCase{"470m/1", 0.47},
                      FactorCase{"1.25k/3.3k", 1.25 / 3.3}, FactorCase{"-4k7/-10k", 0.47},
                      FactorCase{"4k7/-10k", 0}, FactorCase{"4k7/0k", 0}, FactorCase{"4k7/10", 470},
                      FactorCase{"10k/4k7", 10000.0 / 4700},
                      FactorCase{"4k7\u2126/10 k\u2126", 0.47}, FactorCase{"4x7/10", 0.4},
                      FactorCase{"4k7k/10k", 4 / 10000.0}, FactorCase{"1e3k/1e4", 0.1},
                      FactorCase{"0.5k", 0.5}, FactorCase{"R47", 0}, FactorCase{"k/1", 0}));

// The old reading: number prefixes on both sides.
double PrefixFactor(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos || slash == 0) {
    const double value = ReadNumberPrefix(text).value;
    return value > 0 && value < 1 ? value : 0.0;
  }
  const double numerator = ReadNumberPrefix(text.substr(0, slash)).value;
  const double denominator = ReadNumberPrefix(text.substr(slash + 1)).value;
  if (!(numerator * denominator > 0)) return 0.0;
  const double quotient = numerator / denominator;
  return std::isfinite(quotient) ? quotient : 0.0;
}

TEST(DivisionFactorTest, TextsWithoutCodesReadAsTheyAlwaysDid) {
  // No letter here can make a code, so every text must give the old factor to the bit.
  static constexpr std::array<char, 17> kAlphabet{'0', '1', '2', '5', '9', '.', '.', 'e', 'E',
                                                  '+', '-', ' ', '/', '/', ',', 'x', '\t'};
  testing::Rng rng(33);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (std::uint32_t n = 1 + rng.Below(12); n > 0; --n) text += rng.Pick(kAlphabet);
    const double factor = ParseDivisionFactor(text);
    ASSERT_TRUE(testing::SameBits(factor, PrefixFactor(text)))
        << "\"" << text << "\": " << testing::Show(factor);
    const std::optional<double> whole = ReadWholeDivisionFactor(text);
    if (whole) {
      ASSERT_TRUE(testing::SameBits(*whole, factor)) << "\"" << text << "\"";
    }
  }
}

TEST(DivisionFactorTest, AWholeFactorIsANumberOrARatioOfNumbersOrCodes) {
  for (const char* text :
       {"abc", "", " ", "/3", "1/", "/", "1/2/3", "0.5x", "0.5 x", "1,25/3,3", "4x7/10k", "4k7/10x",
        "R47", "0.5k", "470m", "1e3k/1", "4k7//10k", "1/2 3", "1 2"}) {
    EXPECT_FALSE(ReadWholeDivisionFactor(text)) << text;
  }
  // Whole texts give what the page reads, refusals included.
  EXPECT_EQ(ReadWholeDivisionFactor("0.5"), 0.5);
  EXPECT_EQ(ReadWholeDivisionFactor(" 1.25 / 3.3 "), 1.25 / 3.3);
  EXPECT_EQ(ReadWholeDivisionFactor("4k7/10k"), 0.47);
  EXPECT_EQ(ReadWholeDivisionFactor("1"), 0.0);
  EXPECT_EQ(ReadWholeDivisionFactor("-0.5"), 0.0);
  EXPECT_EQ(ReadWholeDivisionFactor("1e999/1e999"), 0.0);
  EXPECT_EQ(ReadWholeDivisionFactor("3.3/1.25"), 3.3 / 1.25);
}

}  // namespace
}  // namespace ordavin
