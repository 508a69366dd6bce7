#include "target/TargetEngineFactory.h"

#include "target/FastTargetOptimizer.h"

namespace ordavin {

std::unique_ptr<TargetEngine> MakeTargetEngine(const CResValueSet& values) {
  return std::make_unique<CFastTargetOptimizer>(values);
}

}  // namespace ordavin
