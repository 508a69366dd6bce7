#include "texts/ForecastTexts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

struct Unit {
  double seconds;
  const char* one;
  const char* many;
};

constexpr std::array<Unit, 6> kUnits{{{1.0, "second", "seconds"},
                                      {60.0, "minute", "minutes"},
                                      {3600.0, "hour", "hours"},
                                      {86400.0, "day", "days"},
                                      {86400.0 * 30.4375, "month", "months"},
                                      {86400.0 * 365.25, "year", "years"}}};

// The largest unit that gives at least two of itself (one minute reads as 60 seconds).
const Unit& UnitFor(double seconds) {
  const Unit* chosen = kUnits.data();
  for (const Unit& unit : kUnits) {
    if (seconds >= 2.0 * unit.seconds) chosen = &unit;
  }
  return *chosen;
}

}  // namespace

std::string FormatDuration(double seconds) {
  if (!(seconds < 1e6 * kUnits.back().seconds)) return "more than a million years";
  seconds = std::max(seconds, 0.0);
  const Unit& unit = UnitFor(seconds);
  const auto count = static_cast<long long>(std::llround(std::max(1.0, seconds / unit.seconds)));
  return std::to_string(count) + " " + (count == 1 ? unit.one : unit.many);
}

std::string AboutDuration(double seconds) {
  const std::string duration = FormatDuration(seconds);
  return duration.starts_with("more") ? duration : "about " + duration;
}

std::string FormatLongSearch(const SearchForecast& forecast) {
  std::string text = "This search would take " + AboutDuration(forecast.seconds) + " (" +
                     FormatGeneral(forecast.combinations, 3) + " combinations";
  if (forecast.slowPath != SlowPath::None) {
    text += "; s" + FormatSlowPath(forecast.slowPath).substr(1);
  }
  return text + ").";
}

std::string FormatShare(double share, double secondsLeft) {
  const double percent = std::floor(std::clamp(share, 0.0, 1.0) * 100.0);
  std::string text = FormatFixed(percent, 0) + " %";
  if (std::isfinite(secondsLeft) && secondsLeft >= 0.0) {
    text += ", " + AboutDuration(secondsLeft) + " left";
  }
  return text;
}

std::string FormatSlowPath(SlowPath slowPath) {
  switch (slowPath) {
    case SlowPath::None:
      return {};
    case SlowPath::NotCovered:
      return "Slower search: the fast one does not cover these values";
    case SlowPath::Memory:
      return "Slower search: not enough memory for the fast one";
    case SlowPath::TooMany:
      return "Slower search: too many combinations for the fast one";
  }
  return {};
}

}  // namespace ordavin
