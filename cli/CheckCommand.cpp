#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/SystemText.h"
#include "cli/TerminalText.h"
#include "texts/SeriesFindingText.h"
#include "values/SeriesCheck.h"

namespace ordavin::cli {
namespace {

constexpr std::size_t kShownPathLimit = 200;
constexpr std::size_t kShownMessageLimit = 1000;

// The finding's kind as the JSON output names it.
std::string_view KindName(SeriesFindingKind kind) {
  switch (kind) {
    case SeriesFindingKind::ByteOrderMark:
      return "byte-order-mark";
    case SeriesFindingKind::Keyword:
      return "keyword";
    case SeriesFindingKind::IgnoredLine:
      return "ignored-line";
    case SeriesFindingKind::SkippedToken:
      return "skipped";
    case SeriesFindingKind::PartlyRead:
      return "partly-read";
    case SeriesFindingKind::TabJoined:
      return "tab-joined";
    case SeriesFindingKind::ZeroValue:
      return "zero";
    case SeriesFindingKind::NegativeValue:
      return "negative";
    case SeriesFindingKind::NotFinite:
      return "not-finite";
    case SeriesFindingKind::ExponentOutOfRange:
      return "exponent-out-of-range";
    case SeriesFindingKind::MinimumAboveMaximum:
      return "minimum-above-maximum";
    case SeriesFindingKind::NoBaseValues:
      return "no-base-values";
    case SeriesFindingKind::NoDecades:
      return "no-decades";
    case SeriesFindingKind::NoValueWithinBounds:
      return "no-value-within-bounds";
    case SeriesFindingKind::NotLoaded:
      return "not-loaded";
    case SeriesFindingKind::LoadStopped:
      return "load-stopped";
  }
  return "unknown";
}

void WriteJsonReport(const CheckArguments& arguments, const SeriesCheckReport& report,
                     std::ostream& out) {
  Json findings = Json::array();
  for (const SeriesFinding& finding : report.findings) {
    Json item = Json::object();
    item["line"] = finding.line;
    item["column"] = finding.column;
    item["kind"] = KindName(finding.kind);
    item["message"] = DescribeSeriesFinding(finding);
    item["text"] = finding.text;
    findings.push_back(std::move(item));
  }
  Json document = Json::object();
  document["file"] = arguments.seriesPath;
  document["count"] = report.valueCount;
  document["findings"] = std::move(findings);
  document["omitted"] = report.omitted;
  out << WriteJson(document) << '\n';
}

// One line per finding, as compilers place theirs: FILE:LINE:COLUMN: message.
void WriteTextReport(const CheckArguments& arguments, const SeriesCheckReport& report,
                     std::ostream& out) {
  // The path is the user's own text: escaped, and cut short when long.
  std::string shownPath;
  AppendEscaped(shownPath, arguments.seriesPath, kShownPathLimit);
  for (const SeriesFinding& finding : report.findings) {
    std::string line = shownPath;
    if (finding.line != 0) {
      line += ':' + std::to_string(finding.line) + ':' + std::to_string(finding.column);
    }
    line += ": ";
    AppendEscaped(line, DescribeSeriesFinding(finding), kShownMessageLimit);
    out << line << '\n';
  }
  if (report.omitted != 0) {
    out << shownPath << ": " << report.omitted
        << (report.omitted == 1 ? " more finding is not shown\n"
                                : " more findings are not shown\n");
  }
}

}  // namespace

int RunCheckCommand(const CheckArguments& arguments, const Streams& streams) {
  const SeriesCheckReport report = CheckSeriesFile(PathFromText(arguments.seriesPath));
  if (arguments.json) {
    WriteJsonReport(arguments, report, streams.out);
  } else {
    WriteTextReport(arguments, report, streams.out);
  }
  return report.Clean() ? kExitSuccess : kExitRefused;
}

}  // namespace ordavin::cli
