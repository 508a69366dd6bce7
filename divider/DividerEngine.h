#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"

namespace ordavin {

class ValueSet;

// What every divider search engine offers: parameters in, ranked matches and counts out.
// Set the parameters on the owning thread, run Optimize on a worker, read the results after
// the worker has ended. Only the visited count may be read while Optimize runs.
class DividerEngine {
 public:
  explicit DividerEngine(const ValueSet& values);
  virtual ~DividerEngine();
  DividerEngine(const DividerEngine&) = delete;
  DividerEngine& operator=(const DividerEngine&) = delete;

  // Takes a copy of the parameters and makes room for maxResults matches; the best-results
  // array grows but never shrinks.
  void SetParameters(const DividerParameters& parameters);
  const DividerParameters& Parameters() const { return m_parameters; }

  // Runs the whole search on the calling thread. Stops early, with the results of what was
  // visited, once abortRequested reads true. Returns the matching count.
  virtual std::uint64_t Optimize(const std::atomic<bool>& abortRequested) = 0;

  std::uint64_t VisitedCount() const { return m_visitedCount.load(std::memory_order_relaxed); }
  std::uint64_t MatchingCount() const { return m_matchingCount; }
  // The real matches of the last run, best first: min(matching, maxResults) of them.
  std::span<const DividerMatch> KeptMatches() const;
  // The whole best-results array, placeholders and stale entries included.
  std::span<const DividerMatch> BestMatchSlots() const { return m_bestMatches; }
  const ValueSet& Values() const { return m_values; }

 protected:
  const ValueSet& m_values;
  DividerParameters m_parameters;
  std::vector<DividerMatch> m_bestMatches;
  std::atomic<std::uint64_t> m_visitedCount{0};
  std::uint64_t m_matchingCount = 0;
};

}  // namespace ordavin
