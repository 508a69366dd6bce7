#include "search/ParallelWork.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace ordavin {

unsigned CoreCount() { return std::max(1u, std::thread::hardware_concurrency()); }

void RunWorkers(unsigned workers, const std::function<void(unsigned worker)>& task) {
  if (workers == 0) return;
  std::mutex mutex;
  std::exception_ptr firstFailure;
  const auto guarded = [&](unsigned worker) {
    try {
      task(worker);
    } catch (...) {
      std::lock_guard lock(mutex);
      if (!firstFailure) firstFailure = std::current_exception();
    }
  };

  std::vector<std::thread> threads;
  std::vector<unsigned> notStarted;
  try {
    threads.reserve(workers - 1);
    notStarted.reserve(workers - 1);
  } catch (const std::bad_alloc&) {
    // No room to track threads: every task runs here, one after the other.
    for (unsigned worker = 0; worker < workers; ++worker) guarded(worker);
    if (firstFailure) std::rethrow_exception(firstFailure);
    return;
  }
  for (unsigned worker = 1; worker < workers; ++worker) {
    try {
      threads.emplace_back(guarded, worker);
    } catch (const std::system_error&) {
      notStarted.push_back(worker);  // runs on the calling thread below
    }
  }
  guarded(0);
  for (const unsigned worker : notStarted) guarded(worker);
  for (std::thread& thread : threads) thread.join();
  if (firstFailure) std::rethrow_exception(firstFailure);
}

void RunMirroringProgress(const std::function<void()>& search,
                          const std::function<std::uint64_t()>& visited,
                          std::atomic<std::uint64_t>& mirror) {
  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  std::exception_ptr failure;
  const auto run = [&] {
    try {
      search();
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard lock(mutex);
    finished = true;
    finishedSignal.notify_one();
  };
  std::thread thread;
  try {
    thread = std::thread(run);
  } catch (const std::system_error&) {
    run();
  }
  if (thread.joinable()) {
    std::unique_lock lock(mutex);
    while (
        !finishedSignal.wait_for(lock, std::chrono::milliseconds(10), [&] { return finished; })) {
      mirror.store(visited(), std::memory_order_relaxed);
    }
    lock.unlock();
    thread.join();
  }
  if (failure) std::rethrow_exception(failure);
  mirror.store(visited(), std::memory_order_relaxed);
}

}  // namespace ordavin
