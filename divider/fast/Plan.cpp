#include "divider/fast/Plan.h"

#include <algorithm>
#include <cmath>

#include "divider/fast/SideSource.h"

namespace ordavin::fast_divider {
namespace {

// Values the fast path takes. Within them no sum, reciprocal or quotient of the search
// overflows, becomes subnormal on the way to a total, or turns into NaN.
constexpr double kSmallestValue = 1e-100;
constexpr double kLargestValue = 1e100;
// Above every total and every 1/G of up to kMaxCount such values: a window bound at or beyond
// it rejects nothing, and need not be tested.
constexpr double kBeyondAnyTotal = 1e200;

// Whether the fast path covers these parameters. The monotony along the sorted side needs a
// positive target, a source and a load that keep every quotient positive, and no NaN to
// compare with.
bool Covers(const DividerParameters& p) {
  if (p.upperCount < 1 || p.lowerCount < 1 || p.upperCount > MultisetRanks::kMaxCount ||
      p.lowerCount > MultisetRanks::kMaxCount) {
    return false;
  }
  if (!(std::isfinite(p.targetFactor) && p.targetFactor > 0)) return false;
  if (!(std::isfinite(p.sourceResistance) && p.sourceResistance >= 0)) return false;
  if (!(std::isfinite(p.loadConductance) && p.loadConductance >= 0)) return false;
  return !(std::isnan(p.tolerance) || std::isnan(p.seriesMin) || std::isnan(p.seriesMax) ||
           std::isnan(p.parallelMin) || std::isnan(p.parallelMax));
}

// The reach bounds, from the sides' extremes: their multisets of all-smallest and
// all-largest values.
Reach ReachFor(const DividerParameters& p, const Plan& plan) {
  const Reach none;
  const SideSource upper(plan.upperTerms, plan.upper, plan.upperForm, p, plan.tests, none, true,
                         plan.ascending);
  const SideSource lower(plan.lowerTerms, plan.lower, plan.lowerForm, p, plan.tests, none, false,
                         plan.ascending);
  double upperHigh = upper.TotalOfRepeated(plan.largest);
  if (plan.tests.seriesMax) upperHigh = std::min(upperHigh, p.seriesMax);
  const NetworkTotal lowerSmall = lower.NetworkOfRepeated(plan.smallest);
  const NetworkTotal lowerLarge = lower.NetworkOfRepeated(plan.largest);
  return ReachOf(p, plan.tests, upper.TotalOfRepeated(plan.smallest), upperHigh,
                 1.0 / (lowerSmall.conductance + p.loadConductance),
                 1.0 / (lowerLarge.conductance + p.loadConductance));
}

}  // namespace

bool MakePlan(const DividerParameters& p, const ValueSet& valueSet, Plan& plan) {
  const std::uint32_t n = valueSet.WorkingCount();
  // The reference refuses these with its own message.
  if (n < 2 || n > valueSet.WorkingSlots().size() || n > static_cast<std::uint32_t>(INT32_MAX)) {
    return false;
  }
  if (!Covers(p)) return false;
  const double* values = valueSet.WorkingValues().data();
  plan.ascending = std::is_sorted(values, values + n);
  for (std::uint32_t i = 0; i < n; ++i) {
    if (!(values[i] >= kSmallestValue && values[i] <= kLargestValue)) return false;
    if (values[i] < values[plan.smallest]) plan.smallest = static_cast<std::int32_t>(i);
    if (values[i] > values[plan.largest]) plan.largest = static_cast<std::int32_t>(i);
  }
  plan.n = n;
  plan.tests.seriesMin = p.seriesMin > 0;
  plan.tests.seriesMax = p.seriesMax < kBeyondAnyTotal;
  plan.tests.parallelMin = p.parallelMin > 0;
  plan.tests.parallelMax = p.parallelMax < kBeyondAnyTotal;
  // The lower network's G enters the loaded lower total, so it keeps its exact G; the upper
  // one needs G only for the parallel window, and is keyed by its total (one division less
  // per evaluation) where that is not in force.
  plan.upperForm.parallel = p.upperMode == NetworkMode::Parallel;
  plan.lowerForm.parallel = p.lowerMode == NetworkMode::Parallel;
  plan.upperForm.kind =
      plan.upperForm.parallel && (plan.tests.parallelMin || plan.tests.parallelMax)
          ? KeyKind::Conductance
          : KeyKind::Total;
  plan.lowerForm.kind = plan.lowerForm.parallel ? KeyKind::Conductance : KeyKind::Total;
  plan.upper = MultisetRanks(n, p.upperCount);
  plan.lower = MultisetRanks(n, p.lowerCount);
  if (!plan.upper.Valid() || !plan.lower.Valid()) return false;
  if (__builtin_mul_overflow(plan.upper.Count(), plan.lower.Count(), &plan.total)) return false;

  plan.upperTerms.resize(n);
  plan.lowerTerms.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    plan.upperTerms[i] = plan.upperForm.parallel ? 1.0 / values[i] : values[i];
    plan.lowerTerms[i] = plan.lowerForm.parallel ? 1.0 / values[i] : values[i];
  }
  plan.reach = ReachFor(p, plan);
  return true;
}

}  // namespace ordavin::fast_divider
