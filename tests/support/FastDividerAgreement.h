#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "divider/DividerEngine.h"
#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/CaseTexts.h"
#include "support/ExactDoubles.h"
#include "values/ValueSet.h"

namespace ordavin::testing {

// The fast divider engine against the straightforward one.

// Counts, kept rows (index vectors, modes, every figure by its bits) and the placeholders
// the reference leaves in the slots it did not fill.
inline ::testing::AssertionResult SameOutcome(const DividerEngine& fast, std::uint64_t fastReturned,
                                              const DividerEngine& reference,
                                              std::uint64_t referenceReturned) {
  if (fast.VisitedCount() != reference.VisitedCount()) {
    return ::testing::AssertionFailure()
           << "visited " << fast.VisitedCount() << ", reference " << reference.VisitedCount();
  }
  if (fast.MatchingCount() != reference.MatchingCount() || fastReturned != referenceReturned) {
    return ::testing::AssertionFailure()
           << "matching " << fast.MatchingCount() << " (returned " << fastReturned
           << "), reference " << reference.MatchingCount();
  }
  const auto got = fast.KeptMatches();
  const auto want = reference.KeptMatches();
  if (got.size() != want.size()) {
    return ::testing::AssertionFailure() << "kept " << got.size() << ", reference " << want.size();
  }
  for (std::size_t i = 0; i < got.size(); ++i) {
    const DividerMatch& a = got[i];
    const DividerMatch& b = want[i];
    if (a.indices != b.indices || a.upperMode != b.upperMode || a.lowerMode != b.lowerMode) {
      std::ostringstream os;
      for (const auto d : a.indices) os << d << ' ';
      os << "| reference ";
      for (const auto d : b.indices) os << d << ' ';
      return ::testing::AssertionFailure() << "row " << i << ": " << os.str() << "(errors "
                                           << Num(a.error) << ", " << Num(b.error) << ")";
    }
    const std::array<std::pair<double, double>, 6> figures = {{{a.ruTotal, b.ruTotal},
                                                               {a.rlTotal, b.rlTotal},
                                                               {a.divisionFactor, b.divisionFactor},
                                                               {a.rserTotal, b.rserTotal},
                                                               {a.rparTotal, b.rparTotal},
                                                               {a.error, b.error}}};
    for (std::size_t f = 0; f < figures.size(); ++f) {
      if (!SameBits(figures[f].first, figures[f].second)) {
        return ::testing::AssertionFailure()
               << "row " << i << ", figure " << f << ": " << Num(figures[f].first) << " vs "
               << Num(figures[f].second);
      }
    }
  }
  const std::uint32_t capacity = fast.Parameters().maxResults;
  for (std::size_t j = got.size(); j < capacity; ++j) {
    if (!SameBits(fast.BestMatchSlots()[j].error, reference.BestMatchSlots()[j].error)) {
      return ::testing::AssertionFailure() << "placeholder " << j << " differs";
    }
  }
  return ::testing::AssertionSuccess();
}

// Runs both engines on the case; false (with a failure recorded) when they disagree.
inline bool Agree(const ValueSet& set, const DividerParameters& p,
                  const FastDividerEngine::Tuning& tuning = {},
                  FastDividerEngine::RunInfo* info = nullptr) {
  const std::atomic<bool> abort{false};
  FastDividerEngine fast(set);
  fast.SetTuning(tuning);
  fast.SetParameters(p);
  const std::uint64_t fastReturned = fast.Optimize(abort);
  StraightforwardDividerEngine reference(set);
  reference.SetParameters(p);
  const std::uint64_t referenceReturned = reference.Optimize(abort);
  if (info != nullptr) *info = fast.LastRun();
  const auto same = SameOutcome(fast, fastReturned, reference, referenceReturned);
  if (same) return true;
  ADD_FAILURE() << same.message() << "\n  "
                << Describe({set.WorkingValues().begin(), set.WorkingValues().end()}, p)
                << (fast.LastRun().fallback ? " (fell back)" : "");
  return false;
}

}  // namespace ordavin::testing
