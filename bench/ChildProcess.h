#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ordavin::divider_bench {

// What a child process reports back, as one line of text.
struct Report {
  double seconds = 0;  // straightforward: measured or extrapolated; fast: cold
  double warm = 0;     // fast only
  double share = 1;    // straightforward: the share of the combinations it visited
  std::uint64_t total = 0;
  std::uint64_t digest = 0;
  long maxRssKiB = 0;
  bool ok = false;
};

// Runs `body` in a child process of its own, so that its peak memory is its own; body
// returns the report line (see ReportLine).
Report InChild(const std::function<std::string()>& body);

std::string ReportLine(double seconds, double warm, double share, std::uint64_t total,
                       std::uint64_t digest);

}  // namespace ordavin::divider_bench
