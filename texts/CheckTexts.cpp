#include "texts/CheckTexts.h"

#include <vector>

#include "network/PowerSplit.h"
#include "texts/EngineeringNotation.h"
#include "texts/ErrorText.h"
#include "values/NumberText.h"

namespace ordavin {
namespace {

void AppendFormula(const Network& network, std::size_t& next, bool inner, std::string& text) {
  if (network.IsResistor()) {
    text += Designator(next++);
    return;
  }
  if (inner) text += '(';
  for (std::size_t k = 0; k < network.parts.size(); ++k) {
    if (k > 0) text += network.connection == Connection::Parallel ? "||" : "+";
    AppendFormula(network.parts[k], next, true, text);
  }
  if (inner) text += ')';
}

std::string FigureLine(const CheckedResult& result, const char* name, double figure) {
  return std::string(name) + ' ' + FigureName(result) + ' ' + FormatFigure(result, figure) +
         ", error " + FormatError((figure - result.target) / result.target);
}

}  // namespace

std::string Designator(std::size_t index) { return "R" + std::to_string(index + 1); }

std::string NetworkFormula(const Network& network, std::size_t firstIndex) {
  std::string text;
  std::size_t next = firstIndex;
  AppendFormula(network, next, false, text);
  return text;
}

const char* FigureName(const CheckedResult& result) {
  return result.IsDivider() ? "division factor" : "total";
}

std::string FormatFigure(const CheckedResult& result, double figure) {
  return result.IsDivider() ? FormatFixed(figure, 8) : FormatResistance(figure, 3);
}

std::string FormatRelativeTolerance(double relative) {
  return "\u00B1" + FormatGeneral(relative * 100, 6) + " %";
}

std::string WorstCaseSentence(const CheckedResult& result, const WorstCase& worst) {
  const std::string tolerance = FormatRelativeTolerance(result.tolerance);
  return worst.withinTolerance
             ? "The whole band stays within the required tolerance of " + tolerance + "."
             : "The band leaves the required tolerance of " + tolerance + ".";
}

const char* VoltagePlace(const CheckedResult& result) {
  return result.IsDivider() ? "across source and divider" : "across the network";
}

std::string CheckSummary(const CheckedResult& result, double partTolerance, double voltage) {
  std::string text;
  if (result.IsDivider()) {
    const DividerCircuit& d = result.divider;
    text += "Divider, rank " + std::to_string(result.rank) + "\n";
    if (d.HasSource()) {
      text += std::string("Source ") + kSourceDesignator + ' ' +
              FormatResistance(d.sourceResistance) + "\n";
    }
    text += "Upper network " + NetworkFormula(d.upper) + "\n";
    text += "Lower network " + NetworkFormula(d.lower, ResistorsOf(d.upper).size()) + "\n";
    if (d.HasLoad()) {
      text += std::string("Load ") + kLoadDesignator + ' ' + FormatResistance(d.LoadResistance()) +
              "\n";
    }
  } else {
    text += "Target resistance, rank " + std::to_string(result.rank) + "\n";
    text += "Network " + NetworkFormula(result.network) + "\n";
  }
  const std::vector<const Network*> resistors = ResistorsOf(result);
  for (std::size_t k = 0; k < resistors.size(); ++k) {
    text += Designator(k) + ' ' + FormatResistance(resistors[k]->ohms) + "\n";
  }

  const WorstCase worst = WorstCaseOf(result, partTolerance);
  text += "Target " + FormatFigure(result, result.target) + ", required tolerance " +
          FormatRelativeTolerance(result.tolerance) + "\n";
  text += FigureLine(result, "Nominal", worst.band.nominal) + "\n";
  text += "Worst case, every part within " + FormatRelativeTolerance(partTolerance) + ":\n";
  text += FigureLine(result, "Lowest", worst.band.lowest) + "\n";
  text += FigureLine(result, "Highest", worst.band.highest) + "\n";
  text += WorstCaseSentence(result, worst) + "\n";

  const PowerSplit power = PowerOf(result, voltage);
  text += "Power at " + FormatGeneral(voltage, 15) + " V " + VoltagePlace(result) + ":\n";
  for (std::size_t k = 0; k < power.resistors.size(); ++k) {
    const ResistorPower& r = power.resistors[k];
    text += Designator(k) + ' ' + FormatResistance(r.ohms) + ": " + FormatCurrent(r.current) +
            ", " + FormatPower(r.power);
    if (k == power.hottest) text += " (highest)";
    text += "\n";
  }
  text += "Total current " + FormatCurrent(power.totalCurrent) + "\n";
  return text;
}

}  // namespace ordavin
