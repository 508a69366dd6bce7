#pragma once

#include <utility>
#include <vector>

#include "network/Network.h"

namespace ordavin::testing {

// One connection of plain resistors, in the order given.
inline Network FlatNetwork(Connection connection, const std::vector<double>& values) {
  std::vector<Network> parts;
  for (const double value : values) parts.push_back(Resistor(value));
  return Connect(connection, std::move(parts));
}

}  // namespace ordavin::testing
