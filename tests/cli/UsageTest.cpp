// Bad usage exits 2 with a message naming the option; values at the limits of their ranges
// are accepted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliProcess.h"
#include "CliSeriesFiles.h"

namespace ordavin::cli::testing {
namespace {

// Long arguments: Linux takes up to 128 KiB each, Windows 32767 characters for the whole
// command line.
#ifdef _WIN32
constexpr std::size_t kLongArgument = 10000;
constexpr std::size_t kLongerArgument = 20000;
#else
constexpr std::size_t kLongArgument = 60000;
constexpr std::size_t kLongerArgument = 100000;
#endif

class UsageTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string series = dir.Write("three.ser", SeriesText({"1000", "2200", "10000"}, {"0"}));

  std::vector<std::string> With(const char* command, const std::vector<std::string>& options) {
    return Arguments({command, "--series", series}, options);
  }

  static std::string Shown(const std::vector<std::string>& args) {
    std::string shown;
    for (const std::string& a : args) shown += a + " ";
    return shown;
  }

  void ExpectUsageError(const std::vector<std::string>& args, const std::string& named) {
    const CliResult r = RunCli(args);
    const std::string shown = Shown(args);
    EXPECT_EQ(r.exitCode, 2) << shown << "\n" << r.err;
    EXPECT_NE(r.err.find(named), std::string::npos) << shown << "\n" << r.err;
    EXPECT_EQ(r.out, "") << shown;
  }

  void ExpectAccepted(const std::vector<std::string>& args) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << Shown(args) << "\n" << r.err;
  }

  struct Bound {
    const char* option;
    const char* below;  // just outside, under the range (nullptr: nothing is below)
    const char* min;
    const char* max;
    const char* above;  // just outside, over the range
  };

  // Just outside each range is bad usage that names the option; its ends are accepted.
  void ExpectBounds(const char* command, const std::vector<Bound>& bounds) {
    for (const Bound& b : bounds) {
      ExpectUsageError(With(command, {b.option, b.below}), b.option);
      ExpectUsageError(With(command, {b.option, b.above}), b.option);
      ExpectAccepted(With(command, {b.option, b.min}));
      ExpectAccepted(With(command, {b.option, b.max}));
    }
  }
};

TEST_F(UsageTest, DividerNumbersOutsideTheirRanges) {
  const std::vector<Bound> bounds{
      {"--tolerance", "-1e-9", "0", "5", "5.000000001"},
      {"--upper", "0", "1", "4", "5"},
      {"--lower", "0", "1", "4", "5"},
      {"--source", "-1e-9", "0", "1e12", "1.000000001e12"},
      {"--load", "-1e-9", "0", "1e12", "1.000000001e12"},
      {"--max-results", "0", "1", "1000", "1001"},
  };
  ExpectBounds("divider", bounds);
}

TEST_F(UsageTest, DividerWindowsOutsideTheirRanges) {
  for (const char* option : {"--series-window", "--parallel-window"}) {
    ExpectUsageError(With("divider", {option, "-1e-9:5"}), option);
    ExpectUsageError(With("divider", {option, "0:1.000000001e31"}), option);
    ExpectAccepted(With("divider", {option, "0:0"}));
    ExpectAccepted(With("divider", {option, "0:1e31"}));
    ExpectAccepted(With("divider", {option, "off"}));
  }
  // The series minimum stops at 1e12, the parallel one at 1e31.
  ExpectUsageError(With("divider", {"--series-window", "1.000000001e12:1e31"}), "--series-window");
  ExpectAccepted(With("divider", {"--series-window", "1e12:1e31"}));
  ExpectAccepted(With("divider", {"--parallel-window", "1e31:1e31"}));
  ExpectUsageError(With("divider", {"--parallel-window", "1.000000001e31:1e31"}),
                   "--parallel-window");
}

