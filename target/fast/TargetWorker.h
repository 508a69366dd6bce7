#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "search/RankedCandidate.h"
#include "target/FastTargetEngine.h"
#include "target/fast/FastTargetPlan.h"
#include "target/fast/RunControl.h"

namespace ordavin::fast_target {

// What the workers of one run found between them.
struct WorkerResults {
  std::vector<BestCandidates> lists;  // one per worker, in worker order
  std::uint64_t matching = 0;
  std::uint64_t accounted = 0;  // evaluations
  std::vector<FastTargetEngine::AccountedUnit> units;
};

// Runs plan.Workers() workers, each taking the next m as it finishes one, until every m is
// done or control says stop; each keeps up to capacity best matches. Progress goes to
// visited as it is made.
WorkerResults RunTargetWorkers(const FastTargetPlan& plan, std::uint32_t capacity,
                               RunControl& control, std::atomic<std::uint64_t>& visited);

}  // namespace ordavin::fast_target
