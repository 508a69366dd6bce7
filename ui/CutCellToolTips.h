#pragma once

#include <QObject>

class QTableWidget;

namespace ordavin::ui {

// Gives each cell of a table whose text does not fit its column the whole text as its tool
// tip, and takes it away again when the column is widened enough: a long network ("1.20 Ω+
// 98.80 Ω+37.40 kΩ") must stay readable without widening the window.
class CutCellToolTips final : public QObject {
  Q_OBJECT

 public:
  explicit CutCellToolTips(QTableWidget* table);

  // Every column again, after the table was filled.
  void Refresh();

 private:
  void RefreshColumn(int column);

  QTableWidget* m_table;
};

}  // namespace ordavin::ui
