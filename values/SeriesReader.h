#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "values/SeriesDefinition.h"

namespace ordavin {

// Raised when a series file cannot be taken in whole: too many base values or decade
// exponents, a line longer than the limit, no memory for a line, or a read error after the
// file was opened. The message is for people.
class SeriesFileError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Reads a series file into a definition: sections selected by keyword lines, numbers read
// token by token. Every read starts from the initial bounds; the file's own minimum and
// maximum lines change them.
class SeriesReader {
 public:
  // Longest line a series file may have, in bytes.
  static constexpr std::size_t kLineLengthLimit = std::size_t{64} * 1024 * 1024;

  explicit SeriesReader(SeriesDefinition& series) : m_series(series) {}

  // False when the file cannot be opened or is not a regular file, with the system's reason
  // in failureReason when given ("No such file or directory"); throws SeriesFileError on a
  // capacity or read error, leaving what was read so far.
  bool Read(const std::filesystem::path& path, std::string* failureReason = nullptr);

 private:
  enum class Section { None, BaseValues, Decades, Minimum, Maximum };
  void HandleLine(std::string_view line);
  void StoreBaseValue(double value);
  void StoreDecade(double value);

  SeriesDefinition& m_series;
  Section m_section = Section::None;
  std::string m_fileName;
};

}  // namespace ordavin
