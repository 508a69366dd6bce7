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

// What the runner shows of a running search.
struct SearchWatch {
  // The progress line, given the seconds since the start.
  std::function<std::string(double elapsedSeconds)> progressLine;
  // A notice written once, on a line of its own, as soon as it is not empty (a drop to the
  // slower engine); may be left unset.
  std::function<std::string()> notice;
};

// Runs one search on a worker thread. Meanwhile Ctrl-C (SIGINT) asks the search to stop; a
// second Ctrl-C ends the program the usual way. With showProgress the progress line is
// shown on `progress` four times a second, on one line that is cleared at the end. The
// notice, when there is one, goes to `progress` whether shown on a terminal or not. The
// completion text ("Optimization finished" or "... aborted by user") then goes to
// `progress` as a line of its own, unless the search failed.
SearchOutcome RunSearch(const std::function<void(const std::atomic<bool>&)>& search,
                        const SearchWatch& watch, bool showProgress, std::ostream& progress);

}  // namespace ordavin::cli
