#include "divider/DividerEngine.h"

#include <algorithm>

#include "values/ValueSet.h"

namespace ordavin {

DividerEngine::DividerEngine(const ValueSet& values) : m_values(values) {}

DividerEngine::~DividerEngine() = default;

void DividerEngine::SetParameters(const DividerParameters& parameters) {
  m_parameters = parameters;
  if (m_bestMatches.size() < parameters.maxResults) m_bestMatches.resize(parameters.maxResults);
}

std::span<const DividerMatch> DividerEngine::KeptMatches() const {
  const std::uint64_t rows = std::min<std::uint64_t>(m_matchingCount, m_parameters.maxResults);
  return std::span<const DividerMatch>(m_bestMatches).first(static_cast<std::size_t>(rows));
}

}  // namespace ordavin
