#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "network/CheckedResult.h"

class QFontMetricsF;

namespace ordavin::ui {

// Where each piece of a result's schematic goes, in pixels for one font: the circuit drawn
// top to bottom, wires at right angles, series parts in a column, parallel parts side by
// side on rails, each resistor's designator and value to the right of its body.
struct SchematicLayout {
  struct Resistor {
    QRectF body;
    QRectF label;
    QString designator;  // "R1", "Rs", "RL"
    QString value;       // "4.70 kΩ"
    int index = -1;      // in ResistorsOf(); -1 for source and load
  };
  struct Terminal {
    QPointF centre;
    double radius = 0.0;
    QRectF label;
    QString text;
  };

  std::vector<Resistor> resistors;
  std::vector<QLineF> wires;
  std::vector<QPointF> junctions;
  std::vector<Terminal> terminals;
  std::vector<QLineF> ground;  // the strokes of the ground symbol
  double junctionRadius = 0.0;
  QSizeF size;  // everything lies in (0, 0) to size

  // Each label's text: the designator above the value.
  static QString LabelText(const Resistor& resistor);
};

// A divider from its input terminal through source, upper network, output tap, lower network
// and load to ground; a resistance between its two terminals.
SchematicLayout LayOutSchematic(const CheckedResult& result, const QFontMetricsF& metrics);

}  // namespace ordavin::ui
