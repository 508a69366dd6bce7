#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "network/CheckedResult.h"

namespace ordavin::cli {

// What --part-tolerance and --voltage ask of every match; nothing when not given.
struct ResultChecks {
  std::optional<double> partTolerance;
  std::optional<double> voltage;
};

// The options' values, within their ranges; bad usage otherwise.
ResultChecks ReadResultChecks(const SearchArguments& arguments);

// The match's fields for the checks asked for: "worst_case" and "power".
void AddResultCheckFields(Json& row, const CheckedResult& result, const ResultChecks& checks);

// The text table's columns for the checks asked for, and one row's cells.
std::vector<std::string> ResultCheckHeaders(const ResultChecks& checks);
std::vector<std::string> ResultCheckCells(const CheckedResult& result, const ResultChecks& checks);

}  // namespace ordavin::cli
