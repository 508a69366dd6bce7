#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "values/SeriesCheck.h"
#include "values/ValueSet.h"

namespace ordavin {

// Findings print as line:column kind 'text' 'detail' value, so that a failure shows them.
void PrintTo(const SeriesFinding& f, std::ostream* out) {
  *out << f.line << ':' << f.column << " kind " << static_cast<int>(f.kind) << " '" << f.text
       << "' '" << f.detail << "' " << f.value;
}

namespace {

using ::ordavin::testing::TempDir;
using Kind = SeriesFindingKind;
using Section = SeriesSection;

// The parts of a finding a case names; numbers are compared only where given.
struct Expected {
  std::size_t line;
  std::size_t column;
  Kind kind;
  std::string text;
  std::string detail = {};
  double value = 0.0;
};

class SeriesCheckTest : public ::testing::Test {
 protected:
  SeriesCheckReport Check(const std::string& content, const std::string& name = "TEST.SER") {
    return CheckSeriesFile(dir.Write(name, content));
  }

  // The findings are exactly these, in this order.
  static void ExpectFindings(const SeriesCheckReport& report,
                             const std::vector<Expected>& expected) {
    ASSERT_EQ(report.findings.size(), expected.size()) << ::testing::PrintToString(report.findings);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const SeriesFinding& f = report.findings[i];
      const Expected& e = expected[i];
      SCOPED_TRACE(::testing::PrintToString(f));
      EXPECT_EQ(f.line, e.line);
      EXPECT_EQ(f.column, e.column);
      EXPECT_EQ(f.kind, e.kind);
      EXPECT_EQ(f.text, e.text);
      EXPECT_EQ(f.detail, e.detail);
      if (!std::isnan(e.value)) {
        EXPECT_EQ(f.value, e.value);
      }
    }
  }

  // Loads the content as the program does; the count of values it gives.
  std::uint32_t ProgramCount(const std::string& content) {
    ValueSet set;
    EXPECT_TRUE(set.LoadSeriesFile(dir.Write("PROGRAM.SER", content)));
    return set.GenerateValues();
  }

  TempDir dir;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST_F(SeriesCheckTest, EveryBundledSeriesIsCleanAndCountsAsLoaded) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ORDAVIN_SERIES_DIR)) {
    if (entry.path().extension() != ".SER") continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    const SeriesCheckReport report = CheckSeriesFile(entry.path());
    EXPECT_TRUE(report.Clean()) << ::testing::PrintToString(report.findings);
    ValueSet set;
    ASSERT_TRUE(set.LoadSeriesFile(entry.path()));
    EXPECT_EQ(report.valueCount, set.GenerateValues());
    EXPECT_GT(report.valueCount, 0u);
  }
  EXPECT_EQ(files, 7);
}

TEST_F(SeriesCheckTest, TokensSkippedReadInPartOrJoinedByATab) {
  const std::string content =
      "baseval\n"
      "1.0 4k7 2,2 1\t2 abc ;2.2 1\tabc 1e3 +.5 5.\n"
      "decades\n"
      "0 1x\n"
      "minimum\n"
      "10 20\n"
      "maximum\n"
      "1e6\t2e6\n";
  const SeriesCheckReport report = Check(content);
  ExpectFindings(report, {
                             {2, 5, Kind::PartlyRead, "4k7", "k7", 4},
                             {2, 9, Kind::PartlyRead, "2,2", ",2", 2},
                             {2, 13, Kind::TabJoined, "1\t2", "\t2", 1},
                             {2, 17, Kind::SkippedToken, "abc"},
                             {2, 21, Kind::SkippedToken, ";2.2"},
                             {2, 26, Kind::PartlyRead, "1\tabc", "\tabc", 1},
                             {4, 3, Kind::PartlyRead, "1x", "x", 1},
                             {6, 1, Kind::PartlyRead, "10 20", " 20", 10},
                             {8, 1, Kind::TabJoined, "1e6\t2e6", "\t2e6", 1e6},
                         });
  EXPECT_TRUE(report.loaded);
  EXPECT_EQ(report.valueCount, ProgramCount(content));
  EXPECT_EQ(report.valueCount, 8u);
}

