#include "cli/OutputFormat.h"

#include <string>

#include "cli/CliOptions.h"
#include "cli/OptionNames.h"
#include "cli/TerminalText.h"

namespace ordavin::cli {

OutputFormat ReadOutputFormat(const SearchArguments& arguments) {
  if (!arguments.format) return arguments.json ? OutputFormat::JsonObject : OutputFormat::Text;
  const std::string& text = *arguments.format;
  const std::string invalid = std::string("Invalid value for ") + option_names::kFormat + ": ";
  OutputFormat format = OutputFormat::Text;
  if (text == "text") {
    format = OutputFormat::Text;
  } else if (text == "json") {
    format = OutputFormat::JsonObject;
  } else if (text == "csv") {
    format = OutputFormat::Csv;
  } else {
    throw UsageError(invalid + QuoteForMessage(text) + " is none of text, json, csv.");
  }
  if (arguments.json && format != OutputFormat::JsonObject) {
    throw UsageError(invalid + QuoteForMessage(text) + " contradicts " + option_names::kJson + ".");
  }
  return format;
}

}  // namespace ordavin::cli
