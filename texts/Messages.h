#pragma once

namespace ordavin {

// Refusals of a run's preparation, shown as error boxes in the window and on stderr by the
// command line. "\n" is a line break.
inline constexpr const char* kNotEnoughValuesMessage =
    "Not enough resistor values available.\n> 1 required.";
inline constexpr const char* kDivisionFactorMessage =
    "Error: The division factor must be greater than 0 and less than 1.";
inline constexpr const char* kSeriesConstraintMessage =
    "Please check series resistance constraints";
inline constexpr const char* kParallelConstraintMessage =
    "Please check parallel resistance constraints";
inline constexpr const char* kNoCombinationsMessage = "No possible combinations.";
inline constexpr const char* kTooManyNetworksMessage =
    "Too many mixed networks: more than 2^64 to count.\nChoose fewer values or resistors.";
inline constexpr const char* kNetworksNeedMemoryMessage =
    "The mixed networks of these values need more memory than this machine allows.\nChoose "
    "fewer values or resistors.";

// A run that did not start or ended in failure; the reason follows the prefix.
inline constexpr const char* kCouldNotStartMessage = "Could not start the optimization.";
inline constexpr const char* kSearchFailedPrefix = "The optimization failed: ";
inline constexpr const char* kOutOfMemoryMessage = "Not enough memory for the search.";

inline constexpr const char* kLoadingFailedMessage = "Loading failed.";
inline constexpr const char* kNoSeriesFilesMessage = "No resistor series files were found.";

inline constexpr const char* kOptimizationFinishedText = "Optimization finished";
inline constexpr const char* kOptimizationAbortedText = "Optimization aborted by user";
inline constexpr const char* kIdleText = "Idle";

}  // namespace ordavin
