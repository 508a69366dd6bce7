// The whole command line of ordavin-cli: options parsed, the command run, the exit code.
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "run/DividerPreparation.h"
#include "run/FieldLimits.h"
#include "run/TargetPreparation.h"
#include "values/NumberText.h"

namespace {

using namespace ordavin;
using namespace ordavin::cli;
namespace names = option_names;

constexpr const char* kMoreInformation = "Run with --help or --help-all for more information.";

constexpr const char* kMainFooter =
    R"(Numbers: an optional sign, digits with an optional decimal point and an optional
exponent, as in 4700, 4.7e3 or -1.25. Unit suffixes (4k7), commas, inf, nan and
hexadecimal are not numbers.

Exit codes: 0 the command ran (a search that found no match included); 1 the series file
could not be loaded or the search was refused, the reason on stderr; 2 bad usage or a
value outside its range.

During a search on a terminal, stderr shows how many combinations were checked. Ctrl-C
stops the search and the best matches among those checked are printed; a second Ctrl-C
ends the program at once.)";

constexpr const char* kCalcFooter =
    R"(Prints the factor with 8 decimals, as the calculator writes it into the division-factor
field, ready for divider --factor. Voltages the calculator rejects give its message on
stderr and exit code 1.)";

constexpr const char* kValuesFooter =
    R"(Text: one line per value, its 0-based position in the full set (as --untick takes it),
a tab and the value in engineering notation; then "N resistor values loaded."
JSON: {"count": N, "values": [ohms...], "texts": [text...]})";

constexpr const char* kDividerFooter =
    R"(Text: the results table, best first, then the summary (combinations checked, matching,
time taken). Stderr ends with "Optimization finished" or "Optimization aborted by user".
JSON: {"kind":"divider", "target_factor", "working_set", "visited", "matching", "seconds",
"aborted", "matches": [{"rank", "upper_indices", "lower_indices", "upper", "lower",
"upper_mode", "lower_mode", "ru_total", "rl_total", "rser_total", "rpar_total",
"division_factor", "error", "ru_text", "rl_text", "error_text"}]}. Indices are positions
in working_set. Numbers that are not finite are written as "inf", "-inf" or "nan".)";

constexpr const char* kTargetFooter =
    R"(Text: the results table, best first, then the summary (combinations checked, matching,
time taken). Stderr ends with "Optimization finished" or "Optimization aborted by user".
JSON: {"kind":"target", "working_set", "visited", "matching", "seconds", "aborted",
"matches": [{"rank", "indices", "resistors", "parallel", "total", "error",
"resistors_text", "total_text", "error_text"}]}. Indices are positions in working_set.)";

// Whole ohms as people write them: 100000 rather than 1e+05.
std::string Ohms(double value) {
  return value == std::trunc(value) && std::fabs(value) < 1e15 ? FormatFixed(value, 0)
                                                               : FormatShortest(value);
}

std::string WindowDefault(bool enabled, double min, double max) {
  return enabled ? Ohms(min) + ":" + Ohms(max) : "off";
}

// An option kept as text until the command reads it; it stays empty when not given.
CLI::Option* AddText(CLI::App& command, const char* name, std::optional<std::string>& target,
                     const std::string& description, const std::string& defaultText,
                     const char* typeName) {
  return command
      .add_option_function<std::string>(
          name, [&target](const std::string& text) { target = text; }, description)
      ->default_str(defaultText)
      ->type_name(typeName);
}

void AddSeriesOptions(CLI::App& command, std::string& seriesPath, bool& json) {
  command.add_option(names::kSeries, seriesPath, "Series file to load the resistor values from")
      ->required()
      ->type_name("PATH");
  command.add_flag(names::kJson, json, "Write the result as one JSON object");
}

void AddUntickOption(CLI::App& command, std::optional<std::string>& target) {
  AddText(command, names::kUntick, target,
          "Comma-separated 0-based positions in the full set (as `values` lists them) to leave "
          "out of the search",
          "none", "LIST");
}

