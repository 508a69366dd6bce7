#include "ui/ResultsExport.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QSaveFile>
#include <QTableWidget>
#include <algorithm>
#include <string>

#include "resources/Strings.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ResultsTable.h"

namespace ordavin::ui {
namespace {

// An action of the list, its shortcut working while the list has the focus.
QAction* AddAction(QTableWidget* list, QMenu* menu, const char* text,
                   const QKeySequence& shortcut) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  list->addAction(action);
  return action;
}

}  // namespace

ResultsExport::ResultsExport(ResultsTable& results, QTableWidget* list)
    : QObject(list),
      m_results(results),
      m_list(list),
      m_menu(new QMenu(list)),
      m_folder(QDir::currentPath()) {
  setObjectName(QStringLiteral("resultsExport"));
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_menu->setObjectName(QStringLiteral("resultsMenu"));
  m_copy = AddAction(m_list, m_menu, resources::kCopy, QKeySequence::Copy);
  m_selectAll = AddAction(m_list, m_menu, resources::kSelectAll, QKeySequence::SelectAll);
  m_menu->addSeparator();
  m_save = m_menu->addAction(QString::fromUtf8(resources::kSaveAsCsv));
  connect(m_copy, &QAction::triggered, this, &ResultsExport::Copy);
  connect(m_selectAll, &QAction::triggered, this, &ResultsExport::SelectAll);
  connect(m_save, &QAction::triggered, this, &ResultsExport::SaveAsCsv);
  // Without a selection the Copy action is disabled and the key would reach the list, which
  // copies its current cell alone.
  m_list->installEventFilter(this);

  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_list, &QWidget::customContextMenuRequested, this, &ResultsExport::ShowMenu);
  // The list is rebuilt for each run; the actions follow its rows and its selection.
  QAbstractItemModel* model = m_list->model();
  for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                            &QAbstractItemModel::columnsInserted}) {
    connect(model, signal, this, &ResultsExport::UpdateActions);
  }
  connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ResultsExport::UpdateActions);
  UpdateActions();
}

bool ResultsExport::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    Copy();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void ResultsExport::UpdateActions() {
  m_copy->setEnabled(m_list->selectionModel()->hasSelection());
  m_selectAll->setEnabled(m_list->rowCount() > 0);
  // Columns appear with the first run shown; a run without matches is saved as its titles.
  m_save->setEnabled(m_list->columnCount() > 0);
}

QString ResultsExport::SelectionText() const {
  QModelIndexList rows = m_list->selectionModel()->selectedRows();
  if (rows.isEmpty()) return {};
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  const int columns = m_list->columnCount();
  QStringList cells;
  for (int c = 0; c < columns; ++c) cells << m_list->horizontalHeaderItem(c)->text();
  QString text = cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const QModelIndex& row : rows) {
    cells.clear();
    for (int c = 0; c < columns; ++c) {
      const QTableWidgetItem* item = m_list->item(row.row(), c);
      cells << (item != nullptr ? item->text() : QString());
    }
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

void ResultsExport::Copy() {
  const QString text = SelectionText();
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void ResultsExport::SelectAll() { m_list->selectAll(); }

void ResultsExport::SaveAsCsv() {
  if (m_results.Kind() == ResultsKind::None) return;
  const char* name = m_results.Kind() == ResultsKind::Divider ? resources::kDividerCsvName
                                                              : resources::kTargetCsvName;
  const QString path =
      AskSaveFileName(m_list->window(), QString::fromUtf8(resources::kSaveCsvTitle),
                      QDir(m_folder).filePath(QString::fromUtf8(name)),
                      QString::fromUtf8(resources::kCsvFilter), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  if (SaveCsv(path)) m_folder = QFileInfo(path).absolutePath();
}

bool ResultsExport::SaveCsv(const QString& path) {
  const std::string csv = m_results.Csv();
  const auto size = static_cast<qint64>(csv.size());
  // QSaveFile writes beside the target and renames it over the target on commit; until then
  // the target is untouched, and an uncommitted file is removed when `file` goes.
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(csv.data(), size) == size && file.commit()) {
    return true;
  }
  ShowMessage(m_list->window(),
              QString::fromUtf8(resources::kSaveFailedMessage)
                  .arg(QDir::toNativeSeparators(path), file.errorString()),
              MessageIcon::Error);
  return false;
}

void ResultsExport::ShowMenu(const QPoint& position) {
  UpdateActions();
  m_menu->popup(m_list->viewport()->mapToGlobal(position));
}

}  // namespace ordavin::ui
