#include "target/TargetEngine.h"

#include <algorithm>

#include "values/ValueSet.h"

namespace ordavin {

TargetEngine::TargetEngine(const ValueSet& values) : m_values(values) {}

TargetEngine::~TargetEngine() = default;

void TargetEngine::SetParameters(const TargetParameters& parameters) {
  m_parameters = parameters;
  m_matchingCount = 0;
  if (m_bestMatches.size() < parameters.maxResults) m_bestMatches.resize(parameters.maxResults);
}

std::span<const TargetMatch> TargetEngine::KeptMatches() const {
  const std::uint64_t rows = std::min<std::uint64_t>(m_matchingCount, m_parameters.maxResults);
  return std::span<const TargetMatch>(m_bestMatches).first(static_cast<std::size_t>(rows));
}

}  // namespace ordavin
