#include "target/TargetEngineFactory.h"

#include "target/FastTargetEngine.h"

namespace ordavin {

std::unique_ptr<TargetEngine> MakeTargetEngine(const ValueSet& values) {
  return std::make_unique<FastTargetEngine>(values);
}

}  // namespace ordavin
