#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/OptionNames.h"
#include "cli/SearchCommand.h"
#include "run/FieldLimits.h"
#include "run/TargetPreparation.h"
#include "target/TargetEngineFactory.h"
#include "target/TargetRowCheck.h"
#include "texts/TargetRowTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {
namespace {

namespace names = option_names;
namespace fields = target_fields;

// The page's request with the given options applied over its defaults.
TargetRequest ReadRequest(const TargetArguments& a) {
  TargetRequest request;
  ApplyResistanceOption(names::kTarget, a.target, fields::kTargetResistanceRange,
                        request.targetResistance);
  ApplyNumberOption(names::kTolerance, a.tolerance, fields::kToleranceRange, request.tolerance);
  ApplyCountOption(names::kCount, a.count, fields::kResistorCountRange, request.resistorCount);
  if (a.connection) {
    request.connectionMode = ReadConnectionOption(names::kConnection, *a.connection);
  }
  ApplyCountOption(names::kMaxResults, a.maxResults, fields::kMaxResultsRange, request.maxResults);
  return request;
}

std::vector<std::string> RowTexts(std::int32_t rankIndex, const TargetMatch& match,
                                  const TargetParameters& p, const ValueSet& values) {
  const TargetRowTexts texts = MakeTargetRowTexts(rankIndex, match, p.resistorCount, values);
  return {texts.begin(), texts.end()};
}

void AddMatchFields(Json& row, const TargetMatch& match, const std::vector<std::string>& texts,
                    const TargetParameters& p, const ValueSet& values) {
  const auto positions = match.Positions(p.resistorCount);
  row["indices"] = PositionsJson(positions);
  row["resistors"] = ResistorsJson(positions, values);
  row["parallel"] = match.isParallel;
  row["total"] = match.total;
  row["error"] = match.error;
  row["resistors_text"] = texts[TargetColumn::Resistors];
  row["total_text"] = texts[TargetColumn::RTotal];
  row["error_text"] = texts[TargetColumn::Error];
}

}  // namespace

int RunTargetCommand(const TargetArguments& arguments, const Streams& streams) {
  const TargetRequest request = ReadRequest(arguments);
  const SearchCommandSteps<TargetEngine, TargetRequest> steps{
      .makeEngine = MakeTargetEngine,
      .prepare = PrepareTargetRun,
      .headers = ColumnHeaders(kTargetColumns),
      .rowTexts = RowTexts,
      .kind = "target",
      .addDocumentFields = {},  // the target document has no fields of its own
      .addMatchFields = AddMatchFields,
      .checkRow = CheckedTargetRow,
  };
  return RunSearchCommand(arguments, request, steps, streams);
}

}  // namespace ordavin::cli
