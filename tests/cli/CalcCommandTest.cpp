#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliProcess.h"

namespace ordavin::cli::testing {
namespace {

struct Calculation {
  std::vector<std::string> args;
  std::string out;
};

TEST(CalcCommandTest, PrintsTheFactorAsTheCalculatorWritesIt) {
  const std::vector<Calculation> cases{
      {{"attenuator", "12"}, "0.25118864\n"},
      {{"attenuator", "167"}, "0.00000000\n"},
      {{"attenuator", "0"}, "1.00000000\n"},
      {{"attenuator", "300"}, "0.00000000\n"},
      {{"attenuator", "6.0205999132796"}, "0.50000000\n"},
      {{"regulator", "-5", "-1.25", "0"}, "0.25000000\n"},
      {{"regulator", "3.3", "1.25", "0"}, "0.37878788\n"},
      {{"regulator", "5", "1.25", "1"}, "0.06250000\n"},
      // Uref beyond Uout on the same side: written, and refused when a search is run.
      {{"regulator", "3.3", "5", "0"}, "1.51515152\n"},
      {{"regulator", "3.3", "0", "0"}, "0.00000000\n"},
  };
  for (const Calculation& c : cases) {
    const CliResult r = RunCli(Arguments({"calc"}, c.args));
    EXPECT_EQ(r.exitCode, 0) << c.args[1] << "\n" << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[1];
    EXPECT_EQ(r.err, "") << c.args[1];
  }
}

TEST(CalcCommandTest, InvalidVoltagesGiveTheCalculatorsMessage) {
  const std::string message = "Invalid voltages detected.\nCheck that |Ugnd| < |Uref| < |Uout|\n";
  for (const std::vector<std::string>& voltages :
       std::vector<std::vector<std::string>>{{"3.3", "-1.25", "0"},
                                             {"-3.3", "1.25", "0"},
                                             // Uout = Ugnd: no number to print.
                                             {"0", "0", "0"},
                                             {"3.3", "1.25", "3.3"},
                                             {"1", "2", "1"},
                                             {"1.7e308", "1e308", "-1.7e308"}}) {
    const CliResult r = RunCli(Arguments({"calc", "regulator"}, voltages));
    EXPECT_EQ(r.exitCode, 1) << voltages[0] << " " << voltages[1];
    EXPECT_EQ(r.err, message);
    EXPECT_EQ(r.out, "");
  }
}

TEST(CalcCommandTest, BadArgumentsAreUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string named;
  };
  const std::vector<Case> cases{
      {{"calc", "attenuator", "301"}, "DB"},
      {{"calc", "attenuator", "300.0000001"}, "DB"},
      {{"calc", "attenuator", "-0.001"}, "DB"},
      {{"calc", "attenuator", "12dB"}, "DB"},
      {{"calc", "attenuator"}, "DB"},
      {{"calc", "attenuator", "1", "2"}, "2"},
      {{"calc", "regulator", "abc", "1", "0"}, "UOUT"},
      {{"calc", "regulator", "5", "1e999", "0"}, "UREF"},
      {{"calc", "regulator", "5", "1.25", "nan"}, "UGND"},
      {{"calc", "regulator", "5", "1.25"}, "UGND"},
      {{"calc"}, "attenuator or regulator"},
      {{"calc", "divide"}, "divide"},
  };
  for (const Case& c : cases) {
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.args.back() << "\n" << r.err;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << c.args.back() << "\n" << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace ordavin::cli::testing