void AddDividerOptions(CLI::App& command, DividerArguments& a) {
  namespace fields = divider_fields;
  const DividerRequest defaults;
  AddSeriesOptions(command, a.seriesPath, a.json);
  AddText(command, names::kFactor, a.factor,
          "Target division factor Uout/Uin: a number or a ratio a/b, greater than 0 and less "
          "than 1",
          fields::kDivisionFactorText, "TEXT");
  AddText(
      command, names::kTolerance, a.tolerance,
      "Largest relative error accepted (0.05 is 5 %), " + DescribeRange(fields::kToleranceRange),
      FormatShortest(defaults.tolerance), "X");
  AddText(command, names::kUpper, a.upper,
          "Resistors in the upper network Ru, " + DescribeRange(fields::kNetworkCountRange),
          std::to_string(defaults.upperCount), "N");
  AddText(command, names::kUpperMode, a.upperMode, "How the upper resistors are connected",
          NetworkModeName(defaults.upperMode), "parallel|series");
  AddText(command, names::kLower, a.lower,
          "Resistors in the lower network Rl, " + DescribeRange(fields::kNetworkCountRange),
          std::to_string(defaults.lowerCount), "N");
  AddText(command, names::kLowerMode, a.lowerMode, "How the lower resistors are connected",
          NetworkModeName(defaults.lowerMode), "parallel|series");
  AddText(command, names::kSeriesWindow, a.seriesWindow,
          "Window for Ru + Rl in ohms, or off; MIN " + DescribeRange(fields::kSeriesMinRange) +
              ", MAX " + DescribeRange(fields::kSeriesMaxRange),
          WindowDefault(defaults.seriesEnabled, defaults.seriesMin, defaults.seriesMax),
          "MIN:MAX|off");
  AddText(command, names::kParallelWindow, a.parallelWindow,
          "Window for Ru || Rl in ohms, or off; MIN " + DescribeRange(fields::kParallelMinRange) +
              ", MAX " + DescribeRange(fields::kParallelMaxRange),
          WindowDefault(defaults.parallelEnabled, defaults.parallelMin, defaults.parallelMax),
          "MIN:MAX|off");
  AddText(command, names::kSource, a.source,
          "Source resistance in ohms, " + DescribeRange(fields::kSourceResistanceRange),
          FormatShortest(defaults.sourceResistance), "R");
  AddText(command, names::kLoad, a.load,
          "Load resistance in ohms, 0 for no load, " + DescribeRange(fields::kLoadResistanceRange),
          FormatShortest(defaults.loadResistance), "R");
  AddText(command, names::kMaxResults, a.maxResults,
          "Best matches to keep, " + DescribeRange(fields::kMaxResultsRange),
          std::to_string(defaults.maxResults), "N");
  AddUntickOption(command, a.untick);
  command.footer(kDividerFooter);
}

void AddTargetOptions(CLI::App& command, TargetArguments& a) {
  namespace fields = target_fields;
  const TargetRequest defaults;
  AddSeriesOptions(command, a.seriesPath, a.json);
  AddText(command, names::kTarget, a.target,
          "Target resistance in ohms, " + DescribeRange(fields::kTargetResistanceRange),
          FormatShortest(defaults.targetResistance), "R");
  AddText(command, names::kTolerance, a.tolerance,
          "Relative error accepted, below this (0.005 is 0.5 %), " +
              DescribeRange(fields::kToleranceRange),
          FormatShortest(defaults.tolerance), "X");
  AddText(command, names::kCount, a.count,
          "Resistors per combination, " + DescribeRange(fields::kResistorCountRange),
          std::to_string(defaults.resistorCount), "N");
  AddText(command, names::kConnection, a.connection,
          "Try the resistors in parallel, in series or both ways", "both", "both|parallel|series");
  AddText(command, names::kMaxResults, a.maxResults,
          "Best matches to keep, " + DescribeRange(fields::kMaxResultsRange),
          std::to_string(defaults.maxResults), "N");
  AddUntickOption(command, a.untick);
  command.footer(kTargetFooter);
}

// The parser echoes what it could not use. Its message is shown with control characters
// escaped and each line cut short, so that an argument can neither drive the terminal nor
// flood it.
std::string ParserMessage(const CLI::App* app, const CLI::Error& error) {
  constexpr std::size_t kLineLimit = 160;
  static constexpr char kHex[] = "0123456789abcdef";
  const std::string text = CLI::FailureMessage::simple(app, error);
  std::string shown;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool lastLine = end == std::string::npos;
    if (lastLine) end = text.size();
    std::size_t length = end - start;
    const bool cut = length > kLineLimit;
    if (cut) {
      length = kLineLimit;
      // Never split a UTF-8 sequence.
      while (length > 0 && (static_cast<unsigned char>(text[start + length]) & 0xC0) == 0x80) {
        --length;
      }
    }
    for (std::size_t i = start; i < start + length; ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      if (byte < 0x20 || byte == 0x7F) {
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 0xF];
      } else {
        shown += static_cast<char>(byte);
      }
    }
    if (cut) shown += "...";
    if (!lastLine) shown += '\n';
    start = end + 1;
  }
  return shown;
}

