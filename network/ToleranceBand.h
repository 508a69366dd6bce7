#pragma once

#include "network/DividerCircuit.h"
#include "network/Network.h"

namespace ordavin {

// Where a figure can lie when every resistor may sit anywhere within ±partTolerance
// (relative) of its value, each on its own.
struct ToleranceBand {
  double nominal = 0.0;
  double lowest = 0.0;
  double highest = 0.0;
};

// A network's total rises with every part, so its extremes are all parts low and all high.
ToleranceBand ResistanceBand(const Network& network, double partTolerance);

// The factor rises with the lower network and falls with the upper one: its extremes are
// upper high with lower low, and upper low with lower high.
ToleranceBand DivisionFactorBand(const DividerCircuit& circuit, double partTolerance);

}  // namespace ordavin
