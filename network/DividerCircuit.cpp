#include "network/DividerCircuit.h"

namespace ordavin {

double LoadedLowerResistance(const DividerCircuit& circuit, double lowerScale) {
  return 1.0 / (Conductance(circuit.lower, lowerScale) + circuit.loadConductance);
}

double DivisionFactorOf(const DividerCircuit& circuit, double upperScale, double lowerScale) {
  const double loadedLower = LoadedLowerResistance(circuit, lowerScale);
  return loadedLower /
         (circuit.sourceResistance + Resistance(circuit.upper, upperScale) + loadedLower);
}

}  // namespace ordavin
