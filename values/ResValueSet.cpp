#include "values/ResValueSet.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ordavin {

CResValueSet::CResValueSet()
    : m_baseValues(kBaseValueCapacity, 0.0), m_decades(kDecadeCapacity, 0.0) {}

std::uint32_t CResValueSet::GenerateValues() {
  const std::size_t n = std::size_t{m_nBaseValues} * m_nDecades;
  m_values.assign(n, 0.0);
  m_allValues.assign(n, 0.0);
  std::uint32_t i = 0;
  for (std::uint32_t d = 0; d < m_nDecades; ++d) {
    for (std::uint32_t b = 0; b < m_nBaseValues; ++b) {
      const double v = std::pow(10.0, m_decades[d]) * m_baseValues[b];
      if (m_minimum <= v && v <= m_maximum) {
        m_allValues[i] = v;
        m_values[i] = v;
        ++i;
      }
    }
  }
  m_nValues = i;
  m_nTotal = i;
  return i;
}

std::uint32_t CResValueSet::ResetWorkingSet() {
  m_values = m_allValues;
  m_nValues = m_nTotal;
  return m_nValues;
}

std::uint32_t CResValueSet::ApplyChecks(std::span<const std::int32_t> checkStates) {
  std::uint32_t i = 0;
  for (std::size_t j = 0; j < checkStates.size(); ++j) {
    if (checkStates[j] != 1) continue;
    const double value = FullValue(j);
    if (i >= m_values.size()) throw std::invalid_argument("Working set index out of range.");
    m_values[i++] = value;
  }
  m_nValues = i;
  return i;
}

std::uint32_t CResValueSet::RestrictToRange(double lo, double hi) {
  std::vector<double> kept(m_values.size(), 0.0);
  std::uint32_t count = 0;
  for (std::uint32_t i = 0; i < m_nValues; ++i) {
    const double v = WorkingValue(i);
    if (lo <= v && v <= hi) kept[count++] = v;
  }
  m_values = std::move(kept);
  m_nValues = count;
  return count;
}

double CResValueSet::WorkingValue(std::size_t index) const {
  if (index >= m_values.size()) throw std::invalid_argument("Working set index out of range.");
  return m_values[index];
}

double CResValueSet::FullValue(std::size_t index) const {
  if (index >= m_allValues.size()) throw std::invalid_argument("Full set index out of range.");
  return m_allValues[index];
}

std::span<const double> CResValueSet::WorkingValues() const {
  return std::span<const double>(m_values).first(std::min<std::size_t>(m_nValues, m_values.size()));
}

std::span<const double> CResValueSet::FullValues() const {
  return std::span<const double>(m_allValues)
      .first(std::min<std::size_t>(m_nTotal, m_allValues.size()));
}

}  // namespace ordavin
