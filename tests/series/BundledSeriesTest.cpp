// The series files shipped with the program, checked against the IEC 60063 tables kept here
// as decimal text, so a mistyped or missing value in a file shows up as a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/ValueSet.h"

namespace {

using Table = std::span<const std::string_view>;

constexpr std::array<std::string_view, 3> kE3 = {"1.0", "2.2", "4.7"};

constexpr std::array<std::string_view, 6> kE6 = {"1.0", "1.5", "2.2", "3.3", "4.7", "6.8"};

constexpr std::array<std::string_view, 12> kE12 = {"1.0", "1.2", "1.5", "1.8", "2.2", "2.7",
                                                   "3.3", "3.9", "4.7", "5.6", "6.8", "8.2"};

constexpr std::array<std::string_view, 24> kE24 = {
    "1.0", "1.1", "1.2", "1.3", "1.5", "1.6", "1.8", "2.0", "2.2", "2.4", "2.7", "3.0",
    "3.3", "3.6", "3.9", "4.3", "4.7", "5.1", "5.6", "6.2", "6.8", "7.5", "8.2", "9.1"};

constexpr std::array<std::string_view, 48> kE48 = {
    "1.00", "1.05", "1.10", "1.15", "1.21", "1.27", "1.33", "1.40", "1.47", "1.54", "1.62", "1.69",
    "1.78", "1.87", "1.96", "2.05", "2.15", "2.26", "2.37", "2.49", "2.61", "2.74", "2.87", "3.01",
    "3.16", "3.32", "3.48", "3.65", "3.83", "4.02", "4.22", "4.42", "4.64", "4.87", "5.11", "5.36",
    "5.62", "5.90", "6.19", "6.49", "6.81", "7.15", "7.50", "7.87", "8.25", "8.66", "9.09", "9.53"};

constexpr std::array<std::string_view, 96> kE96 = {
    "1.00", "1.02", "1.05", "1.07", "1.10", "1.13", "1.15", "1.18", "1.21", "1.24", "1.27", "1.30",
    "1.33", "1.37", "1.40", "1.43", "1.47", "1.50", "1.54", "1.58", "1.62", "1.65", "1.69", "1.74",
    "1.78", "1.82", "1.87", "1.91", "1.96", "2.00", "2.05", "2.10", "2.15", "2.21", "2.26", "2.32",
    "2.37", "2.43", "2.49", "2.55", "2.61", "2.67", "2.74", "2.80", "2.87", "2.94", "3.01", "3.09",
    "3.16", "3.24", "3.32", "3.40", "3.48", "3.57", "3.65", "3.74", "3.83", "3.92", "4.02", "4.12",
    "4.22", "4.32", "4.42", "4.53", "4.64", "4.75", "4.87", "4.99", "5.11", "5.23", "5.36", "5.49",
    "5.62", "5.76", "5.90", "6.04", "6.19", "6.34", "6.49", "6.65", "6.81", "6.98", "7.15", "7.32",
    "7.50", "7.68", "7.87", "8.06", "8.25", "8.45", "8.66", "8.87", "9.09", "9.31", "9.53", "9.76"};

constexpr std::array<std::string_view, 192> kE192 = {
    "1.00", "1.01", "1.02", "1.04", "1.05", "1.06", "1.07", "1.09", "1.10", "1.11", "1.13", "1.14",
    "1.15", "1.17", "1.18", "1.20", "1.21", "1.23", "1.24", "1.26", "1.27", "1.29", "1.30", "1.32",
    "1.33", "1.35", "1.37", "1.38", "1.40", "1.42", "1.43", "1.45", "1.47", "1.49", "1.50", "1.52",
    "1.54", "1.56", "1.58", "1.60", "1.62", "1.64", "1.65", "1.67", "1.69", "1.72", "1.74", "1.76",
    "1.78", "1.80", "1.82", "1.84", "1.87", "1.89", "1.91", "1.93", "1.96", "1.98", "2.00", "2.03",
    "2.05", "2.08", "2.10", "2.13", "2.15", "2.18", "2.21", "2.23", "2.26", "2.29", "2.32", "2.34",
    "2.37", "2.40", "2.43", "2.46", "2.49", "2.52", "2.55", "2.58", "2.61", "2.64", "2.67", "2.71",
    "2.74", "2.77", "2.80", "2.84", "2.87", "2.91", "2.94", "2.98", "3.01", "3.05", "3.09", "3.12",
    "3.16", "3.20", "3.24", "3.28", "3.32", "3.36", "3.40", "3.44", "3.48", "3.52", "3.57", "3.61",
    "3.65", "3.70", "3.74", "3.79", "3.83", "3.88", "3.92", "3.97", "4.02", "4.07", "4.12", "4.17",
    "4.22", "4.27", "4.32", "4.37", "4.42", "4.48", "4.53", "4.59", "4.64", "4.70", "4.75", "4.81",
    "4.87", "4.93", "4.99", "5.05", "5.11", "5.17", "5.23", "5.30", "5.36", "5.42", "5.49", "5.56",
    "5.62", "5.69", "5.76", "5.83", "5.90", "5.97", "6.04", "6.12", "6.19", "6.26", "6.34", "6.42",
    "6.49", "6.57", "6.65", "6.73", "6.81", "6.90", "6.98", "7.06", "7.15", "7.23", "7.32", "7.41",
    "7.50", "7.59", "7.68", "7.77", "7.87", "7.96", "8.06", "8.16", "8.25", "8.35", "8.45", "8.56",
    "8.66", "8.76", "8.87", "8.98", "9.09", "9.20", "9.31", "9.42", "9.53", "9.65", "9.76", "9.88"};

double Parse(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
  return value;
}

// "9.20" -> 920: the table entry in units of its last digit.
long Digits(std::string_view text) {
  std::string digits;
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
               [](char c) { return c != '.'; });
  return std::stol(digits);
}

