#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace ordavin {

// Networks of one size with their totals, their codes packed one after another.
class SubNetworkList {
 public:
  void Add(std::span<const std::int32_t> code, double total) {
    m_starts.push_back(m_tokens.size());
    m_tokens.insert(m_tokens.end(), code.begin(), code.end());
    m_totals.push_back(total);
  }
  // Puts the networks in canonical order (CanonicalOrder.h); they all have the same size.
  void SortCanonically();

  std::size_t Size() const { return m_totals.size(); }
  double Total(std::size_t i) const { return m_totals[i]; }
  std::span<const std::int32_t> Code(std::size_t i) const {
    const std::size_t end = i + 1 < m_starts.size() ? m_starts[i + 1] : m_tokens.size();
    return std::span<const std::int32_t>(m_tokens).subspan(m_starts[i], end - m_starts[i]);
  }
  std::size_t Bytes() const {
    return m_tokens.size() * sizeof(std::int32_t) + m_starts.size() * sizeof(std::size_t) +
           m_totals.size() * sizeof(double);
  }

 private:
  // Keeps the networks in the order of the second members.
  void Reorder(std::span<const std::pair<std::uint64_t, std::uint32_t>> order);

  std::vector<std::int32_t> m_tokens;
  std::vector<std::size_t> m_starts;
  std::vector<double> m_totals;
};

}  // namespace ordavin
