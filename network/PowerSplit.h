#pragma once

#include <cstddef>
#include <vector>

#include "network/DividerCircuit.h"
#include "network/Network.h"

namespace ordavin {

struct ResistorPower {
  double ohms = 0.0;
  double current = 0.0;  // amperes
  double power = 0.0;    // watts
};

// How a voltage drives a circuit: each resistor's current and power, in the order of the
// circuit's resistors, the current the circuit draws, and which resistor dissipates most.
struct PowerSplit {
  std::vector<ResistorPower> resistors;
  double totalCurrent = 0.0;
  std::size_t hottest = 0;  // the first of the highest powers
};

// voltage across the network.
PowerSplit NetworkPower(const Network& network, double voltage);

// voltage across the source and the divider; the resistors are the upper network's, then the
// lower network's.
PowerSplit DividerPower(const DividerCircuit& circuit, double voltage);

}  // namespace ordavin
