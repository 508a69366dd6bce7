#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ordavin {

// What a series file defines: base values, decade exponents and the bounds on the values
// they generate. The two lists have fixed capacities; a file fills them from the front.
struct SeriesDefinition {
  static constexpr std::uint32_t kBaseValueCapacity = 1000;
  static constexpr std::uint32_t kDecadeCapacity = 20;
  static constexpr double kInitialMinimum = 0.0;
  static constexpr double kInitialMaximum = 1e301;

  std::vector<double> baseValueSlots = std::vector<double>(kBaseValueCapacity, 0.0);
  std::vector<double> decadeSlots = std::vector<double>(kDecadeCapacity, 0.0);
  std::uint32_t baseValueCount = 0;
  std::uint32_t decadeCount = 0;
  double minimum = kInitialMinimum;
  double maximum = kInitialMaximum;

  std::span<const double> BaseValues() const {
    return std::span<const double>(baseValueSlots).first(baseValueCount);
  }
  std::span<const double> Decades() const {
    return std::span<const double>(decadeSlots).first(decadeCount);
  }
};

}  // namespace ordavin