TEST_F(SeriesCheckTest, WhiteSpaceAndLineEndsLoseNothing) {
  // Tabs around tokens, a CR LF line end, blank lines, indented comments and keywords.
  const SeriesCheckReport report = Check(
      "; E3\r\n\r\n  baseval  \r\n\t1.0 \t 2.2\t \t4.7\r\n   ; 3.3\r\n"
      "decades\r\n0 1 -1 0.5\r\nminimum\r\n0\r\n");
  EXPECT_TRUE(report.Clean()) << ::testing::PrintToString(report.findings);
  EXPECT_EQ(report.valueCount, 12u);
}

TEST_F(SeriesCheckTest, LinesThatLookLikeKeywords) {
  const SeriesCheckReport report = Check(
      "\xEF\xBB\xBF"
      "baseval\n"
      "Baseval\n"
      "baseval\n"
      "1 BASEVAL\n"
      "basevals\n"
      "  decade  \n"
      "Decades 2\n"
      "minimun\n"
      "mimimum\n"
      "maximum 1e6\n"
      "maxiumu\n"
      "decades\n"
      "0\n"
      "base\n"
      "values\n");
  ExpectFindings(report, {
                             {1, 1, Kind::ByteOrderMark, "baseval", "baseval"},
                             {2, 1, Kind::Keyword, "Baseval", "baseval"},
                             {4, 3, Kind::SkippedToken, "BASEVAL"},
                             {5, 1, Kind::Keyword, "basevals", "baseval"},
                             {6, 3, Kind::Keyword, "decade", "decades"},
                             {7, 1, Kind::Keyword, "Decades 2", "decades"},
                             {8, 1, Kind::Keyword, "minimun", "minimum"},
                             {9, 1, Kind::Keyword, "mimimum", "minimum"},
                             {10, 1, Kind::Keyword, "maximum 1e6", "maximum"},
                             {11, 1, Kind::Keyword, "maxiumu", "maximum"},
                             {14, 1, Kind::SkippedToken, "base"},
                             {15, 1, Kind::SkippedToken, "values"},
                         });
  // "Decades 0" and "maximum 1e6" are base-value lines: their numbers are base values.
  EXPECT_EQ(report.valueCount, 3u);
  EXPECT_EQ(report.valueCount, ProgramCount("baseval\n1\n2\n1e6\ndecades\n0\n"));
}

TEST_F(SeriesCheckTest, AByteOrderMarkIsReportedWhateverFollowsIt) {
  ExpectFindings(Check("\xEF\xBB\xBF; E3\nbaseval\n1\ndecades\n0\n"),
                 {{1, 1, Kind::ByteOrderMark, "; E3"}});
  ExpectFindings(
      Check("\xEF\xBB\xBF  Baseval\nbaseval\n1\ndecades\n0\n"),
      {{1, 1, Kind::ByteOrderMark, "Baseval"}, {1, 6, Kind::Keyword, "Baseval", "baseval"}});
  ExpectFindings(Check("\xEF\xBB\xBF"
                       "1 2\nbaseval\n1\ndecades\n0\n"),
                 {{1, 1, Kind::ByteOrderMark, "1 2"}, {1, 4, Kind::IgnoredLine, "1 2"}});
  // Only at the start of the file.
  ExpectFindings(Check("baseval\n1\ndecades\n0\n\xEF\xBB\xBF"
                       "0\n"),
                 {{5, 1, Kind::SkippedToken,
                   "\xEF\xBB\xBF"
                   "0"}});
}

TEST_F(SeriesCheckTest, ContentBeforeTheFirstKeywordIsIgnored) {
  ExpectFindings(Check("E12 series\n1.0 1.2\n; a comment\nbaseval\n1\ndecades\n0\n"),
                 {{1, 1, Kind::IgnoredLine, "E12 series"}, {2, 1, Kind::IgnoredLine, "1.0 1.2"}});
}

