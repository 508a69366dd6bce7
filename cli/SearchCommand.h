#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/OptionNames.h"
#include "cli/OutputFormat.h"
#include "cli/ResultChecks.h"
#include "cli/TextTable.h"
#include "network/CheckedResult.h"
#include "run/DividerPreparation.h"
#include "run/ProgressEstimate.h"
#include "texts/ForecastTexts.h"
#include "texts/ResultsCsv.h"
#include "texts/RunTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {

inline constexpr const char* kForceHint = "Give --force to start it anyway.";

// What differs between the divider and the target command once their options are read.
template <class Engine, class Request>
struct SearchCommandSteps {
  using Match = typename decltype(std::declval<const Engine&>().KeptMatches())::value_type;
  using Parameters = std::remove_cvref_t<decltype(std::declval<const Engine&>().Parameters())>;

  std::function<std::unique_ptr<Engine>(const ValueSet&)> makeEngine;
  std::function<Preparation(ValueSet&, std::span<const std::int32_t>, const Request&, Engine&)>
      prepare;

  // The results table: its headers, and the cells of one row as the window shows them.
  std::vector<std::string> headers;
  std::function<std::vector<std::string>(std::int32_t rankIndex, const Match&, const Parameters&,
                                         const ValueSet&)>
      rowTexts;

  // The JSON document: its kind, the fields only this kind has (they follow "kind"), and the
  // fields of one match (they follow "rank"), which may repeat the row's texts.
  const char* kind = "";
  std::function<void(Json& document, const Parameters&)> addDocumentFields;
  std::function<void(Json& row, const Match&, const std::vector<std::string>& texts,
                     const Parameters&, const ValueSet&)>
      addMatchFields;
  // A row as a circuit, for --part-tolerance and --voltage.
  std::function<CheckedResult(std::int32_t rankIndex, const Match&, const Parameters&,
                              const ValueSet&)>
      checkRow;
};

// The headers of a results table, from the columns the window shows.
template <class Columns>
std::vector<std::string> ColumnHeaders(const Columns& columns) {
  std::vector<std::string> headers;
  headers.reserve(std::size(columns));
  for (const auto& column : columns) headers.emplace_back(column.header);
  return headers;
}

// The whole document: kind, the kind's own fields, the working set, the counts, the matches
// (each with the checks asked for).
template <class Engine, class Request>
Json SearchResultJson(const SearchCommandSteps<Engine, Request>& steps, const Engine& engine,
                      const ValueSet& values, const SearchOutcome& outcome,
                      const ResultChecks& checks) {
  const auto& p = engine.Parameters();
  Json matches = Json::array();
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const auto rankIndex = static_cast<std::int32_t>(j);
    Json row = Json::object();
    row["rank"] = rankIndex + 1;
    steps.addMatchFields(row, kept[j], steps.rowTexts(rankIndex, kept[j], p, values), p, values);
    AddResultCheckFields(row, steps.checkRow(rankIndex, kept[j], p, values), checks);
    matches.push_back(std::move(row));
  }
  Json document = Json::object();
  document["kind"] = steps.kind;
  if (steps.addDocumentFields) steps.addDocumentFields(document, p);
  document["working_set"] = NumbersJson(values.WorkingValues());
  document["visited"] = engine.VisitedCount();
  document["matching"] = engine.MatchingCount();
  document["seconds"] = outcome.seconds;
  document["aborted"] = outcome.aborted;
  document["matches"] = std::move(matches);
  return document;
}

