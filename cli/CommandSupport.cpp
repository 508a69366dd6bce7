#include "cli/CommandSupport.h"

#include "cli/SystemText.h"
#include "cli/TerminalText.h"
#include "texts/LoadFailureDetail.h"
#include "texts/Messages.h"
#include "values/ValueSet.h"

namespace ordavin::cli {
namespace {
constexpr std::size_t kShownPathLimit = 200;
}  // namespace

bool LoadSeries(const std::string& path, ValueSet& values, std::ostream& err) {
  try {
    std::string reason;
    if (!values.LoadSeriesFile(PathFromText(path), &reason)) {
      // The path is the user's own text: escaped, and cut short when long.
      std::string shownPath;
      AppendEscaped(shownPath, path, kShownPathLimit, "'\\");
      err << kLoadingFailedMessage << '\n' << LoadFailureDetail(shownPath, reason) << '\n';
      return false;
    }
  } catch (const SeriesFileError& e) {
    err << e.what() << '\n';
    return false;
  }
  values.GenerateValues();
  return true;
}

void WriteMessages(const std::vector<std::string>& messages, std::ostream& err) {
  for (const std::string& message : messages) err << message << '\n';
}

std::optional<SearchOutcome> RunReportedSearch(
    const std::function<void(const std::atomic<bool>&)>& search, const SearchWatch& watch,
    const Streams& streams) {
  SearchOutcome outcome = RunSearch(search, watch, streams.showProgress, streams.err);
  if (!outcome.started) {
    streams.err << kCouldNotStartMessage << '\n';
    return std::nullopt;
  }
  if (!outcome.failure.empty()) {
    streams.err << kSearchFailedPrefix << outcome.failure << '\n';
    return std::nullopt;
  }
  return outcome;
}

Json NumbersJson(std::span<const double> numbers) {
  Json list = Json::array();
  for (const double number : numbers) list.push_back(number);
  return list;
}

Json PositionsJson(std::span<const std::int32_t> positions) {
  Json list = Json::array();
  for (const std::int32_t position : positions) list.push_back(position);
  return list;
}

Json ResistorsJson(std::span<const std::int32_t> positions, const ValueSet& values) {
  Json list = Json::array();
  for (const std::int32_t position : positions) {
    list.push_back(values.WorkingValue(static_cast<std::size_t>(position)));
  }
  return list;
}

}  // namespace ordavin::cli
