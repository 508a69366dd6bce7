#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "run/DividerRequest.h"

namespace ordavin {

class ValueSet;
class DividerEngine;

// A preparation's outcome: ready to run, or the refusals to show, in order.
struct Preparation {
  bool ready = false;
  std::vector<std::string> messages;
};

// Rebuilds the working set from the check states (one per full-set value; only 1 counts),
// checks the request and, when it passes, hands the parameters to the engine. Stops at the
// first refusal.
Preparation PrepareDividerRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                              const DividerRequest& request, DividerEngine& engine);

}  // namespace ordavin
