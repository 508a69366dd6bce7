#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "support/ExactDoubles.h"
#include "support/Rng.h"
#include "values/NumberText.h"
#include "values/ResistanceText.h"

namespace ordavin {
namespace {

using testing::SameBits;
using testing::Show;

struct CodeCase {
  const char* text;
  const char* decimal;  // the plain number it stands for
};

class ResistanceCodeTest : public ::testing::TestWithParam<CodeCase> {};

// The same double as the plain decimal, to the last bit.
TEST_P(ResistanceCodeTest, ReadsAsItsPlainDecimal) {
  const std::optional<double> expected = ReadWholeNumber(GetParam().decimal);
  ASSERT_TRUE(expected) << GetParam().decimal;
  const std::optional<double> value = ReadResistance(GetParam().text);
  ASSERT_TRUE(value) << GetParam().text;
  EXPECT_TRUE(SameBits(*value, *expected))
      << GetParam().text << ": " << Show(*value) << " instead of " << Show(*expected);
}

INSTANTIATE_TEST_SUITE_P(
    LetterInPlaceOfThePoint, ResistanceCodeTest,
    ::testing::Values(CodeCase{"4k7", "4700"}, CodeCase{"4K7", "4700"}, CodeCase{"0R47", "0.47"},
                      CodeCase{"R47", "0.47"}, CodeCase{"4R7", "4.7"}, CodeCase{"4r7", "4.7"},
                      CodeCase{"1M5", "1500000"}, CodeCase{"1m5", "0.0015"},
                      CodeCase{"2G2", "2.2e9"}, CodeCase{"1T2", "1.2e12"}, CodeCase{"k47", "470"},
                      CodeCase{"M47", "470000"}, CodeCase{"04k70", "4700"}, CodeCase{"1k0", "1000"},
                      CodeCase{"1meg5", "1.5e6"}, CodeCase{"4n7", "4.7e-9"},
                      CodeCase{"6u8", "6.8e-6"}, CodeCase{"5p6", "5.6e-12"},
                      CodeCase{"8k06", "8060"}, CodeCase{"8G06", "8.06e9"},
                      CodeCase{"2\u00B52", "2.2e-6"}, CodeCase{"2\u03BC2", "2.2e-6"}));

INSTANTIATE_TEST_SUITE_P(
    LetterAfterTheNumber, ResistanceCodeTest,
    ::testing::Values(CodeCase{"4.7k", "4700"}, CodeCase{"470R", "470"}, CodeCase{"470r", "470"},
                      CodeCase{"10 k", "10000"}, CodeCase{"10\tK", "10000"},
                      CodeCase{"1meg", "1e6"}, CodeCase{"1MEG", "1e6"}, CodeCase{"1Meg", "1e6"},
                      CodeCase{"1M", "1e6"}, CodeCase{"1m", "0.001"}, CodeCase{"100p", "1e-10"},
                      CodeCase{"3.3n", "3.3e-9"}, CodeCase{"1u", "0.000001"},
                      CodeCase{"1\u00B5", "0.000001"}, CodeCase{"1\u03BC", "0.000001"},
                      CodeCase{".5k", "500"}, CodeCase{"5.k", "5000"}, CodeCase{"8.06k", "8060"},
                      CodeCase{"1T", "1e12"},
                      CodeCase{"12345678901234567890123k", "12345678901234567890123e3"},
                      CodeCase{"9007199254740993m", "9007199254740.993"}, CodeCase{"1e3", "1000"}));

INSTANTIATE_TEST_SUITE_P(
    SignsSpacesAndUnits, ResistanceCodeTest,
    ::testing::Values(CodeCase{" 4k7 ", "4700"}, CodeCase{"\t2k2\n", "2200"},
                      CodeCase{"+4k7", "4700"}, CodeCase{"-4k7", "-4700"},
                      CodeCase{"-R47", "-0.47"}, CodeCase{"-0k", "-0"},
                      CodeCase{"4.7 k\u2126", "4700"}, CodeCase{"4k7\u03A9", "4700"},
                      CodeCase{"4k7 \u2126", "4700"}, CodeCase{"100 ohm", "100"},
                      CodeCase{"10kohms", "10000"}, CodeCase{"1 MOhm", "1e6"},
                      CodeCase{"1mohm", "0.001"}, CodeCase{"1megOHM", "1e6"},
                      CodeCase{"1e3 \u2126", "1000"}, CodeCase{"-2.5E-1\u03A9", "-0.25"},
                      CodeCase{"k47\u2126", "470"}, CodeCase{"1e999 ohm", "1e999"},
                      CodeCase{"0.47 \u00B5\u2126", "0.47e-6"}));

TEST(ResistanceTextTest, MultiplyingWouldMissTheDecimal) {
  // What a code stands for is a decimal, not a double times a power of ten.
  EXPECT_EQ(ReadResistance("8k06"), 8060.0);
  EXPECT_NE(8.06 * 1000, 8060.0);
  EXPECT_EQ(ReadResistance("4n7"), 4.7e-9);
  EXPECT_NE(4.7 * 1e-9, 4.7e-9);
  EXPECT_EQ(ReadResistance("2G2"), 2.2e9);
  EXPECT_EQ(ReadResistance("0R47"), 0.47);
  EXPECT_EQ(ReadResistance("4.7k"), 4700.0);
}

TEST(ResistanceTextTest, RefusesWhatIsNeitherANumberNorOneCode) {
  for (const char* text :
       {"4x7", "12abc", "k", "R", "K", "meg", "4k7k", "1kk", "1Rk", "kR47", "1..2k", "", "   ",
        // One scale and one decimal marker only.
        "1e3k", "4k7e3", "1.5k7", "1.k5", ".k5", "k.47", "R4.7",
        // Spaces only between a number and a letter after it, and before the unit.
        "4 k7", "4k 7", "k 47", "1 meg5", "4 k 7", "- 4k7", "1 2k",
        // Signs as in plain numbers.
        "--4k7", "+-1k", "-+R47", "4k7-",
        // R already names the unit; one unit.
        "R47\u2126", "470Rohm", "4R7\u03A9", "1k\u2126\u2126", "1kohmohm", "1\u2126k",
        // Neither SI nor resistor-code letters.
        "1P", "1N", "1U", "1E", "1e", "1f", "1g", "1t", "1mega", "1megk", "1kilo", "1Mk",
        // Other number forms the program never takes.
        "1,5k", "4k7,0", "inf", "infk", "nank", "0x1k", "4k7/10k", "\u2126", "ohm", "\u00B5",
        "\xC2", "1\xC2", "4k\xCE"}) {
    EXPECT_FALSE(ReadResistance(text)) << text;
  }
  EXPECT_FALSE(
      ReadResistance(std::string_view("4k\0"
                                      "7",
                                      4)));
}

TEST(ResistanceTextTest, HugeAndTinyCodesSaturateAsPlainNumbers) {
  const std::string digits(400, '9');
  EXPECT_EQ(ReadResistance(digits + "k"), HUGE_VAL);
  EXPECT_EQ(ReadResistance(digits + "k" + digits), HUGE_VAL);
  EXPECT_EQ(ReadResistance("0." + std::string(400, '0') + "1p"), 0.0);
  EXPECT_EQ(ReadResistance("-" + digits + "T"), -HUGE_VAL);
}

// A random plain number: sign, digits, point, exponent, white space, in many shapes.
std::string RandomPlainNumber(testing::Rng& rng) {
  std::string text;
  const auto digits = [&](std::uint32_t most) {
    const std::uint32_t count = rng.Below(most + 1);
    for (std::uint32_t i = 0; i < count; ++i) text += static_cast<char>('0' + rng.Below(10));
  };
  if (rng.Below(4) == 0) text += rng.Below(2) == 0 ? " " : "\t";
  if (rng.Below(3) == 0) text += rng.Below(2) == 0 ? "+" : "-";
  digits(rng.Below(5) == 0 ? 30 : 6);
  if (rng.Below(2) == 0) text += '.';
  digits(rng.Below(5) == 0 ? 30 : 4);
  if (rng.Below(3) == 0) {
    text += rng.Below(2) == 0 ? 'e' : 'E';
    if (rng.Below(2) == 0) text += rng.Below(2) == 0 ? '+' : '-';
    digits(rng.Below(6) == 0 ? 5 : 3);
  }
  if (rng.Below(4) == 0) text += ' ';
  return text;
}

TEST(ResistanceTextTest, PlainNumbersReadAsTheyAlwaysDid) {
  testing::Rng rng(20240612);
  int read = 0;
  for (int i = 0; i < 200000; ++i) {
    const std::string text = RandomPlainNumber(rng);
    const std::optional<double> plain = ReadWholeNumber(text);
    if (!plain) continue;
    ++read;
    const std::optional<double> resistance = ReadResistance(text);
    ASSERT_TRUE(resistance) << "\"" << text << "\"";
    ASSERT_TRUE(SameBits(*resistance, *plain))
        << "\"" << text << "\": " << Show(*resistance) << " instead of " << Show(*plain);
  }
  // Most shapes are numbers; the check above ran on plenty of them.
  EXPECT_GT(read, 100000);
}

TEST(ResistanceTextTest, RandomCodesReadAsTheirDecimals) {
  constexpr std::pair<const char*, const char*> kLetters[] = {
      {"p", "e-12"}, {"n", "e-9"}, {"u", "e-6"},  {"m", "e-3"}, {"R", "e0"}, {"k", "e3"},
      {"K", "e3"},   {"M", "e6"},  {"meg", "e6"}, {"G", "e9"},  {"T", "e12"}};
  testing::Rng rng(4700);
  for (int i = 0; i < 20000; ++i) {
    std::string whole;
    std::string fraction;
    for (std::uint32_t n = rng.Below(rng.Below(4) == 0 ? 25 : 5); n > 0; --n) {
      whole += static_cast<char>('0' + rng.Below(10));
    }
    for (std::uint32_t n = rng.Below(rng.Below(4) == 0 ? 25 : 5); n > 0; --n) {
      fraction += static_cast<char>('0' + rng.Below(10));
    }
    if (whole.empty() && fraction.empty()) whole = "0";
    const auto& [letter, exponent] =
        kLetters[rng.Below(static_cast<std::uint32_t>(std::size(kLetters)))];
    const std::optional<double> expected = ReadWholeNumber(whole + "." + fraction + exponent);
    ASSERT_TRUE(expected);
    const std::string infix = whole + letter + fraction;
    const std::string suffix = whole + "." + fraction + letter;
    for (const std::string& text : {infix, suffix}) {
      const std::optional<double> value = ReadResistance(text);
      ASSERT_TRUE(value) << text;
      ASSERT_TRUE(SameBits(*value, *expected))
          << text << ": " << Show(*value) << " instead of " << Show(*expected);
    }
  }
}

}  // namespace
}  // namespace ordavin
