#pragma once

#include "cli/Commands.h"

namespace ordavin::cli {

// How a search command writes its results on stdout.
enum class OutputFormat { Text, JsonObject, Csv };

// --format's value (text, json or csv); --json alone means json, and neither means text.
// An unknown value, or --json with another format, is bad usage (UsageError).
OutputFormat ReadOutputFormat(const SearchArguments& arguments);

}  // namespace ordavin::cli
