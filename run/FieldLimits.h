#pragma once

#include <cstdint>

namespace ordavin {

// The inclusive range of a number field or option.
struct FieldRange {
  double min;
  double max;
  bool Contains(double value) const { return min <= value && value <= max; }
};

struct CountRange {
  std::uint32_t min;
  std::uint32_t max;
  bool Contains(std::uint64_t value) const { return min <= value && value <= max; }
};

// The divider page's defaults and ranges.
namespace divider_fields {
inline constexpr const char* kDivisionFactorText = "1.25/3.3";
inline constexpr double kTolerance = 0.05;
inline constexpr FieldRange kToleranceRange{0, 5};
inline constexpr double kSeriesMin = 1000.0;
inline constexpr double kSeriesMax = 100000.0;
inline constexpr bool kSeriesEnabled = true;
inline constexpr FieldRange kSeriesMinRange{0, 1e12};
inline constexpr FieldRange kSeriesMaxRange{0, 1e31};
inline constexpr double kParallelMin = 1000.0;
inline constexpr double kParallelMax = 100000.0;
inline constexpr bool kParallelEnabled = false;
inline constexpr FieldRange kParallelMinRange{0, 1e31};
inline constexpr FieldRange kParallelMaxRange{0, 1e31};
inline constexpr double kAttenuation = 12.0;
inline constexpr FieldRange kAttenuationRange{0, 300};
inline constexpr double kUOut = 3.3;
inline constexpr double kURef = 1.25;
inline constexpr double kUGnd = 0.0;
inline constexpr std::uint32_t kMaxResults = 10;
inline constexpr CountRange kMaxResultsRange{1, 1000};
inline constexpr double kSourceResistance = 0.0;
inline constexpr FieldRange kSourceResistanceRange{0, 1e12};
inline constexpr double kLoadResistance = 0.0;
inline constexpr FieldRange kLoadResistanceRange{0, 1e12};
inline constexpr CountRange kNetworkCountRange{1, 4};
}  // namespace divider_fields

// The target page's defaults and ranges.
namespace target_fields {
inline constexpr double kTargetResistance = 1234.5;
inline constexpr FieldRange kTargetResistanceRange{0, 1e20};
inline constexpr double kTolerance = 0.005;
inline constexpr FieldRange kToleranceRange{0, 10};
inline constexpr std::uint32_t kMaxResults = 10;
inline constexpr CountRange kMaxResultsRange{1, 1000};
inline constexpr CountRange kResistorCountRange{2, 5};
}  // namespace target_fields

// The details window's fields and the command line's options of the same names.
namespace check_fields {
inline constexpr double kPartTolerance = 0.01;
inline constexpr FieldRange kPartToleranceRange{0, 0.2};
inline constexpr double kVoltage = 5.0;
inline constexpr FieldRange kVoltageRange{0, 1e6};
}  // namespace check_fields

}  // namespace ordavin
