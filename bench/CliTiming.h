#pragma once

#include <string>
#include <vector>

namespace ordavin::divider_bench {

// Wall time of `runs` whole ordavin-cli processes on the E24 2+2 search, sorted; empty when
// one of them could not be run or failed.
std::vector<double> CliTimes(const std::string& cli, int runs);

}  // namespace ordavin::divider_bench
