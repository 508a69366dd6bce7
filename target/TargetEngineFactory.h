#pragma once

#include <memory>

#include "target/TargetEngine.h"

namespace ordavin {

class ValueSet;

// The target engine the front ends use: the fast one, which gives the straightforward
// engine's answer and hands it the searches it does not cover.
std::unique_ptr<TargetEngine> MakeTargetEngine(const ValueSet& values);

}  // namespace ordavin
