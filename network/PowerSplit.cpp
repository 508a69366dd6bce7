#include "network/PowerSplit.h"

namespace ordavin {
namespace {

void AddResistors(const Network& network, double voltage, PowerSplit& split) {
  const std::vector<const Network*> resistors = ResistorsOf(network);
  const std::vector<double> voltages = ResistorVoltages(network, voltage);
  for (std::size_t k = 0; k < resistors.size(); ++k) {
    const double ohms = resistors[k]->ohms;
    const double current = voltages[k] / ohms;
    split.resistors.push_back({ohms, current, voltages[k] * current});
  }
}

void FindHottest(PowerSplit& split) {
  split.hottest = 0;
  for (std::size_t k = 1; k < split.resistors.size(); ++k) {
    if (split.resistors[k].power > split.resistors[split.hottest].power) split.hottest = k;
  }
}

}  // namespace

PowerSplit NetworkPower(const Network& network, double voltage) {
  PowerSplit split;
  split.totalCurrent = voltage / Resistance(network);
  AddResistors(network, voltage, split);
  FindHottest(split);
  return split;
}

PowerSplit DividerPower(const DividerCircuit& circuit, double voltage) {
  PowerSplit split;
  const double loadedLower = LoadedLowerResistance(circuit);
  split.totalCurrent =
      voltage / (circuit.sourceResistance + Resistance(circuit.upper) + loadedLower);
  AddResistors(circuit.upper, split.totalCurrent * Resistance(circuit.upper), split);
  AddResistors(circuit.lower, split.totalCurrent * loadedLower, split);
  FindHottest(split);
  return split;
}

}  // namespace ordavin