TEST_F(SeriesCheckTest, ValuesThatGiveNoMeaningfulResistances) {
  const std::string content =
      "baseval\n"
      "1 0 -0 -2.2 1e999 -1e999 1e-999 -1k\n"
      "decades\n"
      "0 -1 0.5 308 309 -323 -324 1e999 -1e999\n"
      "minimum\n"
      "0\n"
      "-1\n"
      "maximum\n"
      "-1e999\n"
      "1e999\n";
  const SeriesCheckReport report = Check(content);
  ExpectFindings(report, {
                             {2, 3, Kind::ZeroValue, "0", "", 0},
                             {2, 5, Kind::ZeroValue, "-0", "", 0},
                             {2, 8, Kind::NegativeValue, "-2.2", "", -2.2},
                             {2, 13, Kind::NotFinite, "1e999", "", kInf},
                             {2, 19, Kind::NotFinite, "-1e999", "", -kInf},
                             {2, 26, Kind::ZeroValue, "1e-999", "", 0},
                             {2, 33, Kind::PartlyRead, "-1k", "k", -1},
                             {2, 33, Kind::NegativeValue, "-1", "", -1},
                             {4, 14, Kind::ExponentOutOfRange, "309", "", 309},
                             {4, 23, Kind::ExponentOutOfRange, "-324", "", -324},
                             {4, 28, Kind::NotFinite, "1e999", "", kInf},
                             {4, 34, Kind::NotFinite, "-1e999", "", -kInf},
                             {7, 1, Kind::NegativeValue, "-1", "", -1},
                             {9, 1, Kind::NotFinite, "-1e999", "", -kInf},
                             {10, 1, Kind::NotFinite, "1e999", "", kInf},
                         });
  EXPECT_EQ(report.findings[6].section, Section::BaseValues);
  EXPECT_EQ(report.findings[8].section, Section::Decades);
  EXPECT_EQ(report.findings[12].section, Section::Minimum);
  EXPECT_EQ(report.findings[14].section, Section::Maximum);
  EXPECT_EQ(report.valueCount, ProgramCount(content));
}

TEST_F(SeriesCheckTest, AMinimumAboveTheMaximumIsPlacedAtTheLaterBound) {
  ExpectFindings(Check("minimum\n10\nbaseval\n1 2\ndecades\n0 1\nmaximum\n5\n"),
                 {{8, 1, Kind::MinimumAboveMaximum, "", "", 10},
                  {0, 0, Kind::NoValueWithinBounds, "", "", 10}});
  const SeriesCheckReport reversed =
      Check("maximum\n5\nbaseval\n1 2\ndecades\n0 1\nminimum\n 10\n");
  ExpectFindings(reversed, {{8, 2, Kind::MinimumAboveMaximum, "", "", 10},
                            {0, 0, Kind::NoValueWithinBounds, "", "", 10}});
  EXPECT_EQ(reversed.findings[0].maximum, 5.0);
  EXPECT_EQ(reversed.findings[1].maximum, 5.0);
  // Against the initial maximum of 1e301.
  const SeriesCheckReport initial = Check("baseval\n1\ndecades\n0\nminimum\n1e302\n");
  ExpectFindings(initial, {{6, 1, Kind::MinimumAboveMaximum, "", "", 1e302},
                           {0, 0, Kind::NoValueWithinBounds, "", "", 1e302}});
  EXPECT_EQ(initial.findings[0].maximum, 1e301);
  // Equal bounds keep the value on them.
  EXPECT_TRUE(Check("baseval\n1\ndecades\n1\nminimum\n10\nmaximum\n10\n").Clean());
}

