#include "cli/SearchRunner.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <string>

#include "run/SearchThread.h"
#include "texts/RunTexts.h"

namespace ordavin::cli {
namespace {

// Set from the signal handler, so it must be lock-free.
std::atomic<bool> g_abortRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RequestAbort(int) { g_abortRequested.store(true, std::memory_order_relaxed); }

constexpr auto kProgressInterval = std::chrono::milliseconds(250);
constexpr const char* kReturnAndClearLine = "\r\x1b[K";

// Our SIGINT handler for the lifetime of one search. SA_RESETHAND puts the default action
// back once it has fired, so a second Ctrl-C still ends a program that does not respond.
class InterruptScope {
 public:
  InterruptScope() {
    struct sigaction action {};
    action.sa_handler = RequestAbort;
    sigemptyset(&action.sa_mask);
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    m_installed = sigaction(SIGINT, &action, &m_previous) == 0;
  }
  ~InterruptScope() {
    if (m_installed) sigaction(SIGINT, &m_previous, nullptr);
  }
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

 private:
  struct sigaction m_previous {};
  bool m_installed = false;
};

}  // namespace

SearchOutcome RunSearch(const std::function<void(const std::atomic<bool>&)>& search,
                        const SearchWatch& watch, bool showProgress, std::ostream& progress) {
  SearchOutcome outcome;
  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  bool aborted = false;

  g_abortRequested.store(false);
  InterruptScope interrupts;
  SearchThread worker;
  const bool started = worker.Start(
      [&search, &aborted](const std::atomic<bool>& abortRequested) {
        search(abortRequested);
        aborted = abortRequested.load();
      },
      g_abortRequested,
      [&](double) {
        {
          std::lock_guard lock(mutex);
          finished = true;
        }
        finishedSignal.notify_one();
      });
  if (!started) return outcome;
  outcome.started = true;

  const auto start = std::chrono::steady_clock::now();
  bool progressShown = false;
  bool noticeShown = false;
  const auto showNotice = [&] {
    if (noticeShown || !watch.notice) return;
    const std::string notice = watch.notice();
    if (notice.empty()) return;
    if (progressShown) progress << kReturnAndClearLine;
    progress << notice << '\n' << std::flush;
    noticeShown = true;
  };
  {
    std::unique_lock lock(mutex);
    while (!finishedSignal.wait_for(lock, kProgressInterval, [&] { return finished; })) {
      showNotice();
      if (!showProgress) continue;
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      progress << kReturnAndClearLine << watch.progressLine(elapsed.count()) << std::flush;
      progressShown = true;
    }
  }
  worker.Join();
  if (progressShown) progress << kReturnAndClearLine;
  showNotice();

  outcome.failure = worker.Failure();
  outcome.seconds = worker.Duration();
  // A search that threw did not finish: its failure is the only thing to report.
  if (!outcome.failure.empty()) return outcome;
  outcome.aborted = aborted;
  progress << FormatCompletion(outcome.aborted) << '\n' << std::flush;
  return outcome;
}

}  // namespace ordavin::cli
