#pragma once

namespace ordavin::cli {

// What the exit code tells a calling script.
inline constexpr int kExitSuccess = 0;  // the search ran, with or without matches
inline constexpr int kExitRefused = 1;  // not loaded, run refused, or check found something
inline constexpr int kExitUsage = 2;    // malformed options or values outside their ranges
// Ctrl-C stopped the search; the best matches found so far were still written, as the shell
// convention for an interrupted command (128 + SIGINT) asks.
inline constexpr int kExitInterrupted = 130;

}  // namespace ordavin::cli
