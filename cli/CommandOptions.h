#pragma once

#include "cli/Commands.h"

namespace CLI {
class App;
}  // namespace CLI

namespace ordavin::cli {

// Each command's options, in the order its help lists them, with their descriptions,
// defaults and the footer of the command's help. The options fill the arguments as texts.
void AddValuesOptions(CLI::App& command, ValuesArguments& arguments);
void AddCheckOptions(CLI::App& command, CheckArguments& arguments);
void AddDividerOptions(CLI::App& command, DividerArguments& arguments);
void AddTargetOptions(CLI::App& command, TargetArguments& arguments);
void AddAttenuatorOptions(CLI::App& command, AttenuatorArguments& arguments);
void AddRegulatorOptions(CLI::App& command, RegulatorArguments& arguments);

}  // namespace ordavin::cli