int ReportUsage(std::ostream& err, const char* message) {
  err << message << '\n' << kMoreInformation << '\n';
  return kExitUsage;
}

int ReportWriteFailure(std::ostream& err) {
  err << "Could not write the output.\n";
  return kExitRefused;
}

}  // namespace

namespace ordavin::cli {

int RunCommandLine(std::vector<std::string> arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal) {
  CLI::App app{"Picks standard resistor values by exhaustive search.", "ordavin-cli"};
  // Subcommands are checked after parsing: CLI11 would report a mistyped one as missing.
  app.set_help_all_flag("--help-all", "Print the help of every command and exit");
  app.footer(kMainFooter);
  app.failure_message(ParserMessage);

  ValuesArguments valuesArguments;
  CLI::App* values = app.add_subcommand(
      "values", "List the resistor values a series file gives, in generation order");
  AddSeriesOptions(*values, valuesArguments.seriesPath, valuesArguments.json);
  values->footer(kValuesFooter);

  DividerArguments dividerArguments;
  CLI::App* divider =
      app.add_subcommand("divider", "Find upper and lower resistor networks for a voltage divider");
  AddDividerOptions(*divider, dividerArguments);

  TargetArguments targetArguments;
  CLI::App* target =
      app.add_subcommand("target", "Find resistors that together make a target resistance");
  AddTargetOptions(*target, targetArguments);

  CLI::App* calc = app.add_subcommand(
      "calc", "Compute a division factor the way the divider page's calculators do");
  AttenuatorArguments attenuatorArguments;
  CLI::App* attenuator =
      calc->add_subcommand("attenuator", "The division factor of an attenuation, 10^(-DB/20)");
  attenuator
      ->add_option(names::kAttenuation, attenuatorArguments.attenuationDb,
                   "Attenuation in dB, " + DescribeRange(divider_fields::kAttenuationRange))
      ->required()
      ->type_name("");
  RegulatorArguments regulatorArguments;
  CLI::App* regulator = calc->add_subcommand(
      "regulator",
      "The feedback divider of an adjustable regulator, (UREF - UGND) / (UOUT - UGND)");
  regulator->add_option(names::kUOut, regulatorArguments.uOut, "Output voltage")
      ->required()
      ->type_name("");
  regulator->add_option(names::kURef, regulatorArguments.uRef, "Reference voltage")
      ->required()
      ->type_name("");
  regulator->add_option(names::kUGnd, regulatorArguments.uGnd, "Ground voltage")
      ->required()
      ->type_name("");
  calc->footer(kCalcFooter);
  attenuator->footer(kCalcFooter);
  regulator->footer(kCalcFooter);

  try {
    // CLI11 takes the arguments last to first, without the program name.
    std::reverse(arguments.begin(), arguments.end());
    app.parse(arguments);
  } catch (const CLI::ParseError& e) {
    // CLI11 has exit codes of its own; ours are 0 for help and 2 for every usage error.
    const bool help = app.exit(e, out, err) == 0;
    out.flush();
    if (help && !out) return ReportWriteFailure(err);
    return help ? kExitSuccess : kExitUsage;
  }

  if (app.get_subcommands().empty()) {
    return ReportUsage(err, "A command is required: values, divider, target or calc.");
  }
  if (*calc && calc->get_subcommands().empty()) {
    return ReportUsage(err, "calc needs a calculator: attenuator or regulator.");
  }

  const Streams streams{out, err, errIsTerminal};
  int code = kExitSuccess;
  try {
    if (*values) {
      code = RunValuesCommand(valuesArguments, streams);
    } else if (*divider) {
      code = RunDividerCommand(dividerArguments, streams);
    } else if (*target) {
      code = RunTargetCommand(targetArguments, streams);
    } else if (*attenuator) {
      code = RunAttenuatorCommand(attenuatorArguments, streams);
    } else if (*regulator) {
      code = RunRegulatorCommand(regulatorArguments, streams);
    }
  } catch (const UsageError& e) {
    return ReportUsage(err, e.what());
  } catch (const std::exception& e) {
    err << "Error: " << e.what() << '\n';
    return kExitRefused;
  }
  out.flush();
  if (!out) return ReportWriteFailure(err);
  return code;
}

}  // namespace ordavin::cli
