#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::TempDir;

std::vector<double> Full(const ValueSet& set) {
  return {set.FullValues().begin(), set.FullValues().end()};
}
std::vector<double> Working(const ValueSet& set) {
  return {set.WorkingValues().begin(), set.WorkingValues().end()};
}

class ValueSetTest : public ::testing::Test {
 protected:
  // Loads and generates; returns the count.
  std::uint32_t Load(const std::string& content, const std::string& name = "TEST.SER") {
    EXPECT_TRUE(set.LoadSeriesFile(dir.Write(name, content)));
    return set.GenerateValues();
  }
  std::vector<double> BaseValues() const {
    return {set.Series().baseValueSlots.begin(),
            set.Series().baseValueSlots.begin() + set.Series().baseValueCount};
  }
  std::vector<double> Decades() const {
    return {set.Series().decadeSlots.begin(),
            set.Series().decadeSlots.begin() + set.Series().decadeCount};
  }

  TempDir dir;
  ValueSet set;
};

TEST_F(ValueSetTest, StartsEmptyWithWideBounds) {
  EXPECT_EQ(set.WorkingCount(), 0u);
  EXPECT_EQ(set.FullCount(), 0u);
  EXPECT_EQ(set.Series().minimum, 0.0);
  EXPECT_EQ(set.Series().maximum, 1e301);
  EXPECT_EQ(set.Series().baseValueSlots.size(), 1000u);
  EXPECT_EQ(set.Series().decadeSlots.size(), 20u);
}

TEST_F(ValueSetTest, E6ExampleGivesThirtyAscendingValues) {
  ASSERT_EQ(Load(";E6 series\nbaseval\n1.0 1.5 2.2 3.3 4.7 6.8\ndecades\n0 1 2 3 4 5\n"
                 "minimum\n10\nmaximum\n1e6\n"),
            30u);
  const std::vector<double> values = Full(set);
  EXPECT_EQ(values.front(), 10.0);
  EXPECT_EQ(values[1], 15.0);
  EXPECT_EQ(values[6], 100.0);
  EXPECT_EQ(values[8], 220.00000000000003);
  EXPECT_EQ(values.back(), std::pow(10.0, 5) * 6.8);
  EXPECT_EQ(Working(set), values);
  EXPECT_EQ(set.Series().minimum, 10.0);
  EXPECT_EQ(set.Series().maximum, 1e6);
}

TEST_F(ValueSetTest, CommentsAndSemicolons) {
  Load("  ; indented comment\nbaseval\n1.0 ;2.2\n  ;3.3\ndecades\n0\n");
  EXPECT_EQ(BaseValues(), std::vector<double>{1.0});
}

TEST_F(ValueSetTest, KeywordsAreExactAndCaseSensitive) {
  Load("Baseval\n5\nbaseval\nBaseval 7 minimum 10\n  decades  \n0\n");
  EXPECT_EQ(BaseValues(), (std::vector<double>{7, 10}));
  EXPECT_EQ(set.Series().minimum, 0.0);
  EXPECT_EQ(Full(set), (std::vector<double>{7, 10}));
}

TEST_F(ValueSetTest, ContentBeforeTheFirstKeywordIsIgnored) {
  Load("1 2 3\nbaseval\n4\ndecades\n0\n");
  EXPECT_EQ(BaseValues(), std::vector<double>{4});
}

