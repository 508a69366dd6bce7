#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "target/NetworkCode.h"
#include "target/mixed/MixedArithmetic.h"
#include "target/mixed/MixedNetworkCount.h"
#include "target/mixed/SubNetworkList.h"

namespace ordavin {

// Every canonical network of a given number of resistors, each exactly once: a resistor, or a
// connection whose parts are a multiset of smaller networks of the other kind (or resistors),
// taken in canonical order as non-decreasing choices from lists of the smaller networks that
// are themselves in canonical order. The smaller networks are kept with their totals; the
// networks of the full size are only visited.
class MixedEnumerator {
 public:
  // Positions 0..positions-1 of values; resistors from 1 to kMaxMixedResistors. Building the
  // lists stops early once abortRequested reads true; such an enumerator visits nothing.
  MixedEnumerator(const double* values, std::uint32_t positions, std::uint32_t resistors,
                  const std::atomic<bool>& abortRequested);

  // Calls visit(code, total) for every network, series ones before parallel ones; stops
  // early, returning false, once visit returns false.
  template <class Visit>
  bool ForEach(Visit&& visit);

  // The memory the lists of smaller networks would take, in bytes, sorting included (an
  // estimate made before building them).
  static double ListBytes(std::uint64_t positions, std::uint32_t resistors);

  // The parts a connection of the kind may have, of a size below `resistors` (resistors at
  // size 1), in canonical order; incomplete when building them was aborted (see Complete).
  const SubNetworkList& PartsOf(bool parallel, std::uint32_t size) const {
    return m_parts[parallel ? 1 : 0][size];
  }
  bool Complete() const { return m_complete; }

 private:
  struct Chosen {
    std::uint32_t size;
    std::size_t index;
  };

  void Build(const double* values, std::uint32_t positions,
             const std::atomic<bool>& abortRequested);

  template <class OnChoice>
  bool Choose(bool parallel, std::uint32_t size, std::uint32_t left, std::uint32_t smallest,
              std::size_t first, OnChoice& emit);
  template <class Visit>
  bool Emit(bool parallel, Visit&& visit);

  std::uint32_t m_resistors;
  bool m_complete = false;
  std::array<std::array<SubNetworkList, kMaxMixedResistors>, 2> m_parts;
  std::array<Chosen, kMaxMixedResistors> m_chosen{};
  std::uint32_t m_chosenCount = 0;
  NetworkCode m_code;
};

template <class OnChoice>
bool MixedEnumerator::Choose(bool parallel, std::uint32_t size, std::uint32_t left,
                             std::uint32_t smallest, std::size_t first, OnChoice& emit) {
  if (left == 0) return emit();
  for (std::uint32_t s = smallest; s < size && s <= left; ++s) {
    const SubNetworkList& list = PartsOf(parallel, s);
    for (std::size_t i = s == smallest ? first : 0; i < list.Size(); ++i) {
      m_chosen[m_chosenCount++] = {s, i};
      const bool more = Choose(parallel, size, left - s, s, i, emit);
      --m_chosenCount;
      if (!more) return false;
    }
  }
  return true;
}

template <class Visit>
bool MixedEnumerator::Emit(bool parallel, Visit&& visit) {
  m_code.clear();
  m_code.push_back(parallel ? ParallelToken(m_chosenCount) : SeriesToken(m_chosenCount));
  std::array<double, kMaxMixedResistors> totals{};
  for (std::uint32_t k = 0; k < m_chosenCount; ++k) {
    const SubNetworkList& list = PartsOf(parallel, m_chosen[k].size);
    const auto part = list.Code(m_chosen[k].index);
    m_code.insert(m_code.end(), part.begin(), part.end());
    totals[k] = list.Total(m_chosen[k].index);
  }
  const double total = FoldParts(parallel, std::span<const double>(totals).first(m_chosenCount));
  return visit(std::span<const std::int32_t>(m_code), total);
}

template <class Visit>
bool MixedEnumerator::ForEach(Visit&& visit) {
  if (!m_complete) return false;
  if (m_resistors == 1) {
    const SubNetworkList& resistors = PartsOf(false, 1);
    for (std::size_t i = 0; i < resistors.Size(); ++i) {
      if (!visit(resistors.Code(i), resistors.Total(i))) return false;
    }
    return true;
  }
  for (const bool parallel : {false, true}) {
    auto emit = [&] { return Emit(parallel, visit); };
    m_chosenCount = 0;
    if (!Choose(parallel, m_resistors, m_resistors, 1, 0, emit)) return false;
  }
  return true;
}

}  // namespace ordavin
