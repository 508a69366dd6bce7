#include "target/mixed/PairsBySum.h"

#include <algorithm>

namespace ordavin {
namespace {

struct Pair {
  double sum;
  std::uint32_t first;
  std::uint32_t second;
};

}  // namespace

PairsBySum::PairsBySum(std::span<const double> values, bool parallel) {
  const auto n = static_cast<std::uint32_t>(values.size());
  std::vector<double> terms(n);
  for (std::uint32_t i = 0; i < n; ++i) terms[i] = parallel ? 1.0 / values[i] : values[i];
  std::vector<Pair> pairs;
  pairs.reserve(std::size_t{n} * (n + 1) / 2);
  for (std::uint32_t c = 0; c < n; ++c) {
    for (std::uint32_t d = c; d < n; ++d) pairs.push_back({terms[c] + terms[d], c, d});
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
    return a.sum < b.sum ||
           (a.sum == b.sum && (a.first < b.first || (a.first == b.first && a.second < b.second)));
  });
  m_sums.resize(pairs.size());
  m_first.resize(pairs.size());
  m_second.resize(pairs.size());
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    m_sums[k] = pairs[k].sum;
    m_first[k] = pairs[k].first;
    m_second[k] = pairs[k].second;
  }
  m_firsts = WaveletMatrix(m_first);
}

std::uint64_t PairsBySum::Bytes(std::uint64_t positions) {
  // Sorted as 16-byte records, then kept as a sum, two positions and a few bits of counts.
  return positions * (positions + 1) / 2 * 36;
}

}  // namespace ordavin
