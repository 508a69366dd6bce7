#pragma once

#include <span>
#include <string>

#include "texts/DividerRowTexts.h"
#include "texts/TargetRowTexts.h"

namespace ordavin {

class DividerEngine;
class TargetEngine;

// The results as a spreadsheet should get them, the same bytes from the window and the
// command line: the shown columns under their titles; the rank and every figure as its exact
// number (the shortest text that reads back to the same double: ohms, factors, relative
// errors as fractions rather than percent texts); the resistor lists as shown. RFC 4180
// records (CsvText), UTF-8.

// The title record of each kind.
std::string DividerCsvHeader();
std::string TargetCsvHeader();

// The record of one row from what the row keeps and its shown texts, one per column.
std::string ResultsCsvRecord(const DividerRowData& data, std::span<const std::string> texts);
std::string ResultsCsvRecord(const TargetRowData& data, std::span<const std::string> texts);

// The title record and one record for each kept match, best first.
std::string ResultsCsv(const DividerEngine& engine);
std::string ResultsCsv(const TargetEngine& engine);

}  // namespace ordavin
