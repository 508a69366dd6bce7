#include "ui/CutCellToolTips.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace ordavin::ui {

CutCellToolTips::CutCellToolTips(QTableWidget* table) : QObject(table), m_table(table) {
  connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column) { RefreshColumn(column); });
}

void CutCellToolTips::Refresh() {
  for (int c = 0; c < m_table->columnCount(); ++c) RefreshColumn(c);
}

void CutCellToolTips::RefreshColumn(int column) {
  // The item view draws a cell's text inside a focus margin on either side.
  const int margin =
      m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1;
  const int room = m_table->columnWidth(column) - 2 * margin;
  const QFontMetrics metrics(m_table->font());
  for (int r = 0; r < m_table->rowCount(); ++r) {
    QTableWidgetItem* item = m_table->item(r, column);
    if (item == nullptr) continue;
    const QString text = item->text();
    const bool cut = metrics.horizontalAdvance(text) > room;
    item->setToolTip(cut ? text : QString());
  }
}

}  // namespace ordavin::ui
