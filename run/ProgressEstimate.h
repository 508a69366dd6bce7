#pragma once

#include <cstdint>
#include <limits>

#include "search/SearchForecast.h"

namespace ordavin {

// A search longer than this is announced before it starts.
inline constexpr double kLongSearchSeconds = 3600.0;

inline bool IsLongSearch(const SearchForecast& forecast) {
  return !(forecast.seconds <= kLongSearchSeconds);
}

// How far a running search has come, as a share of the combinations it will visit, and the
// time left (infinity when it cannot be told). The fast engines account for their
// combinations unevenly (little while they sort, much while they sweep), so until a fair
// share is done the time left is the forecast's remainder; after that, the pace so far.
struct ProgressEstimate {
  double share = 0.0;
  double secondsLeft = std::numeric_limits<double>::infinity();
};

inline constexpr double kShareForPace = 0.02;

inline ProgressEstimate EstimateProgress(std::uint64_t visited, const SearchForecast& forecast,
                                         double elapsedSeconds) {
  ProgressEstimate estimate;
  if (!(forecast.combinations > 0.0)) return estimate;
  estimate.share = static_cast<double>(visited) / forecast.combinations;
  if (estimate.share > 1.0) estimate.share = 1.0;
  if (estimate.share >= kShareForPace && elapsedSeconds >= 1.0) {
    estimate.secondsLeft = elapsedSeconds * (1.0 - estimate.share) / estimate.share;
  } else if (elapsedSeconds < forecast.seconds) {
    estimate.secondsLeft = forecast.seconds - elapsedSeconds;
  }
  return estimate;
}

}  // namespace ordavin
