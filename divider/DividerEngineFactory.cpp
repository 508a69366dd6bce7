#include "divider/DividerEngineFactory.h"

#include "divider/FastDividerEngine.h"

namespace ordavin {

std::unique_ptr<DividerEngine> MakeDividerEngine(const ValueSet& values) {
  return std::make_unique<FastDividerEngine>(values);
}

}  // namespace ordavin
