#pragma once

#include <atomic>

namespace ordavin::cli {

// Ctrl-C asks the running search to stop for the lifetime of one of these: SIGINT on POSIX,
// the console's control handler on Windows. Only the first Ctrl-C is taken; a second one
// ends the program the usual way, so that a search that does not respond can still be left.
// One scope at a time: the request is one flag for the whole program.
class InterruptScope {
 public:
  InterruptScope();  // clears the request
  ~InterruptScope();
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

  // Set by the handler, so it must be lock-free.
  static std::atomic<bool>& Requested();

 private:
  bool m_installed = false;
};

}  // namespace ordavin::cli
