#pragma once

#include <cstddef>
#include <string_view>

#include "values/NumberText.h"
#include "values/SeriesSection.h"

namespace ordavin {

// Told what the series reader does with each line, for a report on a file (SeriesCheck).
// The reader reads exactly the same with or without one. Offsets count bytes from 0 into
// the line last given to OnLine.
class SeriesReadObserver {
 public:
  SeriesReadObserver() = default;
  SeriesReadObserver(const SeriesReadObserver&) = delete;
  SeriesReadObserver& operator=(const SeriesReadObserver&) = delete;
  virtual ~SeriesReadObserver() = default;

  // A line as read, without its line break, before it is handled; the first line is 1.
  virtual void OnLine(std::size_t number, std::string_view line) = 0;
  // A line that is neither blank, a comment nor a keyword line, trimmed, read as content of
  // `section` (None: ignored).
  virtual void OnContent(SeriesSection section, std::string_view text, std::size_t offset) = 0;
  // A token of a base-value or decade line, or a bound line's text, and what was read from
  // it; called before the number is stored.
  virtual void OnNumberText(SeriesSection section, std::string_view text, std::size_t offset,
                            const NumberPrefix& number) = 0;
};

}  // namespace ordavin
