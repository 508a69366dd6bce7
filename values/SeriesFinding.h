#pragma once

#include <cstddef>
#include <string>

#include "values/SeriesSection.h"

namespace ordavin {

// What a series file holds that is not read as it is written, or that gives no usable values.
enum class SeriesFindingKind {
  ByteOrderMark,        // the file starts with a UTF-8 byte-order mark; detail: a keyword it hides
  Keyword,              // a line that looks like a keyword but is not one; detail: the keyword
  IgnoredLine,          // content before the first keyword line
  SkippedToken,         // no number can be read from the text
  PartlyRead,           // a number is read from the start only; detail: the rest
  TabJoined,            // numbers joined by a tab: only the first is read; detail: the rest
  ZeroValue,            // a base value of zero
  NegativeValue,        // a negative base value or bound
  NotFinite,            // a base value, exponent or bound read as infinity
  ExponentOutOfRange,   // 10 to the exponent is not a finite nonzero number
  MinimumAboveMaximum,  // value: the minimum, maximum: the maximum
  NoBaseValues,         // the file gives no values: there are no base values
  NoDecades,            // the file gives no values: there are no decade exponents
  NoValueWithinBounds,  // the file gives no values: none lies within value..maximum
  NotLoaded,            // the file cannot be opened; text: the system's reason
  LoadStopped,          // the load stops with an error; text: the loader's message
};

// One finding, placed at a byte of a line. Texts taken from the file are cut short when
// long ("..." marks the cut), so that a huge token cannot flood a report.
struct SeriesFinding {
  std::size_t line = 0;    // from 1; 0 when the finding concerns the whole file
  std::size_t column = 0;  // bytes from 1; 0 with line 0
  SeriesFindingKind kind = SeriesFindingKind::NotLoaded;
  SeriesSection section = SeriesSection::None;  // where the text was read
  std::string text;                             // the token, line or bound as written
  std::string detail;
  double value = 0.0;  // the number read; the minimum for the findings about the bounds
  double maximum = 0.0;
};

}  // namespace ordavin
