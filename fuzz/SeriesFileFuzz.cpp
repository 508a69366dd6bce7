// The series file reader, from the bytes of a file to a working set.
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "texts/EngineeringNotation.h"
#include "texts/SeriesFindingText.h"
#include "values/SeriesCheck.h"
#include "values/ValueSet.h"

namespace ordavin::fuzz {
namespace {

// One file per process, rewritten for every input. Never destroyed, so that the clean-up at
// exit can still use it.
const std::filesystem::path& SeriesPath() {
  static const auto* const path = [] {
    const auto folder =
        std::filesystem::temp_directory_path() / ("ordavin-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(SeriesPath().parent_path(), ignored);
    });
    return new std::filesystem::path(folder / "FUZZ.SER");
  }();
  return *path;
}

// The check's findings are placed in the file or on the whole of it, and each can be said.
void CheckFindings(const SeriesCheckReport& report) {
  Check(report.findings.size() <= SeriesCheckReport::kFindingLimit + 3, "findings are limited");
  for (const SeriesFinding& finding : report.findings) {
    Check((finding.line == 0) == (finding.column == 0), "a finding has a line and a column");
    Check(finding.text.size() <= 400, "a finding's text is cut short");
    Check(!DescribeSeriesFinding(finding).empty(), "every finding has a text");
  }
}

}  // namespace

void FuzzSeriesFile(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream file(SeriesPath(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  // The check reads with the program's reader, so it loads exactly when the program does.
  const SeriesCheckReport report = CheckSeriesFile(SeriesPath());
  CheckFindings(report);
  ValueSet set;
  try {
    Check(set.LoadSeriesFile(SeriesPath()), "a regular file always loads");
  } catch (const SeriesFileError& error) {
    Check(!report.loaded && !report.findings.empty() &&
              report.findings.back().kind == SeriesFindingKind::LoadStopped &&
              report.findings.back().text == error.what(),
          "the check reports the error that stops the load");
    Check(set.Series().baseValueCount == ValueSet::kBaseValueCapacity ||
              set.Series().decadeCount == ValueSet::kDecadeCapacity,
          "a capacity error only at a full array");
    Check(set.WorkingCount() == 0, "a failed load leaves no working values");
    Check(std::string(error.what()).starts_with("Too many "), "the capacity message");
    return;
  }
  Check(set.Series().baseValueCount <= ValueSet::kBaseValueCapacity, "base value capacity");
  Check(set.Series().decadeCount <= ValueSet::kDecadeCapacity, "decade capacity");

  const std::uint32_t total = set.GenerateValues();
  Check(report.loaded && report.valueCount == total, "the check counts the values loaded");
  Check(total != 0 || !report.Clean(), "a file without values is never clean");
  Check(total <= set.Series().baseValueCount * set.Series().decadeCount,
        "at most one value per pair");
  Check(set.FullValues().size() == total && set.WorkingValues().size() == total,
        "both sets hold the generated count");
  for (const double v : set.FullValues()) {
    // Bounds are inclusive and no NaN passes them.
    Check(set.Series().minimum <= v && v <= set.Series().maximum, "every value within the bounds");
  }
  for (std::size_t i = 0; i < total && i < 64; ++i) {
    const std::string text = FormatResistance(set.FullValue(i), 2);
    Check(text.size() < 400, "a value's text stays short");
  }

  // Ticks taken from the input itself: 0, 1 or the indeterminate 2.
  Check(set.ResetWorkingSet() == total, "reset restores the full set");
  std::vector<std::int32_t> states(total);
  std::uint32_t ticked = 0;
  for (std::size_t j = 0; j < total; ++j) {
    states[j] = size == 0 ? 1 : data[j % size] % 3;
    if (states[j] == 1) ++ticked;
  }
  Check(set.ApplyChecks(states) == ticked, "ApplyChecks counts the ticked values");
  const auto working = set.WorkingValues();
  for (std::size_t j = 0, w = 0; j < total; ++j) {
    if (states[j] != 1) continue;
    const double full = set.FullValue(j);
    Check(working[w] == full || (std::isnan(working[w]) && std::isnan(full)),
          "the working set is the ticked subsequence");
    ++w;
  }

  // Narrowing around the first working value keeps a subsequence within the range.
  if (ticked > 0) {
    const double lo = working[0] / 2;
    const double hi = working[0] * 2;
    const std::uint32_t kept = set.RestrictToRange(lo, hi);
    Check(kept <= ticked, "narrowing never adds values");
    for (const double v : set.WorkingValues()) Check(lo <= v && v <= hi, "narrowed within range");
  }
}

}  // namespace ordavin::fuzz