TEST_F(UsageTest, TargetNumbersOutsideTheirRanges) {
  const std::vector<Bound> bounds{
      {"--target", "-1e-9", "0", "1e20", "1.000000001e20"},
      {"--tolerance", "-1e-9", "0", "10", "10.000000001"},
      {"--count", "1", "2", "5", "6"},
      {"--max-results", "0", "1", "1000", "1001"},
  };
  ExpectBounds("target", bounds);
}

TEST_F(UsageTest, TextsThatAreNotWhollyNumbers) {
  for (const char* text : {"abc", "1,5", "inf", "nan", "0x10", "", " ", "1e", "--1", "1 2", "1.2.3",
                           "\xCE\xA9", "4x7", "12abc"}) {
    ExpectUsageError(With("divider", {"--tolerance", text}), "--tolerance");
    ExpectUsageError(With("target", {"--target", text}), "--target");
  }
  // A letter code is a resistance, not a number of any other kind.
  ExpectUsageError(With("divider", {"--tolerance", "4k7"}), "--tolerance");
  ExpectUsageError(With("target", {"--tolerance", "5m"}), "--tolerance");
  // Counts must be whole numbers as written.
  for (const char* text : {"1.5", "2.0", "1e1", "abc", "0x2", "+", ""}) {
    ExpectUsageError(With("divider", {"--upper", text}), "--upper");
    ExpectUsageError(With("target", {"--count", text}), "--count");
  }
  // Far beyond 64 bits it is still a count out of range, not a crash.
  ExpectUsageError(With("divider", {"--max-results", "99999999999999999999999999"}),
                   "is outside the range 1 to 1000");
  // White space around a number is fine.
  ExpectAccepted(With("divider", {"--tolerance", " 0.1 ", "--upper", " 2"}));
}

TEST_F(UsageTest, SignsExponentsAndJustInsideTheLimits) {
  struct Option {
    const char* command;
    const char* option;
    std::vector<const char*> accepted;
  };
  const std::vector<Option> options{
      {"divider", "--tolerance", {"+0.05", "5e-2", "0.5E-1", "-0", "4.9999999999", "1e-300"}},
      {"divider", "--source", {"+1e3", "999999999999.99", "4.9e-324", "-0"}},
      {"divider", "--load", {"+1E+3", "999999999999.99", ".5"}},
      {"divider", "--series-window", {"+0:+1e31", "-0:9.99999999999e30", " 1e3 : 1e5 "}},
      {"divider", "--parallel-window", {"1e-300:9.99999999999e30"}},
      {"divider", "--upper", {"+2", " 3 ", "04"}},
      {"divider", "--max-results", {"+1000", "999", "0002"}},
      {"target", "--target", {"+1234.5", "1.2345e3", "99999999999999999999", "-0"}},
      {"target", "--tolerance", {"9.9999999999", "+1e-1"}},
      {"target", "--count", {"+5", "05"}},
  };
  for (const Option& o : options) {
    for (const char* text : o.accepted) ExpectAccepted(With(o.command, {o.option, text}));
  }
}

TEST_F(UsageTest, HugeTextsInEveryOption) {
  const std::string digits(kLongArgument, '9');
  const std::string junk(kLongArgument, '\x7f');
  for (const char* option :
       {"--tolerance", "--upper", "--lower", "--source", "--load", "--max-results",
        "--series-window", "--parallel-window", "--upper-mode", "--lower-mode", "--untick"}) {
    for (const std::string& text : {digits, junk, digits + ":" + digits}) {
      const CliResult r = RunCli(With("divider", {option, text}));
      EXPECT_EQ(r.exitCode, 2) << option;
      EXPECT_LT(r.err.size(), 400u) << option;
      EXPECT_EQ(r.err.find('\x7f'), std::string::npos) << option;
      EXPECT_EQ(r.out, "") << option;
    }
  }
  // A huge factor text is bad usage when one side is junk, and no usable factor otherwise.
  const CliResult factor = RunCli(With("divider", {"--factor", digits + "/" + junk}));
  EXPECT_EQ(factor.exitCode, 2);
  EXPECT_LT(factor.err.size(), 400u);
  EXPECT_EQ(factor.err.find('\x7f'), std::string::npos);
  EXPECT_EQ(factor.err.rfind("Invalid value for --factor: \"999", 0), 0u) << factor.err;
  const CliResult huge = RunCli(With("divider", {"--factor", digits + "/" + digits + "k"}));
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_EQ(huge.err, "Error: The division factor must be greater than 0 and less than 1.\n");
  // Unknown arguments the parser echoes are cut short and escaped too.
  const CliResult unknown = RunCli(With("divider", {"--" + digits + "\x1b[2J"}));
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_LT(unknown.err.size(), 400u);
  EXPECT_EQ(unknown.err.find('\x1b'), std::string::npos) << unknown.err;
  const CliResult extra = RunCli(With("values", {"\x1b]0;owned\x07"}));
  EXPECT_EQ(extra.exitCode, 2);
  EXPECT_EQ(extra.err,
            "The following argument was not expected: \\x1b]0;owned\\x07\n"
            "Run with --help or --help-all for more information.\n");
}

