#include "ui/ResultsTable.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "divider/DividerEngine.h"
#include "target/TargetEngine.h"

namespace ordavin::ui {
namespace {

constexpr int kRecordRole = Qt::UserRole;

}  // namespace

ResultsTable::ResultsTable(QTableWidget* list, double widthScale)
    : QObject(list), m_list(list), m_widthScale(widthScale) {
  connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &ResultsTable::SortByColumn);
}

void ResultsTable::Clear() {
  m_list->setRowCount(0);
  m_records.clear();
}

void ResultsTable::Rebuild(const char* const* headers, const int* widths, int columns) {
  Clear();
  m_list->setColumnCount(0);
  m_list->setColumnCount(columns);
  for (int c = 0; c < columns; ++c) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(headers[c]));
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->setHorizontalHeaderItem(c, header);
    m_list->setColumnWidth(c, static_cast<int>(std::lround(widths[c] * m_widthScale)));
  }
}

void ResultsTable::AddRow(int row, const std::string* texts, int columns, Record record) {
  for (int c = 0; c < columns; ++c) {
    auto* item = new QTableWidgetItem(QString::fromStdString(texts[c]));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->setItem(row, c, item);
  }
  m_list->item(row, 0)->setData(kRecordRole, static_cast<qulonglong>(m_records.size()));
  m_records.push_back(record);
}

void ResultsTable::ShowDivider(const DividerEngine& engine) {
  const char* headers[kDividerColumns.size()];
  int widths[kDividerColumns.size()];
  for (std::size_t c = 0; c < kDividerColumns.size(); ++c) {
    headers[c] = kDividerColumns[c].header;
    widths[c] = kDividerColumns[c].width;
  }
  const int columns = static_cast<int>(kDividerColumns.size());
  Rebuild(headers, widths, columns);
  const auto matches = engine.KeptMatches();
  const DividerParameters& p = engine.Parameters();
  m_list->setRowCount(static_cast<int>(matches.size()));
  for (std::size_t r = 0; r < matches.size(); ++r) {
    const auto rank = static_cast<std::int32_t>(r);
    const DividerRowTexts texts =
        MakeDividerRowTexts(rank, matches[r], p.upperCount, p.lowerCount, engine.Values());
    AddRow(rank, texts.data(), columns, MakeDividerRowData(rank, matches[r]));
  }
  m_kind = ResultsKind::Divider;
}

void ResultsTable::ShowTarget(const TargetEngine& engine) {
  const char* headers[kTargetColumns.size()];
  int widths[kTargetColumns.size()];
  for (std::size_t c = 0; c < kTargetColumns.size(); ++c) {
    headers[c] = kTargetColumns[c].header;
    widths[c] = kTargetColumns[c].width;
  }
  const int columns = static_cast<int>(kTargetColumns.size());
  Rebuild(headers, widths, columns);
  const auto matches = engine.KeptMatches();
  const std::uint32_t count = engine.Parameters().resistorCount;
  m_list->setRowCount(static_cast<int>(matches.size()));
  for (std::size_t r = 0; r < matches.size(); ++r) {
    const auto rank = static_cast<std::int32_t>(r);
    const TargetRowTexts texts = MakeTargetRowTexts(rank, matches[r], count, engine.Values());
    AddRow(rank, texts.data(), columns, MakeTargetRowData(rank, matches[r]));
  }
  m_kind = ResultsKind::Target;
}

void ResultsTable::SortByColumn(int column) {
  if (m_kind == ResultsKind::None) return;
  const int rows = m_list->rowCount();
  const int columns = m_list->columnCount();
  struct Row {
    std::vector<QTableWidgetItem*> items;
    std::size_t record;
  };
  std::vector<Row> taken;
  for (int r = 0; r < rows; ++r) {
    Row row;
    for (int c = 0; c < columns; ++c) row.items.push_back(m_list->takeItem(r, c));
    row.record = row.items[0]->data(kRecordRole).toULongLong();
    taken.push_back(std::move(row));
  }
  const bool divider = m_kind == ResultsKind::Divider;
  std::stable_sort(taken.begin(), taken.end(), [&](const Row& a, const Row& b) {
    const Record& x = m_records[a.record];
    const Record& y = m_records[b.record];
    // Each row's record matches the shown kind: the table was built by that kind.
    const int order =
        divider
            ? CompareDividerRows(std::get<DividerRowData>(x), std::get<DividerRowData>(y), column)
            : CompareTargetRows(std::get<TargetRowData>(x), std::get<TargetRowData>(y), column);
    return order < 0;
  });
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c)
      m_list->setItem(r, c, taken[static_cast<std::size_t>(r)].items[static_cast<std::size_t>(c)]);
  }
}

}  // namespace ordavin::ui
