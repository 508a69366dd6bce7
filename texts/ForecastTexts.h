#pragma once

#include <string>

#include "search/SearchForecast.h"

namespace ordavin {

// "45 seconds", "1 minute", "3 hours", "12 days", "4 months", "2 years", rounded to whole units;
// beyond a million years "more than a million years".
std::string FormatDuration(double seconds);

// "about 3 days", or "more than a million years".
std::string AboutDuration(double seconds);

// "This search would take about 3 days (1.91e+22 combinations)." with, when the
// straightforward engine will run it, why: "(1.95e+13 combinations; slower search: the fast
// one does not cover these values)."
std::string FormatLongSearch(const SearchForecast& forecast);

// "Start anyway?": the window's question after FormatLongSearch.
inline constexpr const char* kStartAnywayQuestion = "Start anyway?";

// "37 %" or, once the time left can be told, "37 %, about 3 minutes left".
std::string FormatShare(double share, double secondsLeft);

// "Slower search: not enough memory for the fast one", or why else the straightforward
// engine runs; empty for SlowPath::None.
std::string FormatSlowPath(SlowPath slowPath);

}  // namespace ordavin
