#pragma once

#include <cstdint>
#include <vector>

namespace ordavin {

enum class Connection { Series, Parallel };

// A two-terminal resistor network: a resistor, or a series or parallel connection of
// networks, its parts in the order the results name them.
struct Network {
  double ohms = 0.0;           // a resistor's value
  std::int32_t position = -1;  // a resistor's working-set position; -1 for none
  Connection connection = Connection::Series;
  std::vector<Network> parts;  // empty: a resistor

  bool IsResistor() const { return parts.empty(); }
};

Network Resistor(double ohms, std::int32_t position = -1);
// A connection of these parts; a single part is that part itself.
Network Connect(Connection connection, std::vector<Network> parts);

// The total with every resistor's value multiplied by scale. The arithmetic follows the
// engines' order: a series connection sums its parts' totals in order, a parallel one sums
// its parts' conductances in order and takes the inverse, so that a flat network gives the
// engines' total to the last bit.
double Resistance(const Network& network, double scale = 1.0);
// 1 / total, summed as the parallel connection sums it.
double Conductance(const Network& network, double scale = 1.0);

// The resistors, depth first, in the parts' order.
std::vector<const Network*> ResistorsOf(const Network& network);

// The voltage across each resistor, in ResistorsOf() order, when voltage lies across the
// network.
std::vector<double> ResistorVoltages(const Network& network, double voltage);

}  // namespace ordavin