TEST_F(UsageTest, MalformedTextOptions) {
  // A well-formed factor that is no usable one is refused by the preparation, not as bad
  // usage; text that is neither a number nor a ratio of numbers or codes is bad usage.
  for (const char* text : {"4k7/10", "1.5", "0R47/0", "-4k7/10k"}) {
    const CliResult r = RunCli(With("divider", {"--factor", text}));
    EXPECT_EQ(r.exitCode, 1) << text;
    EXPECT_EQ(r.err, "Error: The division factor must be greater than 0 and less than 1.\n")
        << text;
  }
  for (const char* text : {"abc", "/3", "1/", "", "1/2/3", "0.5x", "1,25/3,3", "4x7/10k", "12abc/3",
                           "1/4k7k", "0R47"}) {
    ExpectUsageError(With("divider", {"--factor", text}), "Invalid value for --factor: ");
  }
  for (const char* text : {"4k7/10k", " 1k / 2k2 ", "R47/1", "1.25/3.3", "0.5"}) {
    ExpectAccepted(With("divider", {"--factor", text, "--series-window", "off"}));
  }
  for (const char* text : {"OFF", "Off", "off"}) {
    ExpectAccepted(With("divider", {"--series-window", text, "--parallel-window", text}));
  }
  for (const char* text : {"5000", "1:2:3", "a:b", ":5", "5:", "of", "offf", "on", "1000-5000"}) {
    ExpectUsageError(With("divider", {"--series-window", text}), "--series-window");
    ExpectUsageError(With("divider", {"--parallel-window", text}), "--parallel-window");
  }
  for (const char* text : {"Parallel", "both", "", "par"}) {
    ExpectUsageError(With("divider", {"--upper-mode", text}), "--upper-mode");
    ExpectUsageError(With("divider", {"--lower-mode", text}), "--lower-mode");
  }
  for (const char* text : {"Both", "serial", ""}) {
    ExpectUsageError(With("target", {"--connection", text}), "--connection");
  }
}

TEST_F(UsageTest, UntickPositionsMustBeInTheFullSet) {
  for (const char* command : {"divider", "target"}) {
    ExpectUsageError(With(command, {"--untick", "3"}), "--untick");
    ExpectUsageError(With(command, {"--untick", "0,18446744073709551615"}), "--untick");
    for (const char* text :
         {"", "1,,2", ",1", "1,", "-1", "a", "1.5", "1;2", "99999999999999999999"}) {
      ExpectUsageError(With(command, {"--untick", text}), "--untick");
    }
  }
  const CliResult r = RunCli(With("divider", {"--untick", "3"}));
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
            "Invalid value for --untick: position 3 is outside the full set (0 to 2).");
  // Repeats do no harm; the last position is inside.
  ExpectAccepted(With("divider", {"--untick", "2, 2"}));
  // "none", as the help shows the default, unticks nothing.
  for (const char* text : {"none", "None"}) {
    ExpectAccepted(With("divider", {"--untick", text}));
    ExpectAccepted(With("target", {"--untick", text}));
  }
  ExpectUsageError(With("divider", {"--untick", "none,1"}), "--untick");
}

