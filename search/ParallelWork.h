#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace ordavin {

// The number of threads worth running a search on: one per core, at least one.
unsigned CoreCount();

// Runs task(worker) for every worker in [0, workers): worker 0 on the calling thread, the
// others on threads of their own. A thread that cannot be started has its task run on the
// calling thread afterwards, so every worker's task runs exactly once. Returns when all have
// ended; the first exception a task threw is then rethrown.
void RunWorkers(unsigned workers, const std::function<void(unsigned worker)>& task);

// Runs a search on a thread of its own and copies its visited count into mirror every
// 10 ms, so that whoever shows the mirror's progress sees it move. Runs the search on the
// calling thread when no thread can be started. Rethrows what the search threw.
void RunMirroringProgress(const std::function<void()>& search,
                          const std::function<std::uint64_t()>& visited,
                          std::atomic<std::uint64_t>& mirror);

}  // namespace ordavin
