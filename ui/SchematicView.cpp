#include "ui/SchematicView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace ordavin::ui {
SchematicView::SchematicView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("schematic"));
  setAccessibleName(QStringLiteral("Schematic"));
  setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void SchematicView::SetResult(const CheckedResult& result) {
  m_result = result;
  LayOut();
}

void SchematicView::SetMarked(std::optional<int> index) {
  m_marked = index;
  update();
}

void SchematicView::LayOut() {
  m_layout = LayOutSchematic(m_result, QFontMetricsF(font()));
  updateGeometry();
  update();
}

void SchematicView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) LayOut();
  QWidget::changeEvent(event);
}

QSize SchematicView::sizeHint() const {
  return {static_cast<int>(std::ceil(m_layout.size.width())),
          static_cast<int>(std::ceil(m_layout.size.height()))};
}

void SchematicView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // Centred in whatever room the window gives.
  painter.translate(std::floor((width() - m_layout.size.width()) / 2),
                    std::floor((height() - m_layout.size.height()) / 2));
  const QColor ink = palette().color(QPalette::WindowText);
  const double stroke = std::max(1.0, QFontMetricsF(font()).height() / 10);
  painter.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.drawLines(m_layout.wires.data(), static_cast<int>(m_layout.wires.size()));
  painter.drawLines(m_layout.ground.data(), static_cast<int>(m_layout.ground.size()));

  for (const SchematicLayout::Resistor& r : m_layout.resistors) {
    const bool marked = m_marked && r.index == *m_marked;
    painter.setBrush(marked ? MarkedFill() : palette().color(QPalette::Base));
    painter.drawRect(r.body);
    painter.drawText(r.label, Qt::AlignLeft | Qt::AlignVCenter, SchematicLayout::LabelText(r));
  }
  painter.setBrush(ink);
  for (const QPointF& dot : m_layout.junctions) {
    painter.drawEllipse(dot, m_layout.junctionRadius, m_layout.junctionRadius);
  }
  painter.setBrush(palette().color(QPalette::Base));
  for (const SchematicLayout::Terminal& t : m_layout.terminals) {
    painter.drawEllipse(t.centre, t.radius, t.radius);
    painter.drawText(t.label, Qt::AlignLeft | Qt::AlignVCenter, t.text);
  }
}

}  // namespace ordavin::ui
