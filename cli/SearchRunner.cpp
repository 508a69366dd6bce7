#include "cli/SearchRunner.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "cli/InterruptScope.h"
#include "run/SearchThread.h"
#include "texts/RunTexts.h"

namespace ordavin::cli {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);
constexpr const char* kReturnAndClearLine = "\r\x1b[K";

}  // namespace

SearchOutcome RunSearch(const std::function<void(const std::atomic<bool>&)>& search,
                        const SearchWatch& watch, bool showProgress, std::ostream& progress) {
  SearchOutcome outcome;
  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  bool aborted = false;

  InterruptScope interrupts;
  SearchThread worker;
  const bool started = worker.Start(
      [&search, &aborted](const std::atomic<bool>& abortRequested) {
        search(abortRequested);
        aborted = abortRequested.load();
      },
      InterruptScope::Requested(),
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
