#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/OptionNames.h"
#include "cli/SearchCommand.h"
#include "divider/DividerEngineFactory.h"
#include "divider/DividerRowCheck.h"
#include "run/DividerPreparation.h"
#include "run/FieldLimits.h"
#include "texts/DividerRowTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {
namespace {

namespace names = option_names;
namespace fields = divider_fields;

// A window option, when given, over the request's switch and bounds; "off" leaves the bounds
// as they are.
void ApplyWindowOption(const char* option, const std::optional<std::string>& text,
                       FieldRange minRange, FieldRange maxRange, bool& enabled, double& min,
                       double& max) {
  if (!text) return;
  const Window window = ReadWindowOption(option, *text, minRange, maxRange);
  enabled = window.enabled;
  if (window.enabled) {
    min = window.min;
    max = window.max;
  }
}

// The page's request with the given options applied over its defaults.
DividerRequest ReadRequest(const DividerArguments& a) {
  DividerRequest request;
  request.divisionFactor =
      ReadDivisionFactorOption(names::kFactor, a.factor.value_or(fields::kDivisionFactorText));
  ApplyNumberOption(names::kTolerance, a.tolerance, fields::kToleranceRange, request.tolerance);
  ApplyCountOption(names::kUpper, a.upper, fields::kNetworkCountRange, request.upperCount);
  if (a.upperMode) request.upperMode = ReadNetworkModeOption(names::kUpperMode, *a.upperMode);
  ApplyCountOption(names::kLower, a.lower, fields::kNetworkCountRange, request.lowerCount);
  if (a.lowerMode) request.lowerMode = ReadNetworkModeOption(names::kLowerMode, *a.lowerMode);
  ApplyWindowOption(names::kSeriesWindow, a.seriesWindow, fields::kSeriesMinRange,
                    fields::kSeriesMaxRange, request.seriesEnabled, request.seriesMin,
                    request.seriesMax);
  ApplyWindowOption(names::kParallelWindow, a.parallelWindow, fields::kParallelMinRange,
                    fields::kParallelMaxRange, request.parallelEnabled, request.parallelMin,
                    request.parallelMax);
  ApplyResistanceOption(names::kSource, a.source, fields::kSourceResistanceRange,
                        request.sourceResistance);
  ApplyResistanceOption(names::kLoad, a.load, fields::kLoadResistanceRange, request.loadResistance);
  ApplyCountOption(names::kMaxResults, a.maxResults, fields::kMaxResultsRange, request.maxResults);
  return request;
}

std::vector<std::string> RowTexts(std::int32_t rankIndex, const DividerMatch& match,
                                  const DividerParameters& p, const ValueSet& values) {
  const DividerRowTexts texts =
      MakeDividerRowTexts(rankIndex, match, p.upperCount, p.lowerCount, values);
  return {texts.begin(), texts.end()};
}

void AddDocumentFields(Json& document, const DividerParameters& p) {
  document["target_factor"] = p.targetFactor;
}

void AddMatchFields(Json& row, const DividerMatch& match, const std::vector<std::string>& texts,
                    const DividerParameters& p, const ValueSet& values) {
  const auto upper = match.UpperDigits(p.upperCount);
  const auto lower = match.LowerDigits(p.upperCount, p.lowerCount);
  row["upper_indices"] = PositionsJson(upper);
  row["lower_indices"] = PositionsJson(lower);
  row["upper"] = ResistorsJson(upper, values);
  row["lower"] = ResistorsJson(lower, values);
  row["upper_mode"] = NetworkModeName(match.upperMode);
  row["lower_mode"] = NetworkModeName(match.lowerMode);
  row["ru_total"] = match.ruTotal;
  row["rl_total"] = match.rlTotal;
  row["rser_total"] = match.rserTotal;
  row["rpar_total"] = match.rparTotal;
  row["division_factor"] = match.divisionFactor;
  row["error"] = match.error;
  row["ru_text"] = texts[DividerColumn::Ru];
  row["rl_text"] = texts[DividerColumn::Rl];
  row["error_text"] = texts[DividerColumn::Error];
}

}  // namespace

int RunDividerCommand(const DividerArguments& arguments, const Streams& streams) {
  const DividerRequest request = ReadRequest(arguments);
  const SearchCommandSteps<DividerEngine, DividerRequest> steps{
      .makeEngine = MakeDividerEngine,
      .prepare = PrepareDividerRun,
      .headers = ColumnHeaders(kDividerColumns),
      .rowTexts = RowTexts,
      .kind = "divider",
      .addDocumentFields = AddDocumentFields,
      .addMatchFields = AddMatchFields,
      .checkRow = CheckedDividerRow,
  };
  return RunSearchCommand(arguments, request, steps, streams);
}

}  // namespace ordavin::cli
