#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace ordavin::cli::testing {

struct CliResult {
  int exitCode = -1;      // -1 when the process did not exit normally
  int signal = 0;         // the signal that ended it, 0 when it exited
  bool timedOut = false;  // killed after the safety limit
  std::string out;
  std::string err;
};

// Runs the built ordavin-cli with the arguments, stdin closed, and collects both streams.
// With interruptAfter, SIGINT is sent once that much time has passed. A process still
// running after the safety limit is killed, so that a hang fails the test instead of the run.
CliResult RunCli(const std::vector<std::string>& arguments,
                 std::optional<std::chrono::milliseconds> interruptAfter = std::nullopt,
                 std::chrono::milliseconds safetyLimit = std::chrono::seconds(20));

// The leading arguments followed by the more.
inline std::vector<std::string> Arguments(std::vector<std::string> leading,
                                          const std::vector<std::string>& more) {
  leading.insert(leading.end(), more.begin(), more.end());
  return leading;
}

}  // namespace ordavin::cli::testing