TEST_F(UsageTest, ParserErrorsExitTwoAndHelpExitsZero) {
  ExpectUsageError(With("divider", {"--bogus"}), "--bogus");
  ExpectUsageError({"divider", "--factor", "0.5"}, "--series");
  ExpectUsageError({"target"}, "--series");
  ExpectUsageError({"values"}, "--series");
  ExpectUsageError({}, "A command is required");
  ExpectUsageError({"frobnicate"}, "frobnicate");
  ExpectUsageError(With("divider", {"--tolerance"}), "--tolerance");
  ExpectUsageError(With("divider", {"--tolerance", "0.1", "--tolerance", "0.2"}), "--tolerance");
  ExpectUsageError(With("values", {"extra"}), "extra");
  ExpectUsageError(With("target", {"--upper", "2"}), "--upper");

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"--help-all"},
                                             {"values", "--help"},
                                             {"divider", "--help"},
                                             {"target", "-h"},
                                             {"calc", "regulator", "--help"}}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << args[0];
    EXPECT_NE(r.out.find("Usage: ordavin-cli"), std::string::npos) << args[0];
  }
  const CliResult divider = RunCli({"divider", "--help"});
  for (const char* option :
       {"--series", "--json", "--factor", "--tolerance", "--upper", "--upper-mode", "--lower",
        "--lower-mode", "--series-window", "--parallel-window", "--source", "--load",
        "--max-results", "--untick"}) {
    EXPECT_NE(divider.out.find(option), std::string::npos) << option;
  }
  EXPECT_NE(divider.out.find("--series-window MIN:MAX|off=1000:100000"), std::string::npos)
      << divider.out;
  const CliResult target = RunCli({"target", "--help"});
  for (const char* option :
       {"--target R=1234.5", "--tolerance X=0.005", "--count N=2",
        "--connection both|parallel|series|mixed=both", "--max-results N=10", "--untick"}) {
    EXPECT_NE(target.out.find(option), std::string::npos) << option;
  }
}

TEST_F(UsageTest, HugeAndHostileTextsGetAShortMessage) {
  // As long as the platform lets one argument be (see kLongerArgument).
  const std::string huge(kLongerArgument, '7');
  const CliResult r = RunCli(With("divider", {"--tolerance", huge + "x"}));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_LT(r.err.size(), 300u);
  EXPECT_NE(r.err.find("--tolerance"), std::string::npos);

  // Terminal escapes are not passed through to the terminal.
  const CliResult escape = RunCli(With("divider", {"--upper-mode", "\x1b]0;owned\x07"}));
  EXPECT_EQ(escape.exitCode, 2);
  EXPECT_EQ(escape.err.find('\x1b'), std::string::npos) << escape.err;
  EXPECT_NE(escape.err.find("\\x1b]0;owned\\x07"), std::string::npos) << escape.err;

  // A very long path is a file that cannot be loaded, not a crash.
  const CliResult path = RunCli({"values", "--series", std::string(kLongerArgument, 'a')});
  EXPECT_EQ(path.exitCode, 1);
  EXPECT_EQ(path.err.rfind("Loading failed.\n'aaaa", 0), 0u) << path.err;
#ifndef _WIN32  // Windows has its own words for it
  EXPECT_NE(path.err.find("...': File name too long\n"), std::string::npos) << path.err;
#endif
  EXPECT_LT(path.err.size(), 300u);

  std::string many = "0";
  for (std::size_t i = 0; i < kLongerArgument / 2; ++i) many += ",1";
  const CliResult list = RunCli(With("target", {"--untick", many}));
  EXPECT_EQ(list.exitCode, 1);  // two values unticked, one left
  EXPECT_EQ(list.err, "Not enough resistor values available.\n> 1 required.\n");
}

}  // namespace
}  // namespace ordavin::cli::testing
