#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/SearchRunner.h"

namespace ordavin {
class ValueSet;
}

namespace ordavin::cli {

// Loads the series file and generates the values as the program does. On failure the
// message is written to err and false returned.
bool LoadSeries(const std::string& path, ValueSet& values, std::ostream& err);

// A preparation's refusals, one after the other, each ending a line.
void WriteMessages(const std::vector<std::string>& messages, std::ostream& err);

// Runs the search and reports a start failure or a failure inside the search on err; the
// outcome is usable when it comes back with a value.
std::optional<SearchOutcome> RunReportedSearch(
    const std::function<void(const std::atomic<bool>&)>& search, const SearchWatch& watch,
    const Streams& streams);

// JSON lists of plain numbers, of working-set positions and of the resistors at them.
Json NumbersJson(std::span<const double> numbers);
Json PositionsJson(std::span<const std::int32_t> positions);
Json ResistorsJson(std::span<const std::int32_t> positions, const ValueSet& values);

}  // namespace ordavin::cli
