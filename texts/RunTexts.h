#pragma once

#include <cstdint>
#include <string>

namespace ordavin {

// "Optimizing, N combinations checked"
std::string FormatProgress(std::uint64_t visitedCount);

// "Optimization finished" or "Optimization aborted by user".
std::string FormatCompletion(bool aborted);

// The summary box after a run, three lines.
std::string FormatSummary(std::uint64_t visitedCount, std::uint64_t matchingCount, double seconds);

// "N resistor values loaded."
std::string FormatValuesLoaded(std::uint32_t count);

}  // namespace ordavin
