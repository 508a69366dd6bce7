#include "divider/DividerEngineFactory.h"

#include "divider/FastDividerOptimizer.h"

namespace ordavin {

std::unique_ptr<DividerEngine> MakeDividerEngine(const CResValueSet& values) {
  return std::make_unique<CFastDividerOptimizer>(values);
}

}  // namespace ordavin
