#include "target/mixed/MixedEnumerator.h"

#include <algorithm>

namespace ordavin {

MixedEnumerator::MixedEnumerator(const double* values, std::uint32_t positions,
                                 std::uint32_t resistors, const std::atomic<bool>& abortRequested)
    : m_resistors(std::clamp<std::uint32_t>(resistors, 1, kMaxMixedResistors)) {
  Build(values, positions, abortRequested);
}

double MixedEnumerator::ListBytes(std::uint64_t positions, std::uint32_t resistors) {
  // Each list entry: its code (at most 2s - 1 tokens), its start and its total; sorting a
  // list copies it and keeps an order of it.
  double bytes = 0.0;
  for (std::uint32_t s = 1; s < resistors && s <= kMaxMixedResistors; ++s) {
    const auto count = MixedNetworkCount(positions, s);
    const double networks = count ? static_cast<double>(*count) : 1.8e19;
    bytes += networks * 2.0 * (4.0 * (2 * s - 1) + 24.0);
  }
  return bytes;
}

void MixedEnumerator::Build(const double* values, std::uint32_t positions,
                            const std::atomic<bool>& abortRequested) {
  for (auto& kind : m_parts) {
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(positions); ++p) {
      const std::int32_t code[] = {p};
      kind[1].Add(code, values[p]);
    }
  }
  for (std::uint32_t s = 2; s < m_resistors; ++s) {
    for (const bool parallel : {false, true}) {
      // A connection of this kind is a part of a connection of the other kind.
      SubNetworkList& list = m_parts[parallel ? 0 : 1][s];
      auto emit = [&] {
        return Emit(parallel, [&](std::span<const std::int32_t> code, double total) {
          list.Add(code, total);
          return !abortRequested.load(std::memory_order_relaxed);
        });
      };
      m_chosenCount = 0;
      if (!Choose(parallel, s, s, 1, 0, emit)) return;
      list.SortCanonically();
    }
  }
  m_complete = !abortRequested.load(std::memory_order_relaxed);
}

}  // namespace ordavin
