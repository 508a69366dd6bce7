#include "ui/ResultsTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "divider/DividerEngine.h"
#include "divider/DividerRowCheck.h"
#include "target/TargetEngine.h"
#include "target/TargetRowCheck.h"
#include "texts/ResultsCsv.h"
#include "ui/CutCellToolTips.h"
#include "ui/ResultsColumns.h"

namespace ordavin::ui {
namespace {

constexpr int kRecordRole = Qt::UserRole;
// The column whose items carry their row's record: the rank, first in either kind.
constexpr int kRecordColumn = 0;
static_assert(DividerColumn::Rank == kRecordColumn && TargetColumn::Rank == kRecordColumn);

}  // namespace

ResultsTable::ResultsTable(QTableWidget* list, double widthScale)
    : QObject(list), m_list(list), m_toolTips(new CutCellToolTips(list)), m_widthScale(widthScale) {
  m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &ResultsTable::SortByColumn);
}

void ResultsTable::Clear() {
  m_list->setRowCount(0);
  m_records.clear();
  m_csvRecords.clear();
  m_checks.clear();
}

template <typename Column, std::size_t N, typename Match, typename MakeTexts, typename MakeRecord,
          typename MakeCheck>
void ResultsTable::Show(ResultsKind kind, const std::array<Column, N>& columns,
                        const std::array<int, N>& widths, std::span<const Match> matches,
                        MakeTexts makeTexts, MakeRecord makeRecord, MakeCheck makeCheck) {
  Clear();
  m_list->setColumnCount(0);
  m_list->setColumnCount(static_cast<int>(N));
  for (std::size_t c = 0; c < N; ++c) SetColumn(static_cast<int>(c), columns[c].header, widths[c]);
  m_list->setRowCount(static_cast<int>(matches.size()));
  for (std::size_t r = 0; r < matches.size(); ++r) {
    const auto rank = static_cast<std::int32_t>(r);
    AddRow(rank, makeTexts(rank, matches[r]), makeRecord(rank, matches[r]),
           makeCheck(rank, matches[r]));
  }
  m_toolTips->Refresh();
  m_kind = kind;
}

void ResultsTable::ShowDivider(const DividerEngine& engine) {
  const DividerParameters& p = engine.Parameters();
  Show(
      ResultsKind::Divider, kDividerColumns, kDividerColumnWidths, engine.KeptMatches(),
      [&](std::int32_t rank, const DividerMatch& match) {
        return MakeDividerRowTexts(rank, match, p.upperCount, p.lowerCount, engine.Values());
      },
      MakeDividerRowData,
      [&](std::int32_t rank, const DividerMatch& match) {
        return CheckedDividerRow(rank, match, p, engine.Values());
      });
}

void ResultsTable::ShowTarget(const TargetEngine& engine) {
  const TargetParameters& p = engine.Parameters();
  Show(
      ResultsKind::Target, kTargetColumns, kTargetColumnWidths, engine.KeptMatches(),
      [&](std::int32_t rank, const TargetMatch& match) {
        return MakeTargetRowTexts(rank, match, p.resistorCount, engine.Values());
      },
      MakeTargetRowData,
      [&](std::int32_t rank, const TargetMatch& match) {
        return CheckedTargetRow(rank, match, p, engine.Values());
      });
}

void ResultsTable::SetColumn(int column, const char* header, int width) {
  auto* item = new QTableWidgetItem(QString::fromUtf8(header));
  item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_list->setHorizontalHeaderItem(column, item);
  m_list->setColumnWidth(column, static_cast<int>(std::lround(width * m_widthScale)));
}

void ResultsTable::AddRow(int row, std::span<const std::string> texts, Record record,
                          CheckedResult check) {
  for (std::size_t c = 0; c < texts.size(); ++c) {
    auto* item = new QTableWidgetItem(QString::fromStdString(texts[c]));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->setItem(row, static_cast<int>(c), item);
  }
  m_list->item(row, kRecordColumn)->setData(kRecordRole, static_cast<qulonglong>(m_records.size()));
  m_csvRecords.push_back(
      std::visit([texts](const auto& data) { return ResultsCsvRecord(data, texts); }, record));
  m_records.push_back(record);
  m_checks.push_back(std::move(check));
}

std::optional<CheckedResult> ResultsTable::CheckedRow(int row) const {
  if (m_kind == ResultsKind::None || row < 0 || row >= m_list->rowCount()) return std::nullopt;
  const QTableWidgetItem* item = m_list->item(row, kRecordColumn);
  if (item == nullptr) return std::nullopt;
  return m_checks[item->data(kRecordRole).toULongLong()];
}

std::string ResultsTable::Csv() const {
  if (m_kind == ResultsKind::None) return {};
  std::string csv = m_kind == ResultsKind::Divider ? DividerCsvHeader() : TargetCsvHeader();
  for (int r = 0; r < m_list->rowCount(); ++r) {
    csv += m_csvRecords[m_list->item(r, kRecordColumn)->data(kRecordRole).toULongLong()];
  }
  return csv;
}

void ResultsTable::SortByColumn(int column) {
  if (m_kind == ResultsKind::None) return;
  const int rows = m_list->rowCount();
  const int columns = m_list->columnCount();
  struct Row {
    std::vector<QTableWidgetItem*> items;
    std::size_t record;
    bool selected;  // the selection follows its rows, not their places
  };
  std::vector<Row> taken;
  for (int r = 0; r < rows; ++r) {
    Row row;
    row.selected = m_list->selectionModel()->isRowSelected(r);
    for (int c = 0; c < columns; ++c) row.items.push_back(m_list->takeItem(r, c));
    row.record = row.items[kRecordColumn]->data(kRecordRole).toULongLong();
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
  QItemSelection selection;
  for (int r = 0; r < rows; ++r) {
    if (!taken[static_cast<std::size_t>(r)].selected) continue;
    selection.select(m_list->model()->index(r, 0), m_list->model()->index(r, columns - 1));
  }
  m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

}  // namespace ordavin::ui
