#include <optional>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/OptionNames.h"
#include "divider/DividerCalculators.h"
#include "run/FieldLimits.h"

namespace ordavin::cli {

int RunAttenuatorCommand(const AttenuatorArguments& arguments, const Streams& streams) {
  const double db = ReadNumberOption(option_names::kAttenuation, arguments.attenuationDb,
                                     divider_fields::kAttenuationRange);
  streams.out << FormatFactorText(AttenuatorFactor(db)) << '\n';
  return kExitSuccess;
}

int RunRegulatorCommand(const RegulatorArguments& arguments, const Streams& streams) {
  const double uOut = ReadFiniteNumberOption(option_names::kUOut, arguments.uOut);
  const double uRef = ReadFiniteNumberOption(option_names::kURef, arguments.uRef);
  const double uGnd = ReadFiniteNumberOption(option_names::kUGnd, arguments.uGnd);
  const std::optional<double> factor = RegulatorFactor(uOut, uRef, uGnd);
  if (!factor) {
    streams.err << kInvalidVoltagesMessage << '\n';
    return kExitRefused;
  }
  streams.out << FormatFactorText(*factor) << '\n';
  return kExitSuccess;
}

}  // namespace ordavin::cli
