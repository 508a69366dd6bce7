#include "ui/SchematicLayout.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "texts/CheckTexts.h"
#include "texts/EngineeringNotation.h"

namespace ordavin::ui {
namespace {

// Sizes in units of the font's height, so that the drawing grows with the text.
struct Metrics {
  explicit Metrics(const QFontMetricsF& fm) : font(fm), u(fm.height()) {}
  const QFontMetricsF& font;
  double u;
  double BodyWidth() const { return 0.8 * u; }
  double Lead() const { return 0.8 * u; }
  double LabelGap() const { return 0.4 * u; }
  double BranchGap() const { return 1.2 * u; }
  double Drop() const { return 0.6 * u; }
  QSizeF TextSize(const QString& text) const {
    double width = 0.0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) width = std::max(width, font.horizontalAdvance(line));
    return {std::ceil(width) + 1, font.lineSpacing() * static_cast<double>(lines.size())};
  }
};

// A piece of the drawing with its own origin: its connection axis runs vertically at x =
// axis, entering at the top (y = 0) and leaving at the bottom (y = size.height()).
struct Block {
  SchematicLayout drawing;
  QSizeF size;
  double axis = 0.0;
};

void Append(SchematicLayout& into, const SchematicLayout& from, QPointF offset) {
  for (SchematicLayout::Resistor r : from.resistors) {
    r.body.translate(offset);
    r.label.translate(offset);
    into.resistors.push_back(r);
  }
  for (const QLineF& wire : from.wires) into.wires.push_back(wire.translated(offset));
  for (const QPointF& dot : from.junctions) into.junctions.push_back(dot + offset);
  for (SchematicLayout::Terminal t : from.terminals) {
    t.centre += offset;
    t.label.translate(offset);
    into.terminals.push_back(t);
  }
  for (const QLineF& stroke : from.ground) into.ground.push_back(stroke.translated(offset));
}

Block ResistorBlock(const Metrics& m, const QString& designator, double ohms, int index) {
  SchematicLayout::Resistor r;
  r.designator = designator;
  r.value = QString::fromStdString(FormatResistance(ohms));
  r.index = index;
  const QSizeF label = m.TextSize(SchematicLayout::LabelText(r));
  const double w = m.BodyWidth();
  const double h = std::max(2.4 * m.u, label.height() + 0.4 * m.u);
  const double lead = m.Lead();
  r.body = QRectF(0, lead, w, h);
  r.label =
      QRectF(w + m.LabelGap(), lead + (h - label.height()) / 2, label.width(), label.height());
  Block block;
  block.axis = w / 2;
  block.drawing.resistors.push_back(r);
  block.drawing.wires.push_back(QLineF(block.axis, 0, block.axis, lead));
  block.drawing.wires.push_back(QLineF(block.axis, lead + h, block.axis, 2 * lead + h));
  block.size = QSizeF(r.label.right(), 2 * lead + h);
  return block;
}

Block NetworkBlock(const Metrics& m, const Network& network, int& next) {
  if (network.IsResistor()) {
    const int index = next++;
    return ResistorBlock(m, QString::fromStdString(Designator(static_cast<std::size_t>(index))),
                         network.ohms, index);
  }
  std::vector<Block> parts;
  for (const Network& part : network.parts) parts.push_back(NetworkBlock(m, part, next));

  Block block;
  if (network.connection == Connection::Series) {
    // One column on a common axis: each part's bottom lead meets the next one's top lead.
    for (const Block& part : parts) block.axis = std::max(block.axis, part.axis);
    double y = 0.0;
    double width = 0.0;
    for (const Block& part : parts) {
      const double x = block.axis - part.axis;
      Append(block.drawing, part.drawing, QPointF(x, y));
      y += part.size.height();
      width = std::max(width, x + part.size.width());
    }
    block.size = QSizeF(width, y);
    return block;
  }

  // Side by side between two rails; the first branch carries the axis straight through.
  const double drop = m.Drop();
  double tallest = 0.0;
  for (const Block& part : parts) tallest = std::max(tallest, part.size.height());
  std::vector<double> axes;
  double x = 0.0;
  for (const Block& part : parts) {
    Append(block.drawing, part.drawing, QPointF(x, drop));
    const double axis = x + part.axis;
    axes.push_back(axis);
    if (part.size.height() < tallest) {
      block.drawing.wires.push_back(QLineF(axis, drop + part.size.height(), axis, drop + tallest));
    }
    x += part.size.width() + m.BranchGap();
  }
  const double top = drop;
  const double bottom = drop + tallest;
  block.axis = axes.front();
  block.drawing.wires.push_back(QLineF(block.axis, 0, block.axis, top));
  block.drawing.wires.push_back(QLineF(axes.front(), top, axes.back(), top));
  block.drawing.wires.push_back(QLineF(axes.front(), bottom, axes.back(), bottom));
  block.drawing.wires.push_back(QLineF(block.axis, bottom, block.axis, bottom + drop));
  for (std::size_t k = 0; k + 1 < axes.size(); ++k) {
    block.drawing.junctions.push_back(QPointF(axes[k], top));
    block.drawing.junctions.push_back(QPointF(axes[k], bottom));
  }
  block.size = QSizeF(x - m.BranchGap(), tallest + 2 * drop);
  return block;
}

SchematicLayout::Terminal MakeTerminal(const Metrics& m, QPointF centre, const char* text) {
  SchematicLayout::Terminal t;
  t.centre = centre;
  t.radius = 0.25 * m.u;
  t.text = QString::fromUtf8(text);
  const QSizeF size = m.TextSize(t.text);
  t.label = QRectF(centre.x() + t.radius + 0.3 * m.u, centre.y() - size.height() / 2, size.width(),
                   size.height());
  return t;
}

// The ground symbol under point: three strokes, each shorter than the one above.
void AddGround(const Metrics& m, SchematicLayout& drawing, QPointF point) {
  const double step = 0.25 * m.u;
  drawing.wires.push_back(QLineF(point, point + QPointF(0, step)));
  for (int k = 0; k < 3; ++k) {
    const double half = (0.6 - 0.2 * k) * m.u;
    const double y = point.y() + step * (k + 1);
    drawing.ground.push_back(QLineF(point.x() - half, y, point.x() + half, y));
  }
}

// The column of blocks on one axis, from y downwards; returns where it ends.
double Stack(SchematicLayout& drawing, const std::vector<const Block*>& blocks, double axis,
             double y, double& right) {
  for (const Block* block : blocks) {
    const double x = axis - block->axis;
    Append(drawing, block->drawing, QPointF(x, y));
    right = std::max(right, x + block->size.width());
    y += block->size.height();
  }
  return y;
}

SchematicLayout LayOutDivider(const Metrics& m, const DividerCircuit& circuit) {
  int next = 0;
  const Block upper = NetworkBlock(m, circuit.upper, next);
  const Block lower = NetworkBlock(m, circuit.lower, next);
  Block source;
  if (circuit.HasSource()) {
    source = ResistorBlock(m, QString::fromLatin1(kSourceDesignator), circuit.sourceResistance, -1);
  }
  Block load;
  if (circuit.HasLoad()) {
    load = ResistorBlock(m, QString::fromLatin1(kLoadDesignator), circuit.LoadResistance(), -1);
  }

  SchematicLayout drawing;
  const double axis = std::max({upper.axis, lower.axis, source.axis});
  const double lead = m.Lead();
  drawing.terminals.push_back(MakeTerminal(m, QPointF(axis, 0), "Uin"));
  drawing.wires.push_back(QLineF(axis, drawing.terminals.back().radius, axis, lead));
  std::vector<const Block*> top;
  if (circuit.HasSource()) top.push_back(&source);
  top.push_back(&upper);
  double right = drawing.terminals.back().label.right();
  const double upperEnd = Stack(drawing, top, axis, lead, right);

  const double tap = upperEnd + lead;
  drawing.wires.push_back(QLineF(axis, upperEnd, axis, tap + lead));
  drawing.junctions.push_back(QPointF(axis, tap));
  double lowerRight = axis;
  const double lowerEnd = Stack(drawing, {&lower}, axis, tap + lead, lowerRight);
  right = std::max(right, lowerRight);

  double groundY = lowerEnd + lead;
  double loadAxis = axis;
  if (circuit.HasLoad()) {
    loadAxis = lowerRight + m.BranchGap() + load.axis;
    double loadRight = loadAxis;
    drawing.wires.push_back(QLineF(loadAxis, tap, loadAxis, tap + lead));
    const double loadEnd = Stack(drawing, {&load}, loadAxis, tap + lead, loadRight);
    right = std::max(right, loadRight);
    groundY = std::max(groundY, loadEnd + lead);
    drawing.wires.push_back(QLineF(loadAxis, loadEnd, loadAxis, groundY));
    drawing.wires.push_back(QLineF(axis, groundY, loadAxis, groundY));
    drawing.junctions.push_back(QPointF(loadAxis, tap));
    drawing.junctions.push_back(QPointF(axis, groundY));
  }
  drawing.wires.push_back(QLineF(axis, lowerEnd, axis, groundY));
  AddGround(m, drawing, QPointF(axis, groundY));

  // The output to the right of everything, so that its label is clear of every part.
  const double outX = right + m.BranchGap();
  drawing.wires.push_back(QLineF(axis, tap, outX - 0.25 * m.u, tap));
  drawing.terminals.push_back(MakeTerminal(m, QPointF(outX, tap), "Uout"));
  return drawing;
}

SchematicLayout LayOutResistance(const Metrics& m, const Network& network) {
  int next = 0;
  const Block block = NetworkBlock(m, network, next);
  SchematicLayout drawing;
  const double lead = m.Lead();
  const double axis = block.axis;
  drawing.terminals.push_back(MakeTerminal(m, QPointF(axis, 0), "A"));
  drawing.wires.push_back(QLineF(axis, 0.25 * m.u, axis, lead));
  double right = 0.0;
  const double end = Stack(drawing, {&block}, axis, lead, right);
  drawing.wires.push_back(QLineF(axis, end, axis, end + lead - 0.25 * m.u));
  drawing.terminals.push_back(MakeTerminal(m, QPointF(axis, end + lead), "B"));
  return drawing;
}

QRectF Bounds(const SchematicLayout& drawing) {
  QRectF bounds;
  const auto add = [&bounds](const QRectF& rect) { bounds = bounds.united(rect); };
  for (const auto& r : drawing.resistors) {
    add(r.body);
    add(r.label);
  }
  for (const QLineF& wire : drawing.wires) add(QRectF(wire.p1(), wire.p2()).normalized());
  for (const QLineF& stroke : drawing.ground) add(QRectF(stroke.p1(), stroke.p2()).normalized());
  for (const auto& t : drawing.terminals) {
    add(QRectF(t.centre - QPointF(t.radius, t.radius), QSizeF(2 * t.radius, 2 * t.radius)));
    add(t.label);
  }
  return bounds;
}

}  // namespace

QString SchematicLayout::LabelText(const Resistor& resistor) {
  return resistor.designator + QLatin1Char('\n') + resistor.value;
}

SchematicLayout LayOutSchematic(const CheckedResult& result, const QFontMetricsF& metrics) {
  const Metrics m(metrics);
  SchematicLayout drawing =
      result.IsDivider() ? LayOutDivider(m, result.divider) : LayOutResistance(m, result.network);
  drawing.junctionRadius = 0.15 * m.u;
  // Moved into a margin of half a line on every side.
  const QRectF bounds = Bounds(drawing);
  const double margin = 0.5 * m.u;
  SchematicLayout placed;
  Append(placed, drawing, QPointF(margin - bounds.left(), margin - bounds.top()));
  placed.junctionRadius = drawing.junctionRadius;
  placed.size = QSizeF(bounds.width() + 2 * margin, bounds.height() + 2 * margin);
  return placed;
}

}  // namespace ordavin::ui
