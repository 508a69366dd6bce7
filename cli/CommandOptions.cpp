#include "cli/CommandOptions.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/HelpTexts.h"
#include "cli/OptionNames.h"
#include "run/DividerRequest.h"
#include "run/FieldLimits.h"
#include "run/TargetRequest.h"
#include "values/NumberText.h"

namespace ordavin::cli {
namespace {

namespace names = option_names;

// Whole ohms as people write them: 100000 rather than 1e+05.
std::string Ohms(double value) {
  return value == std::trunc(value) && std::fabs(value) < 1e15 ? FormatFixed(value, 0)
                                                               : FormatShortest(value);
}

// An option kept as text until the command reads it; it stays empty when not given.
void AddText(CLI::App& command, const char* name, std::optional<std::string>& target,
             const std::string& description, const std::string& defaultText, const char* typeName) {
  command
      .add_option_function<std::string>(
          name, [&target](const std::string& text) { target = text; }, description)
      ->default_str(defaultText)
      ->type_name(typeName);
}

// A number option; its description ends with the range.
void AddNumber(CLI::App& command, const char* name, std::optional<std::string>& target,
               const std::string& description, FieldRange range, double defaultValue,
               const char* typeName) {
  AddText(command, name, target, description + ", " + DescribeRange(range),
          FormatShortest(defaultValue), typeName);
}

// A count option; its description ends with the range.
void AddCount(CLI::App& command, const char* name, std::optional<std::string>& target,
              const std::string& description, CountRange range, std::uint32_t defaultValue) {
  AddText(command, name, target, description + ", " + DescribeRange(range),
          std::to_string(defaultValue), "N");
}

// A resistance window over `what`, "MIN:MAX" or "off".
void AddWindow(CLI::App& command, const char* name, std::optional<std::string>& target,
               const char* what, FieldRange minRange, FieldRange maxRange, bool enabled, double min,
               double max) {
  AddText(command, name, target,
          std::string("Window for ") + what + " in ohms (as 4700 or 4k7), or off; MIN " +
              DescribeRange(minRange) + ", MAX " + DescribeRange(maxRange),
          enabled ? Ohms(min) + ":" + Ohms(max) : "off", "MIN:MAX|off");
}

// How the resistors of one network are connected.
void AddNetworkMode(CLI::App& command, const char* name, std::optional<std::string>& target,
                    const char* network, NetworkMode defaultMode) {
  AddText(command, name, target, std::string("How the ") + network + " resistors are connected",
          NetworkModeName(defaultMode), "parallel|series");
}

// A number the calculator needs, given in its place on the command line.
void AddRequiredValue(CLI::App& command, const char* name, std::string& target,
                      const std::string& description) {
  command.add_option(name, target, description)->required()->type_name("");
}

void AddSeriesOptions(CLI::App& command, std::string& seriesPath, bool& json) {
  command.add_option(names::kSeries, seriesPath, "Series file to load the resistor values from")
      ->required()
      ->type_name("PATH");
  command.add_flag(names::kJson, json, "Write the result as one JSON object");
}

// The form of a search's results; --json stays as its synonym.
void AddFormatOption(CLI::App& command, std::optional<std::string>& target) {
  AddText(command, names::kFormat, target,
          "Write the results as text (a table and the summary), json (as --json) or csv (as the "
          "window's Save as CSV..., the summary on stderr)",
          "text", "text|json|csv");
}

void AddUntickOption(CLI::App& command, std::optional<std::string>& target) {
  AddText(command, names::kUntick, target,
          "Comma-separated 0-based positions in the full set (as `values` lists them) to leave "
          "out of the search",
          "none", "LIST");
}

void AddForceOption(CLI::App& command, bool& force) {
  command.add_flag(names::kForce, force,
                   "Start the search even when it is forecast to take longer than an hour");
}

// The checks of each match an engineer makes before using it.
void AddResultCheckOptions(CLI::App& command, SearchArguments& a, const char* voltagePlace) {
  namespace fields = check_fields;
  AddText(command, names::kPartTolerance, a.partTolerance,
          "Add each match's worst case when every resistor may lie anywhere within this relative "
          "tolerance of its value (0.01 is 1 %), " +
              DescribeRange(fields::kPartToleranceRange),
          "", "X");
  AddText(command, names::kVoltage, a.voltage,
          std::string("Add each resistor's current and power at this voltage ") + voltagePlace +
              ", in volts, " + DescribeRange(fields::kVoltageRange),
          "", "U");
}

}  // namespace

void AddValuesOptions(CLI::App& command, ValuesArguments& a) {
  AddSeriesOptions(command, a.seriesPath, a.json);
  command.footer(kValuesFooter);
}

void AddCheckOptions(CLI::App& command, CheckArguments& a) {
  command.add_option(names::kSeries, a.seriesPath, "Series file to check")
      ->required()
      ->type_name("PATH");
  command.add_flag(names::kJson, a.json, "Write the report as one JSON object");
  command.footer(kCheckFooter);
}

void AddDividerOptions(CLI::App& command, DividerArguments& a) {
  namespace fields = divider_fields;
  const DividerRequest defaults;
  AddSeriesOptions(command, a.seriesPath, a.json);
  AddFormatOption(command, a.format);
  AddText(command, names::kFactor, a.factor,
          "Target division factor Uout/Uin: a number or a ratio a/b (of numbers or resistances "
          "such as 4k7/10k), greater than 0 and less than 1",
          fields::kDivisionFactorText, "TEXT");
  AddNumber(command, names::kTolerance, a.tolerance,
            "Largest relative error accepted (0.05 is 5 %)", fields::kToleranceRange,
            defaults.tolerance, "X");
  AddCount(command, names::kUpper, a.upper, "Resistors in the upper network Ru",
           fields::kNetworkCountRange, defaults.upperCount);
  AddNetworkMode(command, names::kUpperMode, a.upperMode, "upper", defaults.upperMode);
  AddCount(command, names::kLower, a.lower, "Resistors in the lower network Rl",
           fields::kNetworkCountRange, defaults.lowerCount);
  AddNetworkMode(command, names::kLowerMode, a.lowerMode, "lower", defaults.lowerMode);
  AddWindow(command, names::kSeriesWindow, a.seriesWindow, "Ru + Rl", fields::kSeriesMinRange,
            fields::kSeriesMaxRange, defaults.seriesEnabled, defaults.seriesMin,
            defaults.seriesMax);
  AddWindow(command, names::kParallelWindow, a.parallelWindow, "Ru || Rl",
            fields::kParallelMinRange, fields::kParallelMaxRange, defaults.parallelEnabled,
            defaults.parallelMin, defaults.parallelMax);
  AddNumber(command, names::kSource, a.source, "Source resistance in ohms, as 470 or 4k7",
            fields::kSourceResistanceRange, defaults.sourceResistance, "R");
  AddNumber(command, names::kLoad, a.load, "Load resistance in ohms, as 470 or 4k7, 0 for no load",
            fields::kLoadResistanceRange, defaults.loadResistance, "R");
  AddCount(command, names::kMaxResults, a.maxResults, "Best matches to keep",
           fields::kMaxResultsRange, defaults.maxResults);
  AddUntickOption(command, a.untick);
  AddForceOption(command, a.force);
  AddResultCheckOptions(command, a, "across the source and the divider");
  command.footer(std::string(kDividerFooter) + "\n\n" + kResultChecksFooter);
}

void AddTargetOptions(CLI::App& command, TargetArguments& a) {
  namespace fields = target_fields;
  const TargetRequest defaults;
  AddSeriesOptions(command, a.seriesPath, a.json);
  AddFormatOption(command, a.format);
  AddNumber(command, names::kTarget, a.target, "Target resistance in ohms, as 1234.5 or 4k7",
            fields::kTargetResistanceRange, defaults.targetResistance, "R");
  AddNumber(command, names::kTolerance, a.tolerance,
            "Relative error accepted, below this (0.005 is 0.5 %)", fields::kToleranceRange,
            defaults.tolerance, "X");
  AddCount(command, names::kCount, a.count, "Resistors per combination",
           fields::kResistorCountRange, defaults.resistorCount);
  AddText(command, names::kConnection, a.connection,
          "Try the resistors in parallel, in series, both ways or in every series-parallel "
          "network (mixed)",
          "both", "both|parallel|series|mixed");
  AddCount(command, names::kMaxResults, a.maxResults, "Best matches to keep",
           fields::kMaxResultsRange, defaults.maxResults);
  AddUntickOption(command, a.untick);
  AddForceOption(command, a.force);
  AddResultCheckOptions(command, a, "across the network");
  command.footer(std::string(kTargetFooter) + "\n\n" + kResultChecksFooter);
}

void AddAttenuatorOptions(CLI::App& command, AttenuatorArguments& a) {
  AddRequiredValue(command, names::kAttenuation, a.attenuationDb,
                   "Attenuation in dB, " + DescribeRange(divider_fields::kAttenuationRange));
  command.footer(kCalcFooter);
}

void AddRegulatorOptions(CLI::App& command, RegulatorArguments& a) {
  AddRequiredValue(command, names::kUOut, a.uOut, "Output voltage");
  AddRequiredValue(command, names::kURef, a.uRef, "Reference voltage");
  AddRequiredValue(command, names::kUGnd, a.uGnd, "Ground voltage");
  command.footer(kCalcFooter);
}

}  // namespace ordavin::cli
