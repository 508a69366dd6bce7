#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "run/DividerPreparation.h"
#include "values/ValueSet.h"

namespace ordavin::cli {

// What differs between the divider and the target command once their options are read.
template <class Engine>
struct SearchCommandSteps {
  std::function<std::unique_ptr<Engine>(const ValueSet&)> makeEngine;
  std::function<Preparation(ValueSet&, std::span<const std::int32_t>, Engine&)> prepare;
  std::function<Json(const Engine&, const ValueSet&, const SearchOutcome&)> resultJson;
  std::function<void(const Engine&, const ValueSet&, const SearchOutcome&, std::ostream&)>
      writeText;
};

// The road of a search command, its refusals in the order a user meets them: the unticked
// positions (a usage error), the series file, the run's preparation, the search itself.
template <class Engine>
int RunSearchCommand(const std::string& seriesPath, const std::optional<std::string>& untick,
                     bool json, const SearchCommandSteps<Engine>& steps, const Streams& streams) {
  std::vector<std::uint64_t> unticked;
  if (untick) unticked = ReadPositionList(option_names::kUntick, *untick);

  ValueSet values;
  if (!LoadSeries(seriesPath, values, streams.err)) return kExitRefused;
  const std::vector<std::int32_t> checkStates =
      MakeCheckStates(option_names::kUntick, unticked, values.FullCount());

  const std::unique_ptr<Engine> engineOwner = steps.makeEngine(values);
  Engine& engine = *engineOwner;
  const Preparation preparation = steps.prepare(values, checkStates, engine);
  if (!preparation.ready) {
    WriteMessages(preparation.messages, streams.err);
    return kExitRefused;
  }
  const std::optional<SearchOutcome> outcome = RunReportedSearch(
      [&engine](const std::atomic<bool>& abortRequested) { engine.Optimize(abortRequested); },
      [&engine] { return engine.VisitedCount(); }, streams);
  if (!outcome) return kExitRefused;

  if (json) {
    streams.out << WriteJson(steps.resultJson(engine, values, *outcome)) << '\n';
  } else {
    steps.writeText(engine, values, *outcome, streams.out);
  }
  return kExitSuccess;
}

}  // namespace ordavin::cli
