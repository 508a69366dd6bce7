#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "values/SeriesDefinition.h"
#include "values/SeriesReader.h"

namespace ordavin {

class SeriesReadObserver;

// The resistor values built from a series file: the full set (every generated value, in
// generation order) and the working set (the values a search uses).
class ValueSet {
 public:
  static constexpr std::uint32_t kBaseValueCapacity = SeriesDefinition::kBaseValueCapacity;
  static constexpr std::uint32_t kDecadeCapacity = SeriesDefinition::kDecadeCapacity;
  static constexpr double kInitialMinimum = SeriesDefinition::kInitialMinimum;
  static constexpr double kInitialMaximum = SeriesDefinition::kInitialMaximum;
  static constexpr std::size_t kLineLengthLimit = SeriesReader::kLineLengthLimit;

  // Reads a series file and empties the working set. False when it cannot be opened or is
  // not a regular file, with the system's reason in failureReason when given; throws
  // SeriesFileError on a capacity or read error. Bounds start from the initial ones. An
  // observer is told what the reader does with each line (SeriesCheck).
  bool LoadSeriesFile(const std::filesystem::path& path, std::string* failureReason = nullptr,
                      SeriesReadObserver* observer = nullptr);

  // Expands base values × 10^exponent within the bounds into both sets; returns FullCount().
  std::uint32_t GenerateValues();
  // Makes the full and working sets exactly these values (tests and tools build sets so).
  void AssignValues(std::span<const double> values);

  std::uint32_t ResetWorkingSet();
  // Keeps the full-set values whose check state is 1, in order.
  std::uint32_t ApplyChecks(std::span<const std::int32_t> checkStates);
  // Keeps the working values within [lo, hi], in order.
  std::uint32_t RestrictToRange(double lo, double hi);
  // Keeps the first `count` working values (fewer when there are fewer).
  std::uint32_t TruncateWorkingSet(std::uint32_t count);

  // Bounds-tested read of the working set; std::invalid_argument when out of range.
  double WorkingValue(std::size_t index) const;
  // Bounds-tested read of the full set.
  double FullValue(std::size_t index) const;

  std::span<const double> WorkingValues() const;
  std::span<const double> FullValues() const;
  std::uint32_t WorkingCount() const { return m_workingCount; }
  std::uint32_t FullCount() const { return m_fullCount; }
  // The working array as stored, past WorkingCount() too (filters leave their tail there).
  std::span<const double> WorkingSlots() const { return m_working; }

  const SeriesDefinition& Series() const { return m_series; }

 private:
  SeriesDefinition m_series;
  std::vector<double> m_working;
  std::vector<double> m_full;
  std::uint32_t m_workingCount = 0;
  std::uint32_t m_fullCount = 0;
};

}  // namespace ordavin
