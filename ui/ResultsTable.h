#pragma once

#include <QObject>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "network/CheckedResult.h"
#include "texts/DividerRowTexts.h"
#include "texts/TargetRowTexts.h"

class QTableWidget;

namespace ordavin {
class DividerEngine;
class TargetEngine;
}  // namespace ordavin

namespace ordavin::ui {

class CutCellToolTips;

enum class ResultsKind { None = 0, Divider = 1, Target = 2 };

// The one results list, showing the last completed run of either kind. Each row keeps a
// record of its figures for sorting; the records are freed when the list is rebuilt or
// cleared. A header click sorts ascending by the clicked column with the shown kind's
// comparator; rank texts stay as they were. Columns can be widened by dragging, or fitted to
// their texts by a double-click on their edge; a cell cut short shows its text as a tool tip.
class ResultsTable final : public QObject {
  Q_OBJECT

 public:
  // Column widths are given for the usual 8-point dialog font; widthScale fits them to ours.
  explicit ResultsTable(QTableWidget* list, double widthScale = 1.0);

  void ShowDivider(const DividerEngine& engine);
  void ShowTarget(const TargetEngine& engine);
  void Clear();

  ResultsKind Kind() const { return m_kind; }
  void SortByColumn(int column);
  std::size_t RecordCount() const { return m_records.size(); }
  // The shown row as a circuit to check, with what its run searched for; nothing for a row
  // the list does not have.
  std::optional<CheckedResult> CheckedRow(int row) const;
  // The whole list as CSV (texts/ResultsCsv), its rows in their shown order; empty before
  // any run was shown.
  std::string Csv() const;

 private:
  using Record = std::variant<DividerRowData, TargetRowData>;
  // Rebuilds the list with these columns and one row for each match, best first: its texts
  // from makeTexts(rank, match), its record from makeRecord(rank, match), its circuit from
  // makeCheck(rank, match).
  template <typename Column, std::size_t N, typename Match, typename MakeTexts, typename MakeRecord,
            typename MakeCheck>
  void Show(ResultsKind kind, const std::array<Column, N>& columns,
            const std::array<int, N>& widths, std::span<const Match> matches, MakeTexts makeTexts,
            MakeRecord makeRecord, MakeCheck makeCheck);
  void SetColumn(int column, const char* header, int width);
  void AddRow(int row, std::span<const std::string> texts, Record record, CheckedResult check);

  QTableWidget* m_list;
  CutCellToolTips* m_toolTips;
  double m_widthScale;
  std::vector<Record> m_records;
  // Each record's CSV line and circuit, by record.
  std::vector<std::string> m_csvRecords;
  std::vector<CheckedResult> m_checks;
  ResultsKind m_kind = ResultsKind::None;
};

}  // namespace ordavin::ui