TEST_F(SeriesCheckTest, FilesThatGiveNoValuesSayWhy) {
  const SeriesCheckReport empty = Check("");
  EXPECT_TRUE(empty.loaded);
  ExpectFindings(empty, {{0, 0, Kind::NoBaseValues, ""}, {0, 0, Kind::NoDecades, ""}});
  ExpectFindings(Check("; nothing\ndecades\n0 1\n"), {{0, 0, Kind::NoBaseValues, ""}});
  ExpectFindings(Check("baseval\n1 2\n"), {{0, 0, Kind::NoDecades, ""}});
  const SeriesCheckReport outside = Check("baseval\n1 2\ndecades\n0\nminimum\n3\n");
  ExpectFindings(outside, {{0, 0, Kind::NoValueWithinBounds, "", "", 3}});
  EXPECT_EQ(outside.findings[0].maximum, 1e301);
  EXPECT_EQ(outside.valueCount, 0u);
}

TEST_F(SeriesCheckTest, FilesThatCannotBeOpenedAreNotLoaded) {
  const SeriesCheckReport missing = CheckSeriesFile(dir.path() / "absent.ser");
  EXPECT_FALSE(missing.loaded);
  EXPECT_FALSE(missing.Clean());
  ExpectFindings(missing, {{0, 0, Kind::NotLoaded, "No such file or directory"}});
  ExpectFindings(CheckSeriesFile(dir.path()), {{0, 0, Kind::NotLoaded, "Is a directory"}});
}

TEST_F(SeriesCheckTest, CapacityErrorsStopAtTheTokenBeyondIt) {
  std::string bases = "baseval\nx\n";
  for (int i = 0; i < 1001; ++i) bases += "1 ";
  const SeriesCheckReport tooMany = Check(bases + "\ndecades\n0\n", "big.ser");
  EXPECT_FALSE(tooMany.loaded);
  EXPECT_EQ(tooMany.valueCount, 0u);
  ExpectFindings(
      tooMany, {{2, 1, Kind::SkippedToken, "x"},
                {3, 2001, Kind::LoadStopped, "Too many base values in big.ser (more than 1000)."}});

  const SeriesCheckReport decades =
      Check("baseval\n1\ndecades\n0 1 2 3 4 5 6 7 8 9\n10 11 12 13 14 15 16 17 18 19 20 -1k\n",
            "decades.ser");
  ExpectFindings(decades, {{5, 31, Kind::LoadStopped,
                            "Too many decade exponents in decades.ser (more than 20)."}});
}

TEST_F(SeriesCheckTest, ALineBeyondTheLimitStopsTheLoadOnThatLine) {
  // A sparse file of 1 GiB whose second line never ends.
  const auto image = dir.Write("IMAGE.SER", "baseval\n");
  std::filesystem::resize_file(image, std::uintmax_t{1} << 30);
  const SeriesCheckReport report = CheckSeriesFile(image);
  EXPECT_FALSE(report.loaded);
  ExpectFindings(report, {{2, SeriesReader::kLineLengthLimit + 1, Kind::LoadStopped,
                           "Could not read IMAGE.SER: a line is longer than 64 MiB."}});
}

TEST_F(SeriesCheckTest, LongTextsAreCutAndFindingsLimited) {
  const std::string longToken = "x" + std::string(100, '7');
  // 59 bytes, then a two-byte sequence that would straddle the limit of 60.
  const std::string utf8Token = std::string(59, 'y') + "\xC3\xA9" + "zz";
  std::string content = "baseval\n" + longToken + " " + utf8Token + "\n";
  for (int i = 0; i < 1200; ++i) content += "q ";
  content += "\n";
  const SeriesCheckReport report = Check(content);
  ASSERT_EQ(report.findings.size(), SeriesCheckReport::kFindingLimit + 2);
  EXPECT_EQ(report.omitted, 1200u + 2 - SeriesCheckReport::kFindingLimit);
  EXPECT_EQ(report.findings[0].text, std::string(1, 'x') + std::string(59, '7') + "...");
  EXPECT_EQ(report.findings[1].text, std::string(59, 'y') + "...");
  EXPECT_EQ(report.findings[999].column, 2u * 997 + 1);
  // What keeps the file from giving values is never among those left out.
  EXPECT_EQ(report.findings[1000].kind, Kind::NoBaseValues);
  EXPECT_EQ(report.findings[1001].kind, Kind::NoDecades);
  EXPECT_FALSE(report.Clean());
}

}  // namespace
}  // namespace ordavin
