#pragma once

#include "search/SearchEngine.h"
#include "target/TargetMatch.h"
#include "target/TargetParameters.h"
#include "values/ValueSet.h"

namespace ordavin {

// What every target-resistance search engine offers (see SearchEngine).
class TargetEngine : public SearchEngine<ValueSet, TargetParameters, TargetMatch> {
 public:
  using SearchEngine::SearchEngine;

  // Also clears the matching count: the target preparation hands the parameters over even
  // when it refuses the run, and a refused run has no matches to show.
  void SetParameters(const TargetParameters& parameters) {
    SearchEngine::SetParameters(parameters);
    m_matchingCount = 0;
  }
};

}  // namespace ordavin
