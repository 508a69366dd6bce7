#pragma once

#include <memory>

#include "divider/DividerEngine.h"

namespace ordavin {

class ValueSet;

// The divider engine the front ends use: the fast one, which gives the straightforward
// engine's answer and hands it the searches it does not cover.
std::unique_ptr<DividerEngine> MakeDividerEngine(const ValueSet& values);

}  // namespace ordavin
