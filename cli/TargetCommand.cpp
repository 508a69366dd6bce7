#include <span>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/SearchCommand.h"
#include "run/FieldLimits.h"
#include "run/TargetPreparation.h"
#include "target/TargetEngineFactory.h"
#include "texts/TargetRowTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {
namespace {

namespace names = option_names;
namespace fields = target_fields;

TargetRequest ReadRequest(const TargetArguments& a) {
  TargetRequest request;
  if (a.target) {
    request.targetResistance =
        ReadNumberOption(names::kTarget, *a.target, fields::kTargetResistanceRange);
  }
  if (a.tolerance) {
    request.tolerance = ReadNumberOption(names::kTolerance, *a.tolerance, fields::kToleranceRange);
  }
  if (a.count) {
    request.resistorCount = ReadCountOption(names::kCount, *a.count, fields::kResistorCountRange);
  }
  if (a.connection) {
    request.connectionMode = ReadConnectionOption(names::kConnection, *a.connection);
  }
  if (a.maxResults) {
    request.maxResults =
        ReadCountOption(names::kMaxResults, *a.maxResults, fields::kMaxResultsRange);
  }
  return request;
}

Json MatchJson(std::int32_t rankIndex, const TargetMatch& match, const TargetParameters& p,
               const ValueSet& values) {
  const TargetRowTexts texts = MakeTargetRowTexts(rankIndex, match, p.resistorCount, values);
  const auto positions = match.Positions(p.resistorCount);
  Json row = Json::object();
  row["rank"] = rankIndex + 1;
  row["indices"] = PositionsJson(positions);
  row["resistors"] = ResistorsJson(positions, values);
  row["parallel"] = match.isParallel;
  row["total"] = match.total;
  row["error"] = match.error;
  row["resistors_text"] = texts[1];
  row["total_text"] = texts[2];
  row["error_text"] = texts[3];
  return row;
}

Json ResultJson(const TargetEngine& engine, const ValueSet& values, const SearchOutcome& outcome) {
  Json matches = Json::array();
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    matches.push_back(
        MatchJson(static_cast<std::int32_t>(j), kept[j], engine.Parameters(), values));
  }
  Json document = Json::object();
  document["kind"] = "target";
  document["working_set"] = NumbersJson(values.WorkingValues());
  document["visited"] = engine.VisitedCount();
  document["matching"] = engine.MatchingCount();
  document["seconds"] = outcome.seconds;
  document["aborted"] = outcome.aborted;
  document["matches"] = std::move(matches);
  return document;
}

void WriteText(const TargetEngine& engine, const ValueSet& values, const SearchOutcome& outcome,
               std::ostream& out) {
  std::vector<std::string> headers;
  for (const TargetColumn& column : kTargetColumns) headers.emplace_back(column.header);
  std::vector<std::vector<std::string>> rows;
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const TargetRowTexts texts = MakeTargetRowTexts(static_cast<std::int32_t>(j), kept[j],
                                                    engine.Parameters().resistorCount, values);
    rows.emplace_back(texts.begin(), texts.end());
  }
  WriteResultText(headers, rows, engine.VisitedCount(), engine.MatchingCount(), outcome.seconds,
                  out);
}

}  // namespace

int RunTargetCommand(const TargetArguments& arguments, const Streams& streams) {
  const TargetRequest request = ReadRequest(arguments);
  const SearchCommandSteps<TargetEngine> steps{
      MakeTargetEngine,
      [&request](ValueSet& values, std::span<const std::int32_t> checkStates,
                 TargetEngine& engine) {
        return PrepareTargetRun(values, checkStates, request, engine);
      },
      ResultJson, WriteText};
  return RunSearchCommand(arguments.seriesPath, arguments.untick, arguments.json, steps, streams);
}

}  // namespace ordavin::cli
