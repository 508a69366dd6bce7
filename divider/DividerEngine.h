#pragma once

#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"
#include "search/SearchEngine.h"
#include "values/ValueSet.h"

namespace ordavin {

// What every divider search engine offers (see SearchEngine). The straightforward engine is
// the reference; the fast one gives its answer to the last bit.
class DividerEngine : public SearchEngine<ValueSet, DividerParameters, DividerMatch> {
 public:
  using SearchEngine::SearchEngine;
};

}  // namespace ordavin