// The results table, best first, with the worst-case columns when asked for, then the summary
// box's three lines.
template <class Engine, class Request>
void WriteSearchResultText(const SearchCommandSteps<Engine, Request>& steps, const Engine& engine,
                           const ValueSet& values, const SearchOutcome& outcome,
                           const ResultChecks& checks, std::ostream& out) {
  std::vector<std::string> headers = steps.headers;
  for (std::string& header : ResultCheckHeaders(checks)) headers.push_back(std::move(header));
  std::vector<std::vector<std::string>> rows;
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const auto rankIndex = static_cast<std::int32_t>(j);
    std::vector<std::string> row = steps.rowTexts(rankIndex, kept[j], engine.Parameters(), values);
    for (std::string& cell : ResultCheckCells(
             steps.checkRow(rankIndex, kept[j], engine.Parameters(), values), checks)) {
      row.push_back(std::move(cell));
    }
    rows.push_back(std::move(row));
  }
  out << FormatTable(headers, rows) << '\n'
      << FormatSummary(engine.VisitedCount(), engine.MatchingCount(), outcome.seconds) << '\n';
}

// The progress line with the share done and the time left, and the notice of a drop to the
// slower engine.
template <class Engine>
SearchWatch WatchOf(const Engine& engine, const SearchForecast& forecast) {
  return {[&engine, forecast](double elapsedSeconds) {
            const std::uint64_t visited = engine.VisitedCount();
            const ProgressEstimate estimate = EstimateProgress(visited, forecast, elapsedSeconds);
            return FormatProgress(visited) + " (" +
                   FormatShare(estimate.share, estimate.secondsLeft) + ")";
          },
          [&engine] { return FormatSlowPath(engine.SlowPathTaken()); }};
}

// The results as CSV, the same bytes as the window's Save as CSV...; the summary, which has
// no place among them, goes to err so that out holds data only.
template <class Engine>
void WriteSearchResultCsv(const Engine& engine, const SearchOutcome& outcome,
                          const Streams& streams) {
  streams.out << ResultsCsv(engine);
  streams.err << FormatSummary(engine.VisitedCount(), engine.MatchingCount(), outcome.seconds)
              << '\n';
}

// The road of a search command, its refusals in the order a user meets them: the output
// format, the unticked positions and the checks (usage errors), the series file, the run's
// preparation, a forecast longer than an hour without --force, the search itself.
template <class Engine, class Request>
int RunSearchCommand(const SearchArguments& arguments, const Request& request,
                     const SearchCommandSteps<Engine, Request>& steps, const Streams& streams) {
  const OutputFormat format = ReadOutputFormat(arguments);
  std::vector<std::uint64_t> unticked;
  if (arguments.untick) unticked = ReadPositionList(option_names::kUntick, *arguments.untick);
  const ResultChecks checks = ReadResultChecks(arguments);

  ValueSet values;
  if (!LoadSeries(arguments.seriesPath, values, streams.err)) return kExitRefused;
  const std::vector<std::int32_t> checkStates =
      MakeCheckStates(option_names::kUntick, unticked, values.FullCount());

  const std::unique_ptr<Engine> engineOwner = steps.makeEngine(values);
  Engine& engine = *engineOwner;
  const Preparation preparation = steps.prepare(values, checkStates, request, engine);
  if (!preparation.ready) {
    WriteMessages(preparation.messages, streams.err);
    return kExitRefused;
  }
  const SearchForecast forecast = engine.Forecast();
  if (IsLongSearch(forecast) && !arguments.force) {
    streams.err << FormatLongSearch(forecast) << '\n' << kForceHint << '\n';
    return kExitRefused;
  }
  const std::optional<SearchOutcome> outcome = RunReportedSearch(
      [&engine](const std::atomic<bool>& abortRequested) { engine.Optimize(abortRequested); },
      WatchOf(engine, forecast), streams);
  if (!outcome) return kExitRefused;

  switch (format) {
    case OutputFormat::JsonObject:
      streams.out << WriteJson(SearchResultJson(steps, engine, values, *outcome, checks)) << '\n';
      break;
    case OutputFormat::Csv:
      WriteSearchResultCsv(engine, *outcome, streams);
      break;
    case OutputFormat::Text:
      WriteSearchResultText(steps, engine, values, *outcome, checks, streams.out);
      break;
  }
  return outcome->aborted ? kExitInterrupted : kExitSuccess;
}

}  // namespace ordavin::cli
