#include "divider/fast/HeadStart.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <vector>

#include "divider/DividerArithmetic.h"
#include "divider/fast/SideSource.h"
#include "search/GallopingSearch.h"
#include "search/MultisetRanks.h"

namespace ordavin::fast_divider {
namespace {

// Upper ranks the head start takes between two looks at the abort flag.
constexpr std::uint64_t kHeadStartStride = std::uint64_t{1} << 14;

}  // namespace

HeadStart::HeadStart(const DividerParameters& p, const Plan& plan, const double* values,
                     std::atomic<std::uint64_t>& visited)
    : m_best(p.maxResults), m_p(p), m_plan(plan), m_values(values), m_visited(visited) {}

void HeadStart::Start(bool beside, const std::atomic<bool>& abortRequested) {
  if (beside) {
    try {
      m_thread = std::thread([this, &abortRequested] { Run(abortRequested); });
    } catch (const std::system_error&) {
      // Run below, before the build.
    }
  }
  if (!m_thread.joinable()) Run(abortRequested);
}

void HeadStart::Finish() {
  if (m_thread.joinable()) m_thread.join();
}

void HeadStart::Stop() {
  m_cancelled.store(true);
  Finish();
}

void HeadStart::Run(const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_p;
  const std::vector<std::int32_t> zeros(p.lowerCount, 0);
  const NetworkTotal lower = EvaluateNetwork(m_values, zeros.data(), p.lowerCount, p.lowerMode);
  const std::uint64_t count = m_plan.upper.Count();
  // A lower network out of every upper one's reach matches none of them.
  const SideSource lowerSide(m_plan.lowerTerms, m_plan.lower, m_plan.lowerForm, p, m_plan.tests,
                             m_plan.reach, false, m_plan.ascending);
  if (!lowerSide.Keeps(m_plan.lowerForm.parallel ? lower.conductance : lower.total)) {
    if (abortRequested.load(std::memory_order_relaxed)) return;
    m_visited.fetch_add(count, std::memory_order_relaxed);
    m_accountedUppers = count;
    return;
  }
  std::int32_t upper[MultisetRanks::kMaxCount] = {};
  for (std::uint64_t first = 0; first < count; first += kHeadStartStride) {
    if (abortRequested.load(std::memory_order_relaxed) ||
        m_cancelled.load(std::memory_order_relaxed)) {
      return;
    }
    const std::uint64_t end = std::min(count, first + kHeadStartStride);
    if (m_plan.ascending) {
      MatchGroups(first, end, lower, upper);
    } else {
      MatchEach(first, end, lower, upper);
    }
    m_visited.fetch_add(end - first, std::memory_order_relaxed);
    m_accountedUppers = end;
  }
}

void HeadStart::Offer(const DividerEvaluation& e, std::uint64_t upperRank) {
  if (!PassesDividerFilters(e, m_p)) return;
  ++m_matching;
  m_best.Offer({std::fabs(e.error), upperRank});  // lower rank 0: the key is the upper rank
}

void HeadStart::MatchEach(std::uint64_t first, std::uint64_t end, NetworkTotal lower,
                          std::int32_t* upper) {
  const DividerParameters& p = m_p;
  const auto last = static_cast<std::int32_t>(m_plan.n) - 1;
  for (std::uint64_t rank = first; rank < end; ++rank) {
    Offer(EvaluateDivider(EvaluateNetwork(m_values, upper, p.upperCount, p.upperMode), lower, p),
          rank);
    MultisetRanks::Next(upper, p.upperCount, last);
  }
}

// With the values in ascending order, the upper multisets that differ only in their first
// digit grow in total with it, and against one lower network every test of a match turns
// only once along them: the error falls, the series and parallel totals grow. So a group's
// matches are one range of first digits, found by two searches.
void HeadStart::MatchGroups(std::uint64_t first, std::uint64_t end, NetworkTotal lower,
                            std::int32_t* upper) {
  const DividerParameters& p = m_p;
  const std::uint32_t count = p.upperCount;
  const auto last = static_cast<std::int32_t>(m_plan.n) - 1;
  const auto evaluate = [&](std::int32_t digit) {
    upper[0] = digit;
    return EvaluateDivider(EvaluateNetwork(m_values, upper, count, p.upperMode), lower, p);
  };
  // What a small upper total fails, and what a large one fails; together PassesDividerFilters.
  const auto largeEnough = [&](std::int32_t digit) {
    const DividerEvaluation e = evaluate(digit);
    return e.error <= p.tolerance && p.seriesMin <= e.rserTotal && p.parallelMin <= e.rparTotal;
  };
  const auto smallEnough = [&](std::int32_t digit) {
    const DividerEvaluation e = evaluate(digit);
    return -p.tolerance <= e.error && e.rserTotal <= p.seriesMax && e.rparTotal <= p.parallelMax;
  };
  for (std::uint64_t rank = first; rank < end;) {
    const std::int32_t top = count > 1 ? upper[1] : last;
    const std::uint64_t base = rank - static_cast<std::uint64_t>(upper[0]);
    const auto to = static_cast<std::int32_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(top) + 1, end - base));
    const std::int32_t begin = FirstTrue(upper[0], to, largeEnough);
    const std::int32_t stop =
        FirstTrue(begin, to, [&](std::int32_t digit) { return !smallEnough(digit); });
    for (std::int32_t d = begin; d < stop; ++d) {
      Offer(evaluate(d), base + static_cast<std::uint64_t>(d));
    }
    if (to <= top) {  // the stride ends inside this group
      upper[0] = to;
      return;
    }
    rank = base + static_cast<std::uint64_t>(top) + 1;
    upper[0] = top;
    MultisetRanks::Next(upper, count, last);
  }
}

}  // namespace ordavin::fast_divider
