#pragma once

#include <QObject>

class QAction;
class QEvent;
class QMenu;
class QTableWidget;

namespace ordavin::ui {

class DetailsWindow;
class ResultsTable;

// Opens a details window for a results row: on a double-click, on Enter with the row
// current, or from the list's context menu. Each window stands on its own; several can be
// open side by side.
class ResultDetails final : public QObject {
  Q_OBJECT

 public:
  ResultDetails(ResultsTable& results, QTableWidget* list, QMenu* menu);

  // The window for this row of the list as it is shown; nullptr for a row it does not have.
  DetailsWindow* Open(int row);

  QAction* Action() const { return m_action; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void UpdateAction();

  ResultsTable& m_results;
  QTableWidget* m_list;
  QAction* m_action;
};

}  // namespace ordavin::ui
