#include "values/ValueSet.h"

#include <algorithm>
#include <stdexcept>

#include "values/PowerOfTen.h"

namespace ordavin {

bool ValueSet::LoadSeriesFile(const std::filesystem::path& path, std::string* failureReason,
                              SeriesReadObserver* observer) {
  m_workingCount = 0;
  return SeriesReader(m_series, observer).Read(path, failureReason);
}

std::uint32_t ValueSet::GenerateValues() {
  const std::span<const double> bases = m_series.BaseValues();
  const std::span<const double> decades = m_series.Decades();
  const std::size_t n = bases.size() * decades.size();
  m_working.assign(n, 0.0);
  m_full.assign(n, 0.0);
  std::uint32_t i = 0;
  for (const double decade : decades) {
    for (const double base : bases) {
      const double v = PowerOfTen(decade) * base;
      if (m_series.minimum <= v && v <= m_series.maximum) {
        m_full[i] = v;
        m_working[i] = v;
        ++i;
      }
    }
  }
  m_workingCount = i;
  m_fullCount = i;
  return i;
}

void ValueSet::AssignValues(std::span<const double> values) {
  m_full.assign(values.begin(), values.end());
  m_fullCount = static_cast<std::uint32_t>(m_full.size());
  ResetWorkingSet();
}

std::uint32_t ValueSet::ResetWorkingSet() {
  m_working = m_full;
  m_workingCount = m_fullCount;
  return m_workingCount;
}

std::uint32_t ValueSet::ApplyChecks(std::span<const std::int32_t> checkStates) {
  std::uint32_t i = 0;
  for (std::size_t j = 0; j < checkStates.size(); ++j) {
    if (checkStates[j] != 1) continue;
    const double value = FullValue(j);
    if (i >= m_working.size()) throw std::invalid_argument("Working set index out of range.");
    m_working[i++] = value;
  }
  m_workingCount = i;
  return i;
}

std::uint32_t ValueSet::RestrictToRange(double lo, double hi) {
  std::vector<double> kept(m_working.size(), 0.0);
  std::uint32_t count = 0;
  for (std::uint32_t i = 0; i < m_workingCount; ++i) {
    const double v = WorkingValue(i);
    if (lo <= v && v <= hi) kept[count++] = v;
  }
  m_working = std::move(kept);
  m_workingCount = count;
  return count;
}

std::uint32_t ValueSet::TruncateWorkingSet(std::uint32_t count) {
  m_workingCount = std::min(m_workingCount, count);
  return m_workingCount;
}

double ValueSet::WorkingValue(std::size_t index) const {
  if (index >= m_working.size()) throw std::invalid_argument("Working set index out of range.");
  return m_working[index];
}

double ValueSet::FullValue(std::size_t index) const {
  if (index >= m_full.size()) throw std::invalid_argument("Full set index out of range.");
  return m_full[index];
}

std::span<const double> ValueSet::WorkingValues() const {
  return std::span<const double>(m_working).first(
      std::min<std::size_t>(m_workingCount, m_working.size()));
}

std::span<const double> ValueSet::FullValues() const {
  return std::span<const double>(m_full).first(std::min<std::size_t>(m_fullCount, m_full.size()));
}

}  // namespace ordavin
