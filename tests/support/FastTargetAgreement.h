#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "support/CaseTexts.h"
#include "support/ExactDoubles.h"
#include "target/FastTargetEngine.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetEngine.h"
#include "target/TargetMatch.h"
#include "target/TargetParameters.h"
#include "values/ValueSet.h"

namespace ordavin::testing {

// The fast target engine against the straightforward one.

// Rows, both counts and the return value, to the last bit.
inline ::testing::AssertionResult SameResult(const TargetEngine& want, std::uint64_t wantReturned,
                                             const TargetEngine& got, std::uint64_t gotReturned) {
  if (got.VisitedCount() != want.VisitedCount()) {
    return ::testing::AssertionFailure()
           << "visited " << got.VisitedCount() << ", expected " << want.VisitedCount();
  }
  if (got.MatchingCount() != want.MatchingCount() || gotReturned != wantReturned) {
    return ::testing::AssertionFailure() << "matching " << got.MatchingCount() << " (returned "
                                         << gotReturned << "), expected " << want.MatchingCount();
  }
  const auto a = want.KeptMatches();
  const auto b = got.KeptMatches();
  if (a.size() != b.size()) {
    return ::testing::AssertionFailure() << "kept " << b.size() << ", expected " << a.size();
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].indices != b[i].indices || a[i].isParallel != b[i].isParallel ||
        a[i].network != b[i].network || !SameBits(a[i].total, b[i].total) ||
        !SameBits(a[i].error, b[i].error)) {
      std::ostringstream os;
      os << "row " << i << ": got {";
      for (const auto x : b[i].indices) os << x << ' ';
      os << (b[i].isParallel ? "P" : "S") << " " << Num(b[i].total) << " " << Num(b[i].error)
         << "}, expected {";
      for (const auto x : a[i].indices) os << x << ' ';
      os << (a[i].isParallel ? "P" : "S") << " " << Num(a[i].total) << " " << Num(a[i].error)
         << "}";
      return ::testing::AssertionFailure() << os.str();
    }
  }
  return ::testing::AssertionSuccess();
}

struct TargetComparison {
  bool same = false;
  bool fallback = false;       // the fast engine handed the search to the straightforward one
  std::uint64_t matching = 0;  // the reference's matching count
};

// Runs both engines on the same input and compares them; a disagreement is recorded as a
// failure, prefixed by `what`.
inline TargetComparison RunBoth(const ValueSet& set, const TargetParameters& p,
                                unsigned workers = 0, const char* what = "",
                                std::uint64_t mixedListed = 0) {
  StraightforwardTargetEngine reference(set);
  FastTargetEngine fast(set);
  FastTargetEngine::Tuning tuning;
  tuning.workers = workers;
  tuning.mixedListed = mixedListed;
  fast.SetTuning(tuning);
  const std::atomic<bool> abort{false};
  reference.SetParameters(p);
  fast.SetParameters(p);
  const std::uint64_t r = reference.Optimize(abort);
  const std::uint64_t f = fast.Optimize(abort);
  const auto same = SameResult(reference, r, fast, f);
  if (!same) {
    ADD_FAILURE() << what << same.message() << "\n  "
                  << Describe({set.WorkingValues().begin(), set.WorkingValues().end()}, p);
  }
  return {static_cast<bool>(same), fast.LastRun().fallback, reference.MatchingCount()};
}

}  // namespace ordavin::testing
