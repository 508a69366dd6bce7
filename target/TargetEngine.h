#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "target/TargetMatch.h"
#include "target/TargetParameters.h"

namespace ordavin {

class ValueSet;

// What every target-resistance search engine offers; used like DividerEngine.
class TargetEngine {
 public:
  explicit TargetEngine(const ValueSet& values);
  virtual ~TargetEngine();
  TargetEngine(const TargetEngine&) = delete;
  TargetEngine& operator=(const TargetEngine&) = delete;

  // Takes a copy of the parameters, clears the matching count and makes room for
  // maxResults matches; the best-results array grows but never shrinks.
  void SetParameters(const TargetParameters& parameters);
  const TargetParameters& Parameters() const { return m_parameters; }

  virtual std::uint64_t Optimize(const std::atomic<bool>& abortRequested) = 0;

  std::uint64_t VisitedCount() const { return m_visitedCount.load(std::memory_order_relaxed); }
  std::uint64_t MatchingCount() const { return m_matchingCount; }
  std::span<const TargetMatch> KeptMatches() const;
  std::span<const TargetMatch> BestMatchSlots() const { return m_bestMatches; }
  const ValueSet& Values() const { return m_values; }

 protected:
  const ValueSet& m_values;
  TargetParameters m_parameters;
  std::vector<TargetMatch> m_bestMatches;
  std::atomic<std::uint64_t> m_visitedCount{0};
  std::uint64_t m_matchingCount = 0;
};

}  // namespace ordavin
