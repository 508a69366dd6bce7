#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace ordavin::cli {

struct SearchOutcome {
  bool started = false;  // false: no thread could be started, nothing ran
  bool aborted = false;  // Ctrl-C stopped the search; the results cover what was visited
  double seconds = 0.0;
  std::string failure;  // why the search stopped short, empty when it did not
};

// Runs one search on a worker thread. Meanwhile Ctrl-C (SIGINT) asks the search to stop; a
// second Ctrl-C ends the program the usual way. With showProgress the visited count is
// shown on `progress` four times a second, on one line that is cleared at the end. The
// completion text ("Optimization finished" or "... aborted by user") then goes to
// `progress` as a line of its own, unless the search failed.
SearchOutcome RunSearch(const std::function<void(const std::atomic<bool>&)>& search,
                        const std::function<std::uint64_t()>& visitedCount, bool showProgress,
                        std::ostream& progress);

}  // namespace ordavin::cli
