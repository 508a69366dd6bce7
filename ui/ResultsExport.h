#pragma once

#include <QObject>
#include <QString>

class QAction;
class QEvent;
class QMenu;
class QPoint;
class QTableWidget;

namespace ordavin::ui {

class ResultsTable;

// The ways results leave the list: rows are selected (one, a range with Shift, several with
// Ctrl, all); Ctrl+C and the context menu's Copy put the selected rows on the clipboard as
// tab-separated text, and Save as CSV... writes the whole list as the core's CSV.
class ResultsExport final : public QObject {
  Q_OBJECT

 public:
  ResultsExport(ResultsTable& results, QTableWidget* list);

  // The header line and the selected rows in their shown order, each cell as shown, cells
  // separated by tabs and each line ended by "\n"; empty when no row is selected.
  QString SelectionText() const;

  // Puts SelectionText() on the clipboard; does nothing when no row is selected.
  void Copy();
  void SelectAll();
  // Asks for a file and saves the list to it.
  void SaveAsCsv();
  // Writes the whole list to path, in its shown order, as ResultsTable::Csv gives it. The
  // file is replaced only once everything is written; when it cannot be, a box says why and
  // nothing is left behind. Returns whether it was saved.
  bool SaveCsv(const QString& path);

  QMenu* Menu() const { return m_menu; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void UpdateActions();
  void ShowMenu(const QPoint& position);

  ResultsTable& m_results;
  QTableWidget* m_list;
  QMenu* m_menu;
  QAction* m_copy;
  QAction* m_selectAll;
  QAction* m_save;
  // Where the last file was saved; the working folder at first.
  QString m_folder;
};

}  // namespace ordavin::ui
