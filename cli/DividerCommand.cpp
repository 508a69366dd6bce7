#include <span>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/SearchCommand.h"
#include "divider/DividerEngineFactory.h"
#include "run/DividerPreparation.h"
#include "run/FieldLimits.h"
#include "texts/DividerRowTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {
namespace {

namespace names = option_names;
namespace fields = divider_fields;

// The page's request with the given options applied over its defaults.
DividerRequest ReadRequest(const DividerArguments& a) {
  DividerRequest request;
  request.divisionFactor =
      ReadDivisionFactorOption(names::kFactor, a.factor.value_or(fields::kDivisionFactorText));
  if (a.tolerance) {
    request.tolerance = ReadNumberOption(names::kTolerance, *a.tolerance, fields::kToleranceRange);
  }
  if (a.upper) {
    request.upperCount = ReadCountOption(names::kUpper, *a.upper, fields::kNetworkCountRange);
  }
  if (a.upperMode) request.upperMode = ReadNetworkModeOption(names::kUpperMode, *a.upperMode);
  if (a.lower) {
    request.lowerCount = ReadCountOption(names::kLower, *a.lower, fields::kNetworkCountRange);
  }
  if (a.lowerMode) request.lowerMode = ReadNetworkModeOption(names::kLowerMode, *a.lowerMode);
  if (a.seriesWindow) {
    const Window window = ReadWindowOption(names::kSeriesWindow, *a.seriesWindow,
                                           fields::kSeriesMinRange, fields::kSeriesMaxRange);
    request.seriesEnabled = window.enabled;
    if (window.enabled) {
      request.seriesMin = window.min;
      request.seriesMax = window.max;
    }
  }
  if (a.parallelWindow) {
    const Window window = ReadWindowOption(names::kParallelWindow, *a.parallelWindow,
                                           fields::kParallelMinRange, fields::kParallelMaxRange);
    request.parallelEnabled = window.enabled;
    if (window.enabled) {
      request.parallelMin = window.min;
      request.parallelMax = window.max;
    }
  }
  if (a.source) {
    request.sourceResistance =
        ReadNumberOption(names::kSource, *a.source, fields::kSourceResistanceRange);
  }
  if (a.load) {
    request.loadResistance = ReadNumberOption(names::kLoad, *a.load, fields::kLoadResistanceRange);
  }
  if (a.maxResults) {
    request.maxResults =
        ReadCountOption(names::kMaxResults, *a.maxResults, fields::kMaxResultsRange);
  }
  return request;
}

Json MatchJson(std::int32_t rankIndex, const DividerMatch& match, const DividerParameters& p,
               const ValueSet& values) {
  const DividerRowTexts texts =
      MakeDividerRowTexts(rankIndex, match, p.upperCount, p.lowerCount, values);
  const auto upper = match.UpperDigits(p.upperCount);
  const auto lower = match.LowerDigits(p.upperCount, p.lowerCount);
  Json row = Json::object();
  row["rank"] = rankIndex + 1;
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
  row["ru_text"] = texts[1];
  row["rl_text"] = texts[2];
  row["error_text"] = texts[8];
  return row;
}

Json ResultJson(const DividerEngine& engine, const ValueSet& values, const SearchOutcome& outcome) {
  const DividerParameters& p = engine.Parameters();
  Json matches = Json::array();
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    matches.push_back(MatchJson(static_cast<std::int32_t>(j), kept[j], p, values));
  }
  Json document = Json::object();
  document["kind"] = "divider";
  document["target_factor"] = p.targetFactor;
  document["working_set"] = NumbersJson(values.WorkingValues());
  document["visited"] = engine.VisitedCount();
  document["matching"] = engine.MatchingCount();
  document["seconds"] = outcome.seconds;
  document["aborted"] = outcome.aborted;
  document["matches"] = std::move(matches);
  return document;
}

void WriteText(const DividerEngine& engine, const ValueSet& values, const SearchOutcome& outcome,
               std::ostream& out) {
  const DividerParameters& p = engine.Parameters();
  std::vector<std::string> headers;
  for (const DividerColumn& column : kDividerColumns) headers.emplace_back(column.header);
  std::vector<std::vector<std::string>> rows;
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const DividerRowTexts texts = MakeDividerRowTexts(static_cast<std::int32_t>(j), kept[j],
                                                      p.upperCount, p.lowerCount, values);
    rows.emplace_back(texts.begin(), texts.end());
  }
  WriteResultText(headers, rows, engine.VisitedCount(), engine.MatchingCount(), outcome.seconds,
                  out);
}

}  // namespace

int RunDividerCommand(const DividerArguments& arguments, const Streams& streams) {
  const DividerRequest request = ReadRequest(arguments);
  const SearchCommandSteps<DividerEngine> steps{
      MakeDividerEngine,
      [&request](ValueSet& values, std::span<const std::int32_t> checkStates,
                 DividerEngine& engine) {
        return PrepareDividerRun(values, checkStates, request, engine);
      },
      ResultJson, WriteText};
  return RunSearchCommand(arguments.seriesPath, arguments.untick, arguments.json, steps, streams);
}

}  // namespace ordavin::cli
