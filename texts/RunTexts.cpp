#include "texts/RunTexts.h"

#include "texts/Messages.h"
#include "values/NumberText.h"

namespace ordavin {

std::string FormatProgress(std::uint64_t visitedCount) {
  return "Optimizing, " + std::to_string(visitedCount) + " combinations checked";
}

std::string FormatCompletion(bool aborted) {
  return aborted ? kOptimizationAbortedText : kOptimizationFinishedText;
}

std::string FormatSummary(std::uint64_t visitedCount, std::uint64_t matchingCount, double seconds) {
  return "Total possible combinations = " + std::to_string(visitedCount) +
         "\nMatching = " + std::to_string(matchingCount) + "\nOptimization took " +
         FormatFixed(seconds, 3) + " seconds.";
}

std::string FormatValuesLoaded(std::uint32_t count) {
  return std::to_string(count) + " resistor values loaded.";
}

}  // namespace ordavin
