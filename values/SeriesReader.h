#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "values/SeriesDefinition.h"
#include "values/SeriesSection.h"

namespace ordavin {

// Raised when a series file cannot be taken in whole: too many base values or decade
// exponents, a line longer than the limit, no memory for a line, or a read error after the
// file was opened. The message is for people.
class SeriesFileError : public std::invalid_argument {
 public:
  // What stopped the load; a report on the file places the error by it.
  enum class Cause { Capacity, LongLine, Memory, Read };

  SeriesFileError(const std::string& message, Cause cause)
      : std::invalid_argument(message), m_cause(cause) {}
  Cause cause() const { return m_cause; }

 private:
  Cause m_cause;
};

class SeriesReadObserver;

// Reads a series file into a definition: sections selected by keyword lines, numbers read
// token by token. Every read starts from the initial bounds; the file's own minimum and
// maximum lines change them.
class SeriesReader {
 public:
  // Longest line a series file may have, in bytes.
  static constexpr std::size_t kLineLengthLimit = std::size_t{64} * 1024 * 1024;

  // With an observer, every line, content line and number text is reported to it as read.
  explicit SeriesReader(SeriesDefinition& series, SeriesReadObserver* observer = nullptr)
      : m_series(series), m_observer(observer) {}

  // False when the file cannot be opened or is not a regular file, with the system's reason
  // in failureReason when given ("No such file or directory"); throws SeriesFileError on a
  // capacity or read error, leaving what was read so far.
  bool Read(const std::filesystem::path& path, std::string* failureReason = nullptr);

 private:
  void HandleLine(std::string_view line);
  void ReadTokens(std::string_view text, std::size_t offset);
  void ReadBound(std::string_view text, std::size_t offset);
  void StoreBaseValue(double value);
  void StoreDecade(double value);

  SeriesDefinition& m_series;
  SeriesReadObserver* m_observer;
  SeriesSection m_section = SeriesSection::None;
  std::string m_fileName;
};

}  // namespace ordavin
