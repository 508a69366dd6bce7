#include "network/ToleranceBand.h"

namespace ordavin {

ToleranceBand ResistanceBand(const Network& network, double partTolerance) {
  return {Resistance(network), Resistance(network, 1.0 - partTolerance),
          Resistance(network, 1.0 + partTolerance)};
}

ToleranceBand DivisionFactorBand(const DividerCircuit& circuit, double partTolerance) {
  const double low = 1.0 - partTolerance;
  const double high = 1.0 + partTolerance;
  return {DivisionFactorOf(circuit), DivisionFactorOf(circuit, high, low),
          DivisionFactorOf(circuit, low, high)};
}

}  // namespace ordavin
