#pragma once

namespace ordavin::cli {

// Option names, shared by the parser and the messages that name them.
namespace option_names {
inline constexpr const char* kSeries = "--series";
inline constexpr const char* kJson = "--json";
inline constexpr const char* kFormat = "--format";
inline constexpr const char* kFactor = "--factor";
inline constexpr const char* kTolerance = "--tolerance";
inline constexpr const char* kUpper = "--upper";
inline constexpr const char* kUpperMode = "--upper-mode";
inline constexpr const char* kLower = "--lower";
inline constexpr const char* kLowerMode = "--lower-mode";
inline constexpr const char* kSeriesWindow = "--series-window";
inline constexpr const char* kParallelWindow = "--parallel-window";
inline constexpr const char* kSource = "--source";
inline constexpr const char* kLoad = "--load";
inline constexpr const char* kMaxResults = "--max-results";
inline constexpr const char* kUntick = "--untick";
inline constexpr const char* kForce = "--force";
inline constexpr const char* kPartTolerance = "--part-tolerance";
inline constexpr const char* kVoltage = "--voltage";
inline constexpr const char* kTarget = "--target";
inline constexpr const char* kCount = "--count";
inline constexpr const char* kConnection = "--connection";
inline constexpr const char* kAttenuation = "DB";
inline constexpr const char* kUOut = "UOUT";
inline constexpr const char* kURef = "UREF";
inline constexpr const char* kUGnd = "UGND";
}  // namespace option_names

}  // namespace ordavin::cli