TEST_F(ValueSetTest, SectionsAccumulateAndBoundsTakeTheLastNumber) {
  Load("baseval\n1 2 3\ndecades\n0\nbaseval\n4 5\n6 7\nminimum\n5\nabc\n8\nmaximum\n100 200\n");
  EXPECT_EQ(BaseValues(), (std::vector<double>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(set.Series().minimum, 8.0);
  EXPECT_EQ(set.Series().maximum, 100.0);
  EXPECT_EQ(Full(set), (std::vector<double>{}));  // 8..100 keeps nothing of 1..7
}

TEST_F(ValueSetTest, TokensSplitAtSpacesOnlyAndKeepPrefixes) {
  Load("baseval\n4k7 1.5k 4,7 1e3 -2 x 2.2\t3.3   9\ndecades\n0 0.5\n");
  EXPECT_EQ(BaseValues(), (std::vector<double>{4, 1.5, 4, 1000, -2, 2.2, 9}));
  EXPECT_EQ(Decades(), (std::vector<double>{0, 0.5}));
  // The negative value falls below the default minimum of 0.
  EXPECT_EQ(set.FullCount(), 12u);
  EXPECT_EQ(Full(set)[6], std::pow(10.0, 0.5) * 4);
}

TEST_F(ValueSetTest, CrLfLineEndsAndTrailingWhiteSpace) {
  Load("baseval\r\n1 2\r\ndecades \t\r\n0 1\r\n");
  EXPECT_EQ(Full(set), (std::vector<double>{1, 2, 10, 20}));
}

TEST_F(ValueSetTest, BoundsAreInclusive) {
  Load("baseval\n1 2 3\ndecades\n0\nminimum\n1\nmaximum\n3\n");
  EXPECT_EQ(Full(set), (std::vector<double>{1, 2, 3}));
  Load("baseval\n1 2 3\ndecades\n0\nminimum\n1.5\nmaximum\n2.5\n");
  EXPECT_EQ(Full(set), (std::vector<double>{2}));
}

TEST_F(ValueSetTest, EveryLoadStartsFromTheInitialBounds) {
  Load("baseval\n1\ndecades\n0 1 2 3 4\nminimum\n10\nmaximum\n1000\n");
  EXPECT_EQ(set.FullCount(), 3u);
  Load("baseval\n1 2\ndecades\n0 2 3 4\n");
  EXPECT_EQ(Full(set), (std::vector<double>{1, 2, 100, 200, 1000, 2000, 10000, 20000}));
  EXPECT_EQ(set.Series().minimum, ValueSet::kInitialMinimum);
  EXPECT_EQ(set.Series().maximum, ValueSet::kInitialMaximum);
  // A failed open resets them too: the next file must not see the old ones either.
  Load("baseval\n1\ndecades\n0\nmaximum\n0.5\n");
  EXPECT_FALSE(set.LoadSeriesFile(dir.path() / "missing.SER"));
  EXPECT_EQ(set.Series().maximum, ValueSet::kInitialMaximum);
}

TEST_F(ValueSetTest, EqualValuesStaySeparate) {
  Load("baseval\n1 10\ndecades\n0 1\n");
  EXPECT_EQ(Full(set), (std::vector<double>{1, 10, 10, 100}));
}

TEST_F(ValueSetTest, FilesWithoutValuesLoadEmpty) {
  EXPECT_EQ(Load(""), 0u);
  EXPECT_EQ(Load("baseval\n1 2 3\n"), 0u);
  EXPECT_EQ(Load("; only a comment\n"), 0u);
  EXPECT_EQ(Load("baseval 1 2\ndecades 0\n"), 0u);
}

TEST_F(ValueSetTest, ZeroBaseValuePassesTheDefaultMinimum) {
  Load("baseval\n0 1\ndecades\n0\n");
  EXPECT_EQ(Full(set), (std::vector<double>{0, 1}));
}

TEST_F(ValueSetTest, NaNAndInfinityFromOverflow) {
  // 1e308 × 10^20 overflows to infinity, above the default maximum; 0 × 10^400 is NaN,
  // which no bound lets through.
  Load("baseval\n1e308 0 5\ndecades\n20 400\n");
  EXPECT_EQ(Full(set), (std::vector<double>{0, 5e20}));
}

std::string Numbers(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + " ";
  return text;
}

TEST_F(ValueSetTest, BaseValueCapacityIsOneThousand) {
  EXPECT_EQ(Load("baseval\n" + Numbers(1000) + "\ndecades\n0\n"), 1000u);
  EXPECT_EQ(set.Series().baseValueCount, 1000u);

  const auto big = dir.Write("E99.SER", "baseval\n" + Numbers(1001) + "\ndecades\n0\n");
  try {
    set.LoadSeriesFile(big);
    FAIL() << "no capacity error";
  } catch (const SeriesFileError& e) {
    EXPECT_STREQ(e.what(), "Too many base values in E99.SER (more than 1000).");
  }
  EXPECT_EQ(set.Series().baseValueCount, 1000u);
  EXPECT_EQ(set.WorkingCount(), 0u);
  // The previous full set is still there for the list that shows it.
  EXPECT_EQ(set.FullCount(), 1000u);
  EXPECT_EQ(set.ResetWorkingSet(), 1000u);
}

TEST_F(ValueSetTest, DecadeCapacityIsTwenty) {
  EXPECT_EQ(Load("baseval\n1\ndecades\n" + Numbers(20) + "\n"), 20u);
  const auto big = dir.Write("D.SER", "decades\n" + Numbers(21) + "\nbaseval\n1\n");
  try {
    set.LoadSeriesFile(big);
    FAIL() << "no capacity error";
  } catch (const SeriesFileError& e) {
    EXPECT_STREQ(e.what(), "Too many decade exponents in D.SER (more than 20).");
  }
  EXPECT_EQ(set.Series().decadeCount, 20u);
  EXPECT_EQ(set.Series().baseValueCount, 0u);  // the load stopped before the base values
}

TEST_F(ValueSetTest, FailedOpenZeroesCountsButKeepsTheFullSet) {
  Load("baseval\n1 2\ndecades\n0\n");
  EXPECT_FALSE(set.LoadSeriesFile(dir.path() / "missing.SER"));
  EXPECT_EQ(set.WorkingCount(), 0u);
  EXPECT_EQ(set.Series().baseValueCount, 0u);
  EXPECT_EQ(set.Series().decadeCount, 0u);
  EXPECT_EQ(set.FullCount(), 2u);
}

// FIFOs, devices, links and POSIX's error texts.
#ifndef _WIN32
TEST_F(ValueSetTest, OnlyRegularFilesAreReadAndAFailureSaysWhy) {
  const auto reason = [&](const std::filesystem::path& path) {
    std::string why = "unset";
    EXPECT_FALSE(set.LoadSeriesFile(path, &why)) << path;
    return why;
  };
  EXPECT_EQ(reason(dir.path() / "missing.SER"), "No such file or directory");
  std::filesystem::create_directory(dir.path() / "X.SER");
  EXPECT_EQ(reason(dir.path() / "X.SER"), "Is a directory");
  // A FIFO must be refused without blocking on its open.
  const auto fifo = dir.path() / "F.SER";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(reason(fifo), "Not a regular file");
  EXPECT_EQ(reason("/dev/null"), "Not a regular file");
  std::filesystem::create_symlink("loop.SER", dir.path() / "loop.SER");
  EXPECT_EQ(reason(dir.path() / "loop.SER"), "Too many levels of symbolic links");
  EXPECT_EQ(reason(dir.path() / (std::string(300, 'n') + ".SER")), "File name too long");
  // A link to a regular file is fine.
  dir.Write("real.SER", "baseval\n3\ndecades\n0\n");
  std::filesystem::create_symlink("real.SER", dir.path() / "link.SER");
  EXPECT_TRUE(set.LoadSeriesFile(dir.path() / "link.SER"));
  EXPECT_EQ(set.GenerateValues(), 1u);
}
#endif

TEST_F(ValueSetTest, BinaryAndNulBytesLoadWithoutHarm) {
  using namespace std::string_literals;
  const std::string content = "baseval\n1 \0 2\n\0\xff\xfe\x01 7\ndecades\n0\n\0\0"s;
  EXPECT_TRUE(set.LoadSeriesFile(dir.Write("BIN.SER", content)));
  set.GenerateValues();
  EXPECT_EQ(Full(set), (std::vector<double>{1, 2, 7}));
}

TEST_F(ValueSetTest, NonAsciiBytesAreNeitherKeywordsNorNumbers) {
  // A UTF-8 byte order mark glues itself to the first keyword.
  EXPECT_EQ(Load("\xEF\xBB\xBF"
                 "baseval\n1 2\ndecades\n0\n"),
            0u);
  // "1,5 Ω", "4µ7" (Latin-1 micro sign), full-width digits, a lone continuation byte.
  Load(
      "baseval\n1,5\xCE\xA9 4\xB5"
      "7 \xEF\xBC\x91\xEF\xBC\x92 \x80 9\xC3\n"
      "decades\n0\n");
  EXPECT_EQ(BaseValues(), (std::vector<double>{1, 4, 9}));
  // UTF-16 text: every other byte is NUL, so no keyword is ever seen.
  using namespace std::string_literals;
  EXPECT_EQ(Load("\xFF\xFE"
                 "b\0a\0s\0e\0v\0a\0l\0\n\0"
                 "1\0\n\0"s),
            0u);
}

TEST_F(ValueSetTest, CarriageReturnAloneDoesNotEndALine) {
  // Old Macintosh line ends make the file one line, which is no keyword line.
  EXPECT_EQ(Load("baseval\r1 2\rdecades\r0\r"), 0u);
  // Inside a section that one line is split at its spaces only.
  Load("baseval\n1 2\rdecades\r0 3\ndecades\n0\n");
  EXPECT_EQ(BaseValues(), (std::vector<double>{1, 2, 3}));
}

TEST_F(ValueSetTest, LargeFilesLongLinesAndManyLines) {
  // About 50 MB: a million comment lines, then the series.
  std::string big;
  big.reserve(51'000'000);
  const std::string comment = "; " + std::string(47, 'c') + "\n";
  for (int i = 0; i < 1'000'000; ++i) big += comment;
  big += "baseval\n1 2\ndecades\n0 1\n";
  ASSERT_GE(big.size(), 50'000'000u);
  EXPECT_EQ(Load(big, "BIG.SER"), 4u);

  // One line of 10 MB: two numbers far apart, then a number of ten million digits, which
  // overflows to infinity and so lies above the default maximum.
  std::string line = "1" + std::string(10'000'000, ' ') + "2 1" + std::string(10'000'000, '0');
  EXPECT_EQ(Load("baseval\n" + line + "\ndecades\n0\n", "LONG.SER"), 2u);
  EXPECT_EQ(BaseValues(), (std::vector<double>{1, 2, std::numeric_limits<double>::infinity()}));

  // A million short lines that change nothing.
  std::string many = "baseval\n";
  for (int i = 0; i < 1'000'000; ++i) many += i % 2 == 0 ? "x\n" : "\n";
  many += "7\ndecades\n0\n";
  EXPECT_EQ(Load(many, "MANY.SER"), 1u);
}

TEST_F(ValueSetTest, ALineBeyondTheLimitEndsTheLoadWithoutTakingTheMemory) {
  Load("baseval\n1 2\ndecades\n0\n");
  // A sparse file of 1 GiB without a single line break, like a disk image renamed.
  const auto image = dir.Write("IMAGE.SER", "baseval\n");
  std::filesystem::resize_file(image, std::uintmax_t{1} << 30);
  try {
    set.LoadSeriesFile(image);
    FAIL() << "no error";
  } catch (const SeriesFileError& e) {
    EXPECT_STREQ(e.what(), "Could not read IMAGE.SER: a line is longer than 64 MiB.");
  }
  // The previous series is still there to be used.
  EXPECT_EQ(set.FullCount(), 2u);
  EXPECT_EQ(set.ResetWorkingSet(), 2u);

  // A line just at the limit is still read.
  const std::string atLimit =
      "baseval\n5" + std::string(ValueSet::kLineLengthLimit - 2, ' ') + "6\ndecades\n0";
  EXPECT_EQ(Load(atLimit, "EDGE.SER"), 2u);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ORDAVIN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ORDAVIN_SANITIZED 1
#endif
#endif

// A memory limit needs fork and setrlimit; so does trying a load as another user.
#ifndef _WIN32
TEST_F(ValueSetTest, RunningOutOfMemoryOnALongLineIsAReadError) {
#ifdef ORDAVIN_SANITIZED
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#else
  Load("baseval\n1 2\ndecades\n0\n");
  // A line under the length limit that still does not fit in the memory left.
  const auto image = dir.Write("HUGE.SER", "baseval\n");
  std::filesystem::resize_file(image, std::uintmax_t{60} << 20);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    if (pages == 0) ::_exit(3);
    const rlimit limit{static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (rlim_t{48} << 20),
                       RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
    try {
      set.LoadSeriesFile(image);
      ::_exit(1);
    } catch (const SeriesFileError& e) {
      const bool text = std::string(e.what()) == "Could not read HUGE.SER: not enough memory.";
      ::_exit(!text ? 2 : set.FullCount() == 2 && set.ResetWorkingSet() == 2 ? 0 : 4);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the load did not end normally";
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "1: loaded, 2: other message, 3: no limit set, 4: previous series lost";
#endif
}

TEST_F(ValueSetTest, AFileWithoutReadPermissionFailsToOpen) {
  const auto locked = dir.Write("LOCKED.SER", "baseval\n1 2\ndecades\n0\n");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  if (::geteuid() != 0) {
    std::string why;
    EXPECT_FALSE(set.LoadSeriesFile(locked, &why));
    EXPECT_EQ(why, "Permission denied");
    EXPECT_EQ(set.WorkingCount(), 0u);
    return;
  }
  // Root reads anything, so the load is tried as the unprivileged user "nobody".
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    ValueSet other;
    std::string why;
    if (other.LoadSeriesFile(locked, &why)) ::_exit(1);
    ::_exit(other.WorkingCount() != 0 ? 2 : why != "Permission denied" ? 4 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "1: loaded, 2: counts not zeroed, 3: no user nobody, 4: reason not given";
}
#endif

TEST_F(ValueSetTest, BoundsAtInfinityLetInfiniteAndNegativeValuesIn) {
  // Bounds read from the file may be infinite; the values then follow IEEE arithmetic.
  Load("baseval\n1e308 -5 0\ndecades\n20 0\nminimum\n-1e999\nmaximum\n1e999\n");
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Full(set), (std::vector<double>{inf, -5e20, 0, 1e308, -5, 0}));
  EXPECT_EQ(set.Series().minimum, -inf);
  EXPECT_EQ(set.Series().maximum, inf);
}

TEST_F(ValueSetTest, ApplyChecksKeepsOnlyTickedInOrder) {
  Load("baseval\n10 15 22 33\ndecades\n0\n");
  set.ResetWorkingSet();
  const std::vector<std::int32_t> states{1, 0, 1, 2};
  EXPECT_EQ(set.ApplyChecks(states), 2u);
  EXPECT_EQ(Working(set), (std::vector<double>{10, 22}));
  // A new launch starts again from the full set.
  EXPECT_EQ(set.ResetWorkingSet(), 4u);
  EXPECT_EQ(Working(set), (std::vector<double>{10, 15, 22, 33}));
}

TEST_F(ValueSetTest, RestrictToRangeKeepsOrderAndPadsWithZeros) {
  Load("baseval\n5 1 3 2 4\ndecades\n0\n");
  EXPECT_EQ(set.RestrictToRange(2, 4), 3u);
  EXPECT_EQ(Working(set), (std::vector<double>{3, 2, 4}));
  EXPECT_EQ(std::vector<double>(set.WorkingSlots().begin(), set.WorkingSlots().end()),
            (std::vector<double>{3, 2, 4, 0, 0}));
  EXPECT_EQ(set.RestrictToRange(4, 2), 0u);
}

TEST_F(ValueSetTest, LookupsAreBoundsTested) {
  Load("baseval\n1 2\ndecades\n0\n");
  EXPECT_EQ(set.WorkingValue(1), 2.0);
  EXPECT_THROW(set.WorkingValue(2), std::invalid_argument);
  EXPECT_THROW(set.FullValue(2), std::invalid_argument);
  const std::vector<std::int32_t> tooMany{1, 1, 1};
  EXPECT_THROW(set.ApplyChecks(tooMany), std::invalid_argument);
}

}  // namespace
}  // namespace ordavin
