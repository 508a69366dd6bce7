#include <gtest/gtest.h>

#include <memory>

#include "support/ValueFixtures.h"
#include "target/FastTargetEngine.h"
#include "target/TargetEngine.h"
#include "target/TargetEngineFactory.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

TEST(TargetEngineFactory, MakesTheFastEngine) {
  ValueSet set;
  SetValues(set, {100, 220});
  const auto engine = MakeTargetEngine(set);
  EXPECT_NE(dynamic_cast<FastTargetEngine*>(engine.get()), nullptr);
}

}  // namespace
}  // namespace ordavin
