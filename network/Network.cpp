#include "network/Network.h"

#include <utility>

namespace ordavin {
namespace {

void CollectResistors(const Network& network, std::vector<const Network*>& out) {
  if (network.IsResistor()) {
    out.push_back(&network);
    return;
  }
  for (const Network& part : network.parts) CollectResistors(part, out);
}

void CollectVoltages(const Network& network, double voltage, std::vector<double>& out) {
  if (network.IsResistor()) {
    out.push_back(voltage);
    return;
  }
  if (network.connection == Connection::Parallel) {
    for (const Network& part : network.parts) CollectVoltages(part, voltage, out);
    return;
  }
  // One current through every part of a series connection.
  const double current = voltage / Resistance(network);
  for (const Network& part : network.parts) {
    CollectVoltages(part, current * Resistance(part), out);
  }
}

}  // namespace

Network Resistor(double ohms, std::int32_t position) {
  Network network;
  network.ohms = ohms;
  network.position = position;
  return network;
}

Network Connect(Connection connection, std::vector<Network> parts) {
  if (parts.size() == 1) return std::move(parts.front());
  Network network;
  network.connection = connection;
  network.parts = std::move(parts);
  return network;
}

double Resistance(const Network& network, double scale) {
  if (network.IsResistor()) return network.ohms * scale;
  if (network.connection == Connection::Parallel) return 1.0 / Conductance(network, scale);
  double sum = 0.0;
  for (const Network& part : network.parts) sum += Resistance(part, scale);
  return sum;
}

double Conductance(const Network& network, double scale) {
  if (network.IsResistor() || network.connection == Connection::Series) {
    return 1.0 / Resistance(network, scale);
  }
  double sum = 0.0;
  for (const Network& part : network.parts) sum += Conductance(part, scale);
  return sum;
}

std::vector<const Network*> ResistorsOf(const Network& network) {
  std::vector<const Network*> resistors;
  CollectResistors(network, resistors);
  return resistors;
}

std::vector<double> ResistorVoltages(const Network& network, double voltage) {
  std::vector<double> voltages;
  CollectVoltages(network, voltage, voltages);
  return voltages;
}

}  // namespace ordavin
