#include "network/CheckedResult.h"

#include <cmath>

namespace ordavin {
namespace {

double RelativeErrorOf(double achieved, double target) { return (achieved - target) / target; }

bool Passes(double error, const CheckedResult& result) {
  const double size = std::fabs(error);
  return result.strictTolerance ? size < result.tolerance : size <= result.tolerance;
}

}  // namespace

WorstCase WorstCaseOf(const CheckedResult& result, double partTolerance) {
  WorstCase worst;
  worst.band = result.IsDivider() ? DivisionFactorBand(result.divider, partTolerance)
                                  : ResistanceBand(result.network, partTolerance);
  worst.lowestError = RelativeErrorOf(worst.band.lowest, result.target);
  worst.highestError = RelativeErrorOf(worst.band.highest, result.target);
  worst.withinTolerance = Passes(worst.lowestError, result) && Passes(worst.highestError, result);
  return worst;
}

PowerSplit PowerOf(const CheckedResult& result, double voltage) {
  return result.IsDivider() ? DividerPower(result.divider, voltage)
                            : NetworkPower(result.network, voltage);
}

std::vector<const Network*> ResistorsOf(const CheckedResult& result) {
  if (!result.IsDivider()) return ResistorsOf(result.network);
  std::vector<const Network*> resistors = ResistorsOf(result.divider.upper);
  const std::vector<const Network*> lower = ResistorsOf(result.divider.lower);
  resistors.insert(resistors.end(), lower.begin(), lower.end());
  return resistors;
}

}  // namespace ordavin
