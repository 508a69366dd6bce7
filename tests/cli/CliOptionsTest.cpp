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
            "Invalid value for --series-window: maximum \"x\" is not a resistance (a number, or a "
            "code such as 4k7 or 4.7k).");
  EXPECT_EQ(MessageOf([] {
              ReadResistanceOption("--source", "4x7", {0, 1e12});
            }),
            "Invalid value for --source: \"4x7\" is not a resistance (a number, or a code such as "
            "4k7 or 4.7k).");
  EXPECT_EQ(MessageOf([] {
              ReadResistanceOption("--load", "2T", {0, 1e12});
            }),
            "Invalid value for --load: \"2T\" is outside the range 0 to 1e+12.");
  EXPECT_EQ(MessageOf([] { ReadDivisionFactorOption("--factor", "1,25/3,3"); }),
            "Invalid value for --factor: \"1,25/3,3\" is neither a number nor a ratio a/b.");
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
  // Either side of a ratio may be a resistance code; "4k7/10" is no usable factor.
  EXPECT_EQ(ReadDivisionFactorOption("--f", "4k7/10k"), 0.47);
  EXPECT_EQ(ReadDivisionFactorOption("--f", " R47 / 1 "), 0.47);
  EXPECT_EQ(ReadDivisionFactorOption("--f", "4k7/10"), 470.0);
  // What the page would skip over is a typing error here.
  for (const char* text : {"1/4x", "abc", "", "/3", "1/", "1/2/3", "0.5x", "1,25/3,3", "4x7/10k",
                           "0R47", "0.5k", "1e3k/1e4"}) {
    EXPECT_THROW(ReadDivisionFactorOption("--f", text), UsageError) << text;
  }
}

TEST(CliOptionsTest, ResistancesTakeLetterCodes) {
  EXPECT_EQ(ReadResistanceOption("--r", "4k7", {0, 1e12}), 4700.0);
  EXPECT_EQ(ReadResistanceOption("--r", "0R47", {0, 1e12}), 0.47);
  EXPECT_EQ(ReadResistanceOption("--r", "1m", {0, 1e12}), 0.001);
  EXPECT_EQ(ReadResistanceOption("--r", "1M", {0, 1e12}), 1e6);
  EXPECT_EQ(ReadResistanceOption("--r", "4.7e3", {0, 1e12}), 4700.0);
  const Window window = ReadWindowOption("--w", " 4k7 : 1meg ", {0, 1e12}, {0, 1e31});
  EXPECT_EQ(window.min, 4700.0);
  EXPECT_EQ(window.max, 1e6);
  double value = 1;
  ApplyResistanceOption("--r", std::nullopt, {0, 1e12}, value);
  EXPECT_EQ(value, 1.0);
  ApplyResistanceOption("--r", "2G2", {0, 1e12}, value);
  EXPECT_EQ(value, 2.2e9);
  for (const char* text : {"4x7", "12abc", "k", "R", "4k7k", "1..2k", "", "1e3k", "-4k7"}) {
    EXPECT_THROW(ReadResistanceOption("--r", text, {0, 1e12}), UsageError) << text;
    EXPECT_THROW(ReadWindowOption("--w", std::string("1:") + text, {0, 1e12}, {0, 1e31}),
                 UsageError)
        << text;
  }
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
