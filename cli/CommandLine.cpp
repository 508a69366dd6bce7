// The whole command line of ordavin-cli: options parsed, the command run, the exit code.
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstddef>
#include <exception>
#include <string>

#include "cli/CliOptions.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/HelpTexts.h"
#include "cli/TerminalText.h"
#include "version/Version.h"

namespace ordavin::cli {
namespace {

constexpr const char* kMoreInformation = "Run with --help or --help-all for more information.";

// The parser echoes what it could not use. Its message is shown with control characters
// escaped and each line cut short, so that an argument can neither drive the terminal nor
// flood it.
std::string ParserMessage(const CLI::App* app, const CLI::Error& error) {
  constexpr std::size_t kLineLimit = 160;
  return EscapeLines(CLI::FailureMessage::simple(app, error), kLineLimit);
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

int RunCommandLine(std::vector<std::string> arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal) {
  CLI::App app{"Picks standard resistor values by exhaustive search.", "ordavin-cli"};
  // Subcommands are checked after parsing: CLI11 would report a mistyped one as missing.
  app.set_help_all_flag("--help-all", "Print the help of every command and exit");
  app.set_version_flag("--version", std::string("ordavin-cli ") + kVersion,
                       "Print the program's name and version and exit");
  app.footer(kMainFooter);
  app.failure_message(ParserMessage);

  ValuesArguments valuesArguments;
  CLI::App* values = app.add_subcommand(
      "values", "List the resistor values a series file gives, in generation order");
  AddValuesOptions(*values, valuesArguments);

  CheckArguments checkArguments;
  CLI::App* check =
      app.add_subcommand("check", "Report what the series file holds that is not read as written");
  AddCheckOptions(*check, checkArguments);

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
  calc->footer(kCalcFooter);
  AttenuatorArguments attenuatorArguments;
  CLI::App* attenuator =
      calc->add_subcommand("attenuator", "The division factor of an attenuation, 10^(-DB/20)");
  AddAttenuatorOptions(*attenuator, attenuatorArguments);
  RegulatorArguments regulatorArguments;
  CLI::App* regulator = calc->add_subcommand(
      "regulator",
      "The feedback divider of an adjustable regulator, (UREF - UGND) / (UOUT - UGND)");
  AddRegulatorOptions(*regulator, regulatorArguments);

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
    return ReportUsage(err, "A command is required: values, check, divider, target or calc.");
  }
  if (*calc && calc->get_subcommands().empty()) {
    return ReportUsage(err, "calc needs a calculator: attenuator or regulator.");
  }

  const Streams streams{out, err, errIsTerminal};
  int code = kExitSuccess;
  try {
    if (*values) {
      code = RunValuesCommand(valuesArguments, streams);
    } else if (*check) {
      code = RunCheckCommand(checkArguments, streams);
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
