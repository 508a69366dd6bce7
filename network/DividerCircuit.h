#pragma once

#include "network/Network.h"

namespace ordavin {

// A divider as it sits in its circuit: a source with its internal resistance, the upper
// network, the output, and the lower network with the load across it, to ground.
struct DividerCircuit {
  Network upper;
  Network lower;
  double sourceResistance = 0.0;
  double loadConductance = 0.0;  // 0: no load

  bool HasSource() const { return sourceResistance != 0.0; }
  bool HasLoad() const { return loadConductance != 0.0; }
  double LoadResistance() const { return 1.0 / loadConductance; }
};

// The lower network with the load across it.
double LoadedLowerResistance(const DividerCircuit& circuit, double lowerScale = 1.0);

// The division factor, the upper network's values multiplied by upperScale and the lower
// network's by lowerScale; source and load stay as they are. The arithmetic is the engines'.
double DivisionFactorOf(const DividerCircuit& circuit, double upperScale = 1.0,
                        double lowerScale = 1.0);

}  // namespace ordavin
