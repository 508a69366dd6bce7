#include "ui/ResultDetails.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTableWidget>
#include <optional>

#include "resources/Strings.h"
#include "ui/DetailsWindow.h"
#include "ui/ResultsTable.h"

namespace ordavin::ui {

ResultDetails::ResultDetails(ResultsTable& results, QTableWidget* list, QMenu* menu)
    : QObject(list), m_results(results), m_list(list) {
  setObjectName(QStringLiteral("resultDetails"));
  m_action = new QAction(QString::fromUtf8(resources::kDetails), menu);
  m_action->setObjectName(QStringLiteral("detailsAction"));
  const QList<QAction*> actions = menu->actions();
  menu->insertAction(actions.isEmpty() ? nullptr : actions.front(), m_action);
  if (!actions.isEmpty()) menu->insertSeparator(actions.front());
  connect(m_action, &QAction::triggered, this, [this] { Open(m_list->currentRow()); });
  connect(menu, &QMenu::aboutToShow, this, &ResultDetails::UpdateAction);
  connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row) { Open(row); });
  m_list->installEventFilter(this);
  UpdateAction();
}

void ResultDetails::UpdateAction() {
  m_action->setEnabled(m_results.CheckedRow(m_list->currentRow()).has_value());
}

bool ResultDetails::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Open(m_list->currentRow()) != nullptr) {
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

DetailsWindow* ResultDetails::Open(int row) {
  const std::optional<CheckedResult> result = m_results.CheckedRow(row);
  if (!result) return nullptr;
  auto* window = new DetailsWindow(*result, m_list->window());
  window->setWindowFlag(Qt::Window);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace ordavin::ui
