#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace ordavin {

// Raised when a series file cannot be taken in whole: too many base values or decade
// exponents, a line longer than the limit, no memory for a line, or a read error after the
// file was opened. The
// message is for people.
class SeriesFileError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The resistor values built from a series file: the full set (every generated value, in
// generation order) and the working set (the values a search uses).
class CResValueSet {
 public:
  static constexpr std::uint32_t kBaseValueCapacity = 1000;
  static constexpr std::uint32_t kDecadeCapacity = 20;
  static constexpr double kInitialMinimum = 0.0;
  static constexpr double kInitialMaximum = 1e301;
  // Longest line a series file may have, in bytes.
  static constexpr std::size_t kLineLengthLimit = 64 * 1024 * 1024;

  CResValueSet();

  // Reads a series file. False when it cannot be opened or is not a regular file; throws
  // SeriesFileError on a capacity or read error. Bounds not set by the file persist.
  bool LoadSeriesFile(const std::filesystem::path& path);

  // Expands base values × 10^exponent within the bounds into both sets; returns m_nTotal.
  std::uint32_t GenerateValues();

  std::uint32_t ResetWorkingSet();
  // Keeps the full-set values whose check state is 1, in order.
  std::uint32_t ApplyChecks(std::span<const std::int32_t> checkStates);
  // Keeps the working values within [lo, hi], in order.
  std::uint32_t RestrictToRange(double lo, double hi);

  // Bounds-tested read of the working set; std::invalid_argument when out of range.
  double WorkingValue(std::size_t index) const;
  // Bounds-tested read of the full set.
  double FullValue(std::size_t index) const;

  // The first m_nValues working values.
  std::span<const double> WorkingValues() const;
  // The first m_nTotal full-set values.
  std::span<const double> FullValues() const;

  std::uint32_t m_nValues = 0;
  std::uint32_t m_nTotal = 0;
  std::uint32_t m_nBaseValues = 0;
  std::uint32_t m_nDecades = 0;
  std::vector<double> m_baseValues;
  std::vector<double> m_decades;
  std::vector<double> m_values;
  double m_minimum = kInitialMinimum;
  double m_maximum = kInitialMaximum;
  std::vector<double> m_allValues;

 private:
  enum class Section { None, BaseValues, Decades, Minimum, Maximum };
  void HandleLine(std::string_view line, Section& section, const std::string& fileName);
  void StoreBaseValue(double value, const std::string& fileName);
  void StoreDecade(double value, const std::string& fileName);
};

}  // namespace ordavin
