#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "texts/SeriesFindingText.h"

namespace ordavin {
namespace {

using Kind = SeriesFindingKind;
using Section = SeriesSection;

SeriesFinding Finding(Kind kind, Section section, std::string text, std::string detail = {},
                      double value = 0.0, double maximum = 0.0) {
  SeriesFinding finding;
  finding.line = 3;
  finding.column = 5;
  finding.kind = kind;
  finding.section = section;
  finding.text = std::move(text);
  finding.detail = std::move(detail);
  finding.value = value;
  finding.maximum = maximum;
  return finding;
}

std::string Say(Kind kind, Section section, std::string text, std::string detail = {},
                double value = 0.0, double maximum = 0.0) {
  return DescribeSeriesFinding(
      Finding(kind, section, std::move(text), std::move(detail), value, maximum));
}

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SeriesFindingTextTest, TokensSayWhatWasRead) {
  EXPECT_EQ(Say(Kind::PartlyRead, Section::BaseValues, "4k7", "k7", 4),
            "'4k7' is read as 4 (the rest, 'k7', is ignored)");
  EXPECT_EQ(Say(Kind::PartlyRead, Section::BaseValues, "2,2", ",2", 2),
            "'2,2' is read as 2 (the rest, ',2', is ignored)");
  EXPECT_EQ(Say(Kind::PartlyRead, Section::Minimum, "1e3 ohm", " ohm", 1000),
            "'1e3 ohm' is read as 1000 (the rest, ' ohm', is ignored)");
  EXPECT_EQ(Say(Kind::TabJoined, Section::BaseValues, "2.2\t3.3", "\t3.3", 2.2),
            "'2.2\\t3.3' is read as 2.2 (the rest, '\\t3.3', is ignored): numbers are separated "
            "by spaces, not tabs");
  EXPECT_EQ(Say(Kind::SkippedToken, Section::Decades, "abc"),
            "'abc' is skipped: no number can be read from it");
  // Control characters cannot reach a terminal; other bytes stay as they are.
  EXPECT_EQ(Say(Kind::SkippedToken, Section::Decades, std::string("\x1b[2J\x7f\0\xCE\xA9", 8)),
            "'\\x1b[2J\\x7f\\x00\xCE\xA9' is skipped: no number can be read from it");
}

TEST(SeriesFindingTextTest, KeywordsSayWhyTheyAreNone) {
  EXPECT_EQ(Say(Kind::Keyword, Section::None, "Baseval", "baseval"),
            "'Baseval' is not the keyword 'baseval' (keywords are lower case); the section does "
            "not change");
  EXPECT_EQ(Say(Kind::Keyword, Section::None, "BASEVAL", "baseval"),
            "'BASEVAL' is not the keyword 'baseval' (keywords are lower case); the section does "
            "not change");
  EXPECT_EQ(Say(Kind::Keyword, Section::BaseValues, "minimum 10", "minimum"),
            "'minimum 10' is not the keyword 'minimum' (a keyword stands alone on its line); the "
            "section does not change");
  EXPECT_EQ(Say(Kind::Keyword, Section::BaseValues, "Maximum\t10", "maximum"),
            "'Maximum\\t10' is not the keyword 'maximum' (a keyword stands alone on its line); "
            "the section does not change");
  EXPECT_EQ(Say(Kind::Keyword, Section::BaseValues, "decade", "decades"),
            "'decade' is not the keyword 'decades'; the section does not change");
  EXPECT_EQ(Say(Kind::Keyword, Section::BaseValues, "basevals", "baseval"),
            "'basevals' is not the keyword 'baseval'; the section does not change");
  EXPECT_EQ(Say(Kind::ByteOrderMark, Section::None, "baseval", "baseval"),
            "a UTF-8 byte-order mark before 'baseval' hides the keyword; the section does not "
            "change");
  EXPECT_EQ(Say(Kind::ByteOrderMark, Section::None, "; E12"),
            "the file starts with a UTF-8 byte-order mark, which is read as part of the first "
            "line");
  EXPECT_EQ(Say(Kind::IgnoredLine, Section::None, "E12 series"),
            "'E12 series' is ignored: it comes before the first keyword line (comments start "
            "with ';')");
}

TEST(SeriesFindingTextTest, ValuesNameTheirRole) {
  EXPECT_EQ(Say(Kind::ZeroValue, Section::BaseValues, "0.0"),
            "base value '0.0' is zero: it gives values of 0 ohms");
  EXPECT_EQ(Say(Kind::NegativeValue, Section::BaseValues, "-2.2", "", -2.2),
            "base value '-2.2' is negative: it gives negative values");
  EXPECT_EQ(Say(Kind::NegativeValue, Section::Minimum, "-1", "", -1), "minimum '-1' is negative");
  EXPECT_EQ(Say(Kind::NegativeValue, Section::Maximum, "-1", "", -1), "maximum '-1' is negative");
  EXPECT_EQ(Say(Kind::NotFinite, Section::BaseValues, "1e999", "", kInf),
            "base value '1e999' is out of range: it is read as infinity");
  EXPECT_EQ(Say(Kind::NotFinite, Section::Decades, "-1e999", "", -kInf),
            "decade exponent '-1e999' is out of range: it is read as -infinity");
  EXPECT_EQ(Say(Kind::NotFinite, Section::Maximum, "1e400", "", kInf),
            "maximum '1e400' is out of range: it is read as infinity");
  EXPECT_EQ(Say(Kind::ExponentOutOfRange, Section::Decades, "309", "", 309),
            "decade exponent '309' is out of range: 10^309 is too large for a number");
  EXPECT_EQ(Say(Kind::ExponentOutOfRange, Section::Decades, "-3.5e2", "", -350),
            "decade exponent '-3.5e2' is out of range: 10^-350 is read as 0");
}

TEST(SeriesFindingTextTest, TheWholeFile) {
  EXPECT_EQ(Say(Kind::MinimumAboveMaximum, Section::None, "", "", 1000, 0.5),
            "the minimum, 1000, is above the maximum, 0.5: no value can lie between them");
  EXPECT_EQ(Say(Kind::NoBaseValues, Section::None, ""),
            "the file gives no values: it has no base values");
  EXPECT_EQ(Say(Kind::NoDecades, Section::None, ""),
            "the file gives no values: it has no decade exponents");
  EXPECT_EQ(Say(Kind::NoValueWithinBounds, Section::None, "", "", 10, 1e301),
            "the file gives no values: none lies between the minimum, 10, and the maximum, "
            "1e+301");
  EXPECT_EQ(Say(Kind::NotLoaded, Section::None, "No such file or directory"),
            "loading failed: No such file or directory");
  EXPECT_EQ(Say(Kind::LoadStopped, Section::BaseValues,
                "Too many base values in big.ser (more than 1000)."),
            "loading stops: Too many base values in big.ser (more than 1000).");
}

}  // namespace
}  // namespace ordavin
