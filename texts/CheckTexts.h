#pragma once

#include <cstddef>
#include <string>

#include "network/CheckedResult.h"
#include "network/Network.h"

namespace ordavin {

// The resistors of a result are named R1, R2, ... in the order of ResistorsOf().
std::string Designator(std::size_t index);
inline constexpr const char* kSourceDesignator = "Rs";
inline constexpr const char* kLoadDesignator = "RL";

// The network in designators, its resistors numbered from firstIndex depth first, a
// connection of two or more resistors inside another in parentheses: "R1||R2",
// "R1+(R2||R3)".
std::string NetworkFormula(const Network& network, std::size_t firstIndex = 0);

// "division factor" or "total".
const char* FigureName(const CheckedResult& result);
// A division factor or total as the results list shows it.
std::string FormatFigure(const CheckedResult& result, double figure);

// A relative tolerance as people say it: "±5 %" for 0.05.
std::string FormatRelativeTolerance(double relative);

// Whether the whole band passes the required tolerance, in one sentence.
std::string WorstCaseSentence(const CheckedResult& result, const WorstCase& worst);

// Where the voltage of the power figures lies.
const char* VoltagePlace(const CheckedResult& result);

// The plain-text summary of a checked result: the network and its values, the worst case over
// partTolerance, and the power at voltage; lines end with "\n".
std::string CheckSummary(const CheckedResult& result, double partTolerance, double voltage);

}  // namespace ordavin
