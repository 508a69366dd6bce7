#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliOptions.h"

namespace ordavin::cli {
namespace {

std::string MessageOf(void (*call)()) {
  try {
    call();
  } catch (const UsageError& e) {
    return e.what();
  }
  return "no error";
}

TEST(CliOptionsTest, MessagesNameTheOptionAndTheProblem) {
  EXPECT_EQ(MessageOf([] {
              ReadNumberOption("--tolerance", "abc", {0, 5});
            }),
            "Invalid value for --tolerance: \"abc\" is not a number.");
  EXPECT_EQ(MessageOf([] {
              ReadNumberOption("--tolerance", "5.5", {0, 5});
            }),
            "Invalid value for --tolerance: \"5.5\" is outside the range 0 to 5.");
  EXPECT_EQ(MessageOf([] {
              ReadNumberOption("--source", "1e999", {0, 1e12});
            }),
            "Invalid value for --source: \"1e999\" is outside the range 0 to 1e+12.");
  EXPECT_EQ(MessageOf([] {
              ReadCountOption("--upper", "1.5", {1, 4});
            }),
            "Invalid value for --upper: \"1.5\" is not a whole number.");
  EXPECT_EQ(MessageOf([] {
              ReadCountOption("--upper", "-1", {1, 4});
            }),
            "Invalid value for --upper: \"-1\" is outside the range 1 to 4.");
  EXPECT_EQ(MessageOf([] {
              ReadWindowOption("--series-window", "5", {0, 1}, {0, 1});
            }),
            "Invalid value for --series-window: \"5\" is neither MIN:MAX nor off.");
  EXPECT_EQ(MessageOf([] {
              ReadWindowOption("--series-window", "0:x", {0, 1}, {0, 1});
            }),
            "Invalid value for --series-window: maximum \"x\" is not a number.");
  EXPECT_EQ(MessageOf([] {
              ReadWindowOption("--series-window", "2:1", {0, 1}, {0, 1});
            }),
            "Invalid value for --series-window: minimum \"2\" is outside the range 0 to 1.");
  EXPECT_EQ(MessageOf([] { ReadFiniteNumberOption("UREF", "-1e400"); }),
            "Invalid value for UREF: \"-1e400\" is too large.");
  EXPECT_EQ(MessageOf([] { MakeCheckStates("--untick", {0}, 0); }),
            "Invalid value for --untick: position 0 is outside the full set, which is empty.");
}

TEST(CliOptionsTest, NumbersFollowTheProgramsGrammar) {
  EXPECT_EQ(ReadNumberOption("--x", "4.7e3", {0, 1e4}), 4700.0);
  EXPECT_EQ(ReadNumberOption("--x", " +.5 ", {0, 1}), 0.5);
  EXPECT_EQ(ReadNumberOption("--x", "-0", {0, 1}), 0.0);
  EXPECT_EQ(ReadCountOption("--n", "+4", {1, 4}), 4u);
  EXPECT_EQ(ReadFiniteNumberOption("--v", "-1.25"), -1.25);
  for (const char* text : {"inf", "nan", "0x10", "4k7", "1,5", "", "1e"}) {
    EXPECT_THROW(ReadNumberOption("--x", text, {-1e300, 1e300}), UsageError) << text;
  }
}

TEST(CliOptionsTest, OptionsNotGivenKeepTheDefault) {
  double number = 0.5;
  ApplyNumberOption("--x", std::nullopt, {0, 1}, number);
  EXPECT_EQ(number, 0.5);
  ApplyNumberOption("--x", "0.25", {0, 1}, number);
  EXPECT_EQ(number, 0.25);
  std::uint32_t count = 2;
  ApplyCountOption("--n", std::nullopt, {1, 4}, count);
  EXPECT_EQ(count, 2u);
  ApplyCountOption("--n", "4", {1, 4}, count);
  EXPECT_EQ(count, 4u);
  EXPECT_THROW(ApplyCountOption("--n", "5", {1, 4}, count), UsageError);
  EXPECT_EQ(count, 4u);
}

TEST(CliOptionsTest, WindowsAndModes) {
  const Window off = ReadWindowOption("--w", "off", {0, 1}, {0, 1});
  EXPECT_FALSE(off.enabled);
  const Window on = ReadWindowOption("--w", " 10 : 20 ", {0, 100}, {0, 100});
  EXPECT_TRUE(on.enabled);
  EXPECT_EQ(on.min, 10.0);
  EXPECT_EQ(on.max, 20.0);
  // Minimum above maximum is the preparation's to refuse, with the page's message.
  const Window reversed = ReadWindowOption("--w", "20:10", {0, 100}, {0, 100});
  EXPECT_EQ(reversed.min, 20.0);
  EXPECT_EQ(ReadNetworkModeOption("--m", "series"), NetworkMode::Series);
  EXPECT_EQ(ReadNetworkModeOption("--m", "parallel"), NetworkMode::Parallel);
  EXPECT_EQ(ReadConnectionOption("--c", "both"), ConnectionMode::ParallelAndSeries);
  EXPECT_EQ(ReadConnectionOption("--c", "parallel"), ConnectionMode::ParallelOnly);
  EXPECT_EQ(ReadConnectionOption("--c", "series"), ConnectionMode::SeriesOnly);
}

TEST(CliOptionsTest, DivisionFactorIsReadAsThePageReadsIt) {
  EXPECT_EQ(ReadDivisionFactorOption("--f", "1.25/3.3"), 1.25 / 3.3);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "0.39"), 0.39);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "-1/-4"), 0.25);
  // Well formed but no usable factor: 0, for the preparation to refuse.
  EXPECT_EQ(ReadDivisionFactorOption("--f", "1.5"), 0.0);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "-1/4"), 0.0);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "1e999/1e999"), 0.0);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "1/4x"), 0.25);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "4k7/10"), 0.4);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "abc"), 0.0);
}

TEST(CliOptionsTest, PositionListsAndCheckStates) {
  EXPECT_EQ(ReadPositionList("--u", "3"), (std::vector<std::uint64_t>{3}));
  EXPECT_EQ(ReadPositionList("--u", "0, 2 ,0"), (std::vector<std::uint64_t>{0, 2, 0}));
  EXPECT_EQ(MakeCheckStates("--u", {0, 2, 0}, 4), (std::vector<std::int32_t>{0, 1, 0, 1}));
  EXPECT_EQ(MakeCheckStates("--u", {}, 3), (std::vector<std::int32_t>{1, 1, 1}));
  EXPECT_THROW(MakeCheckStates("--u", {3}, 3), UsageError);
}

}  // namespace
}  // namespace ordavin::cli
