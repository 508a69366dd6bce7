#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "search/ParallelWork.h"
#include "search/SearchForecast.h"

namespace ordavin {

// What every search engine offers: parameters in, ranked matches and counts out. Set the
// parameters on the owning thread, run Optimize on a worker, read the results after the
// worker has ended. Only the visited count may be read while Optimize runs.
//
// Params needs `maxResults` and `tolerance`; Match needs a signed relative `error`.
template <class ValueSource, class Params, class Match>
class SearchEngine {
 public:
  explicit SearchEngine(const ValueSource& values) : m_values(values) {}
  virtual ~SearchEngine() = default;
  SearchEngine(const SearchEngine&) = delete;
  SearchEngine& operator=(const SearchEngine&) = delete;

  // Takes a copy of the parameters and makes room for maxResults matches; the best-results
  // array grows but never shrinks. The last run's counts and matches stay readable.
  void SetParameters(const Params& parameters) {
    m_parameters = parameters;
    if (m_bestMatches.size() < parameters.maxResults) m_bestMatches.resize(parameters.maxResults);
  }
  const Params& Parameters() const { return m_parameters; }

  // Runs the whole search on the calling thread. Stops early, with the results of what was
  // visited, once abortRequested reads true. Returns the matching count.
  virtual std::uint64_t Optimize(const std::atomic<bool>& abortRequested) = 0;

  // The expected size and duration of Optimize with the parameters set and the working set
  // as it is now.
  virtual SearchForecast Forecast() const = 0;

  std::uint64_t VisitedCount() const { return m_visitedCount.load(std::memory_order_relaxed); }
  // Whether the run was handed to the straightforward engine, and why; like the visited count
  // it may be read while Optimize runs.
  SlowPath SlowPathTaken() const { return m_slowPath.load(std::memory_order_relaxed); }
  std::uint64_t MatchingCount() const { return m_matchingCount; }
  // The real matches of the last run, best first: min(matching, maxResults) of them.
  std::span<const Match> KeptMatches() const {
    const std::uint64_t rows = std::min<std::uint64_t>(m_matchingCount, m_parameters.maxResults);
    return std::span<const Match>(m_bestMatches).first(static_cast<std::size_t>(rows));
  }
  // The whole best-results array, placeholders and stale entries included.
  std::span<const Match> BestMatchSlots() const { return m_bestMatches; }
  const ValueSource& Values() const { return m_values; }

 protected:
  // Marks the first maxResults slots as empty: an error no match can have.
  void ClearBestMatches() {
    if (m_bestMatches.size() < m_parameters.maxResults) {
      m_bestMatches.resize(m_parameters.maxResults);
    }
    for (std::uint32_t j = 0; j < m_parameters.maxResults; ++j) {
      m_bestMatches[j].error = m_parameters.tolerance + 1.0;
    }
  }

  // The slot a match with this |error| takes among the best, ahead of equal ones, after the
  // last slot's storage has been moved there for reuse; null when it does not rank.
  Match* MakeRoomFor(double magnitude) {
    const std::uint32_t capacity = m_parameters.maxResults;
    std::uint32_t j = 0;
    while (j < capacity && std::fabs(m_bestMatches[j].error) < magnitude) ++j;
    if (j == capacity) return nullptr;
    const auto first = m_bestMatches.begin() + j;
    std::rotate(first, m_bestMatches.begin() + (capacity - 1), m_bestMatches.begin() + capacity);
    return &*first;
  }

  // A fast engine's way out: `reference` runs the search instead, with the visited count
  // mirrored, and its kept matches become this engine's. Returns the matching count.
  std::uint64_t RunInstead(SearchEngine& reference, SlowPath why,
                           const std::atomic<bool>& abortRequested) {
    m_slowPath.store(why, std::memory_order_relaxed);
    reference.SetParameters(m_parameters);
    RunMirroringProgress([&] { reference.Optimize(abortRequested); },
                         [&] { return reference.VisitedCount(); }, m_visitedCount);
    const auto kept = reference.BestMatchSlots();
    const std::size_t count = std::min<std::size_t>(kept.size(), m_parameters.maxResults);
    if (m_bestMatches.size() < count) m_bestMatches.resize(count);
    std::copy(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count),
              m_bestMatches.begin());
    m_matchingCount = reference.MatchingCount();
    return m_matchingCount;
  }

  const ValueSource& m_values;
  Params m_parameters;
  std::vector<Match> m_bestMatches;
  std::atomic<std::uint64_t> m_visitedCount{0};
  std::atomic<SlowPath> m_slowPath{SlowPath::None};
  std::uint64_t m_matchingCount = 0;
};

}  // namespace ordavin