std::vector<std::string_view> EverySecond(Table table) {
  std::vector<std::string_view> kept;
  for (std::size_t i = 0; i < table.size(); i += 2) kept.push_back(table[i]);
  return kept;
}

struct SeriesCase {
  const char* name;
  Table table;
  std::uint32_t valueCount;
  // Where the table is not 10^(i/N) rounded to its digits.
  std::vector<std::size_t> roundingExceptions;
};

std::ostream& operator<<(std::ostream& os, const SeriesCase& c) { return os << c.name; }

std::filesystem::path SeriesPath(const SeriesCase& c) {
  return std::filesystem::path(ORDAVIN_SERIES_DIR) / (std::string(c.name) + ".SER");
}

class BundledSeriesTest : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(BundledSeriesTest, FileHoldsTheTableAndSevenDecades) {
  const SeriesCase& c = GetParam();
  ordavin::ValueSet set;
  ASSERT_TRUE(set.LoadSeriesFile(SeriesPath(c)));

  ASSERT_EQ(set.Series().baseValueCount, c.table.size());
  for (std::size_t i = 0; i < c.table.size(); ++i) {
    EXPECT_EQ(set.Series().baseValueSlots[i], Parse(c.table[i])) << "base value " << i;
  }
  ASSERT_EQ(set.Series().decadeCount, 8u);
  for (std::uint32_t d = 0; d < 8; ++d)
    EXPECT_EQ(set.Series().decadeSlots[d], static_cast<double>(d));
  EXPECT_EQ(set.Series().minimum, 1.0);
  EXPECT_EQ(set.Series().maximum, 1e7);
}

