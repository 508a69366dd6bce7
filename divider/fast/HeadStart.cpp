#include "divider/fast/HeadStart.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <vector>

#include "divider/DividerArithmetic.h"
#include "divider/fast/SideSource.h"
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
  const auto last = static_cast<std::int32_t>(m_plan.n) - 1;
  for (std::uint64_t first = 0; first < count; first += kHeadStartStride) {
    if (abortRequested.load(std::memory_order_relaxed) ||
        m_cancelled.load(std::memory_order_relaxed)) {
      return;
    }
    const std::uint64_t end = std::min(count, first + kHeadStartStride);
    for (std::uint64_t rank = first; rank < end; ++rank) {
      const DividerEvaluation e =
          EvaluateDivider(EvaluateNetwork(m_values, upper, p.upperCount, p.upperMode), lower, p);
      if (PassesDividerFilters(e, p)) {
        ++m_matching;
        m_best.Offer({std::fabs(e.error), rank});  // lower rank 0: the key is the upper rank
      }
      MultisetRanks::Next(upper, p.upperCount, last);
    }
    m_visited.fetch_add(end - first, std::memory_order_relaxed);
    m_accountedUppers = end;
  }
}

}  // namespace ordavin::fast_divider
