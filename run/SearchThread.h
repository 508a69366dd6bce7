#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace ordavin {

// Runs one search on a thread of its own and times it with a monotonic clock around the
// search alone. The completion callback runs on the worker thread after the search returned;
// whoever receives it (a queued call in the window, a join on the command line) then sees
// every result the search wrote.
class SearchThread {
 public:
  using Search = std::function<void(const std::atomic<bool>& abortRequested)>;
  using Completion = std::function<void(double seconds)>;

  SearchThread() = default;
  ~SearchThread();
  SearchThread(const SearchThread&) = delete;
  SearchThread& operator=(const SearchThread&) = delete;

  // False when a thread could not be started (or one is still attached); nothing runs then.
  bool Start(Search search, const std::atomic<bool>& abortRequested, Completion onFinished);

  // Waits for the thread to end. Safe to call when none was started.
  void Join();

  // Seconds the last search took; valid once its completion has been seen.
  double Duration() const { return m_duration; }
  // Why the last search stopped short (it ran out of memory, say); empty when it did not.
  const std::string& Failure() const { return m_failure; }

 private:
  std::thread m_thread;
  double m_duration = 0.0;
  std::string m_failure;
};

}  // namespace ordavin