TEST_P(BundledSeriesTest, GeneratesOneOhmToTenMegohmInOrder) {
  const SeriesCase& c = GetParam();
  ordavin::ValueSet set;
  ASSERT_TRUE(set.LoadSeriesFile(SeriesPath(c)));

  EXPECT_EQ(set.GenerateValues(), c.valueCount);
  const std::span<const double> all = set.FullValues();
  ASSERT_EQ(all.size(), c.valueCount);
  EXPECT_EQ(all.front(), 1.0);
  EXPECT_EQ(all.back(), 1e7);
  for (std::size_t i = 1; i < all.size(); ++i) {
    EXPECT_LT(all[i - 1], all[i]) << "at " << i;
  }
  // Seven full decades of the table, then 10 Mohm alone.
  const std::size_t n = c.table.size();
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    const double expected = std::pow(10.0, static_cast<double>(i / n)) * Parse(c.table[i % n]);
    EXPECT_EQ(all[i], expected) << "at " << i;
  }
}

// The program reads the files on any platform; keep them plain ASCII with LF line ends and a
// comment line first.
TEST_P(BundledSeriesTest, FileIsPlainAsciiWithLfLines) {
  const SeriesCase& c = GetParam();
  std::ifstream file(SeriesPath(c), std::ios::binary);
  ASSERT_TRUE(file.is_open());
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.front(), ';');
  EXPECT_EQ(bytes.back(), '\n');
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                          [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }));
}

// Guards the tables above: every entry is 10^(i/N) rounded to the table's digits except at
// the places where the standard keeps the older values.
TEST_P(BundledSeriesTest, TableDiffersFromRoundingOnlyAtKnownPlaces) {
  const SeriesCase& c = GetParam();
  const std::size_t n = c.table.size();
  const double scale = n <= 24 ? 10.0 : 100.0;
  std::vector<std::size_t> differs;
  for (std::size_t i = 0; i < n; ++i) {
    const double exact = std::pow(10.0, static_cast<double>(i) / static_cast<double>(n));
    if (std::lround(exact * scale) != Digits(c.table[i])) differs.push_back(i);
  }
  EXPECT_EQ(differs, c.roundingExceptions);
}

INSTANTIATE_TEST_SUITE_P(
    Iec60063, BundledSeriesTest,
    ::testing::Values(
        // 4.7 rather than 4.6
        SeriesCase{"E3", kE3, 22, {2}},
        // 3.3 and 4.7 rather than 3.2 and 4.6
        SeriesCase{"E6", kE6, 43, {3, 4}},
        // 2.7 3.3 3.9 4.7 8.2 rather than 2.6 3.2 3.8 4.6 8.3
        SeriesCase{"E12", kE12, 85, {5, 6, 7, 8, 11}},
        // 2.7 3.0 3.3 3.6 3.9 4.3 4.7 8.2 rather than 2.6 2.9 3.2 3.5 3.8 4.2 4.6 8.3
        SeriesCase{"E24", kE24, 169, {10, 11, 12, 13, 14, 15, 16, 22}},
        SeriesCase{"E48", kE48, 337, {}}, SeriesCase{"E96", kE96, 673, {}},
        // 9.20 rather than 9.19
        SeriesCase{"E192", kE192, 1345, {185}}),
    [](const ::testing::TestParamInfo<SeriesCase>& param) {
      return std::string(param.param.name);
    });

// Each coarser series is every second value of the next finer one.
TEST(BundledSeriesTables, CoarserSeriesAreEverySecondValueOfTheFiner) {
  const std::vector<std::string_view> e3(kE3.begin(), kE3.end());
  const std::vector<std::string_view> e6(kE6.begin(), kE6.end());
  const std::vector<std::string_view> e12(kE12.begin(), kE12.end());
  const std::vector<std::string_view> e48(kE48.begin(), kE48.end());
  const std::vector<std::string_view> e96(kE96.begin(), kE96.end());
  EXPECT_EQ(EverySecond(kE6), e3);
  EXPECT_EQ(EverySecond(kE12), e6);
  EXPECT_EQ(EverySecond(kE24), e12);
  EXPECT_EQ(EverySecond(kE96), e48);
  EXPECT_EQ(EverySecond(kE192), e96);
}

}  // namespace
