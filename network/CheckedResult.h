#pragma once

#include <cstdint>
#include <vector>

#include "network/DividerCircuit.h"
#include "network/Network.h"
#include "network/PowerSplit.h"
#include "network/ToleranceBand.h"

namespace ordavin {

// A result as an engineer checks it before it goes on a board: the circuit, and what it was
// searched for. It holds values, not working-set positions alone, so it outlives its run.
struct CheckedResult {
  enum class Kind { Divider, Resistance };

  Kind kind = Kind::Resistance;
  std::int64_t rank = 0;   // from 1
  DividerCircuit divider;  // Kind::Divider
  Network network;         // Kind::Resistance
  double target = 0.0;     // the division factor or the resistance searched for
  double tolerance = 0.0;  // relative
  // The target search keeps |error| < tolerance, the divider search |error| <= tolerance.
  bool strictTolerance = false;

  bool IsDivider() const { return kind == Kind::Divider; }
};

// The band of the division factor or total over part tolerance, its errors against the
// target, and whether the whole band passes the search's own tolerance test.
struct WorstCase {
  ToleranceBand band;
  double lowestError = 0.0;
  double highestError = 0.0;
  bool withinTolerance = false;
};

WorstCase WorstCaseOf(const CheckedResult& result, double partTolerance);

// voltage across the source and the divider, or across the network.
PowerSplit PowerOf(const CheckedResult& result, double voltage);

// Every resistor the result is made of (source and load excluded), in PowerOf's order.
std::vector<const Network*> ResistorsOf(const CheckedResult& result);

}  // namespace ordavin
