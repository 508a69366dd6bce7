#pragma once

#include <chrono>

namespace ordavin::divider_bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace ordavin::divider_bench
