#include <cstddef>
#include <cstdint>
#include <span>
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
#include "target/NetworkCode.h"
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

// The network's structure: a position for a resistor, {"series": [...]} or {"parallel":
// [...]} for a connection, its parts in the row's order; next moves past it.
Json NetworkJson(std::span<const std::int32_t> code, std::size_t& next) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) return token;
  Json parts = Json::array();
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) parts.push_back(NetworkJson(code, next));
  Json connection = Json::object();
  connection[IsParallelToken(token) ? "parallel" : "series"] = std::move(parts);
  return connection;
}

Json NetworkJson(const TargetMatch& match, const TargetParameters& p) {
  if (IsWellFormed(match.network)) {
    std::size_t next = 0;
    return NetworkJson(match.network, next);
  }
  const NetworkCode flat = FlatNetworkCode(match.Positions(p.resistorCount), match.isParallel);
  std::size_t next = 0;
  return NetworkJson(flat, next);
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
  // A mixed network is neither: its structure says what it is.
  if (p.connectionMode == ConnectionMode::Mixed) {
    row["parallel"] = nullptr;
  } else {
    row["parallel"] = match.isParallel;
  }
  row["network"] = NetworkJson(match, p);
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
