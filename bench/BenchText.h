#pragma once

#include <string>

namespace ordavin::divider_bench {

// The machine's load average over 1, 5 and 15 minutes.
std::string LoadAverage();

// A time in the unit that reads best: ms, s, min, h or days.
std::string Duration(double seconds);

// A peak memory in MiB or GiB.
std::string Memory(long kib);

}  // namespace ordavin::divider_bench
