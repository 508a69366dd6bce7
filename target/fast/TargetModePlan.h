#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "target/fast/ErrorOfSum.h"
#include "target/fast/SumBits.h"

namespace ordavin::fast_target {

// One connection's view of the search: its terms, error and the sorted prefixes. Not searched
// unless prepared.
class TargetModePlan {
 public:
  // The terms of the n values and the sums that match within the tolerance.
  void Prepare(bool parallel, const double* values, std::uint32_t n, double target,
               double tolerance);
  // The prefixes of prefixLength (1 or 2) positions, bucketed by their last position and
  // dropping those already too large; lastColex is what that position adds to a prefix's
  // rank. False when aborted.
  bool BucketPrefixes(std::uint32_t n, std::uint32_t prefixLength,
                      const std::vector<std::uint64_t>& lastColex,
                      const std::atomic<bool>& abortRequested);

  bool Searched() const { return m_searched; }
  // Added to the doubled rank in "Parallel + series".
  std::uint64_t SeriesBit() const { return m_seriesBit; }
  double Term(std::uint32_t position) const { return m_terms[position]; }
  // Non-decreasing (non-increasing) with the position.
  bool TermsRising() const { return m_termsRising; }
  bool TermsFalling() const { return m_termsFalling; }
  const ErrorOfSum& Error() const { return m_error; }
  // The matching sums: [MatchFrom(), MatchEnd()) as bits.
  std::uint64_t MatchFrom() const { return m_matchFrom; }
  std::uint64_t MatchEnd() const { return m_matchEnd; }

  // The kept prefixes whose last position is l: [BucketStart(l), BucketStart(l + 1)) of
  // Sums()/Ranks(), sorted by sum.
  std::size_t BucketStart(std::size_t last) const { return m_bucketStart[last]; }
  const std::vector<double>& Sums() const { return m_sums; }
  const std::vector<std::uint32_t>& Ranks() const { return m_ranks; }

 private:
  bool m_searched = false;  // can match at all
  std::uint64_t m_seriesBit = 0;
  std::vector<double> m_terms;
  bool m_termsRising = true;
  bool m_termsFalling = true;
  ErrorOfSum m_error;
  std::uint64_t m_matchFrom = kNoSum;
  std::uint64_t m_matchEnd = kNoSum;
  std::vector<std::size_t> m_bucketStart;
  std::vector<double> m_sums;
  std::vector<std::uint32_t> m_ranks;
};

}  // namespace ordavin::fast_target
