#include "cli/ResultChecks.h"

#include "cli/CliOptions.h"
#include "cli/OptionNames.h"
#include "network/PowerSplit.h"
#include "run/FieldLimits.h"
#include "texts/CheckTexts.h"
#include "texts/ErrorText.h"

namespace ordavin::cli {

ResultChecks ReadResultChecks(const SearchArguments& arguments) {
  namespace names = option_names;
  namespace fields = check_fields;
  ResultChecks checks;
  if (arguments.partTolerance) {
    checks.partTolerance = ReadNumberOption(names::kPartTolerance, *arguments.partTolerance,
                                            fields::kPartToleranceRange);
  }
  if (arguments.voltage) {
    checks.voltage = ReadNumberOption(names::kVoltage, *arguments.voltage, fields::kVoltageRange);
  }
  return checks;
}

void AddResultCheckFields(Json& row, const CheckedResult& result, const ResultChecks& checks) {
  if (checks.partTolerance) {
    const WorstCase worst = WorstCaseOf(result, *checks.partTolerance);
    Json json = Json::object();
    json["part_tolerance"] = *checks.partTolerance;
    json["lowest"] = worst.band.lowest;
    json["highest"] = worst.band.highest;
    json["lowest_error"] = worst.lowestError;
    json["highest_error"] = worst.highestError;
    json["within_tolerance"] = worst.withinTolerance;
    row["worst_case"] = std::move(json);
  }
  if (checks.voltage) {
    const PowerSplit power = PowerOf(result, *checks.voltage);
    Json resistors = Json::array();
    for (std::size_t k = 0; k < power.resistors.size(); ++k) {
      const ResistorPower& r = power.resistors[k];
      Json json = Json::object();
      json["designator"] = Designator(k);
      json["ohms"] = r.ohms;
      json["current"] = r.current;
      json["power"] = r.power;
      resistors.push_back(std::move(json));
    }
    Json json = Json::object();
    json["voltage"] = *checks.voltage;
    json["total_current"] = power.totalCurrent;
    json["highest"] = power.hottest;
    json["resistors"] = std::move(resistors);
    row["power"] = std::move(json);
  }
}

std::vector<std::string> ResultCheckHeaders(const ResultChecks& checks) {
  if (!checks.partTolerance) return {};
  return {"Worst case low", "Worst case high"};
}

std::vector<std::string> ResultCheckCells(const CheckedResult& result, const ResultChecks& checks) {
  if (!checks.partTolerance) return {};
  const WorstCase worst = WorstCaseOf(result, *checks.partTolerance);
  return {FormatError(worst.lowestError), FormatError(worst.highestError)};
}

}  // namespace ordavin::cli
