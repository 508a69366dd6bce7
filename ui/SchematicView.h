#pragma once

#include <QWidget>
#include <optional>

#include "network/CheckedResult.h"
#include "ui/SchematicLayout.h"

namespace ordavin::ui {

// Draws a checked result's schematic (SchematicLayout) with IEC resistor bodies; one
// resistor, when marked, is filled so that it catches the eye.
class SchematicView final : public QWidget {
  Q_OBJECT

 public:
  explicit SchematicView(QWidget* parent = nullptr);

  void SetResult(const CheckedResult& result);
  // The resistor of this index in ResistorsOf(), or none.
  void SetMarked(std::optional<int> index);

  const SchematicLayout& Layout() const { return m_layout; }
  // The fill of a marked body.
  static QColor MarkedFill() { return {255, 170, 60}; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void LayOut();

  CheckedResult m_result;
  SchematicLayout m_layout;
  std::optional<int> m_marked;
};

}  // namespace ordavin::ui
