#include "ui/ValueChecklist.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <algorithm>
#include <cstddef>

#include "resources/Strings.h"
#include "texts/EngineeringNotation.h"

namespace ordavin::ui {

ValueChecklist::ValueChecklist(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("valueList"));
  setAccessibleName(QStringLiteral("Available resistor values"));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setLayoutDirection(Qt::LeftToRight);
}

void ValueChecklist::Fill(std::span<const double> values) {
  clear();
  for (const double value : values) {
    auto* item = new QListWidgetItem(QString::fromStdString(FormatResistance(value)), this);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setCheckState(Qt::Checked);
  }
}

int ValueChecklist::GetCheck(int index) const {
  switch (item(index)->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void ValueChecklist::SetCheck(int index, int state) {
  item(index)->setCheckState(state == 1   ? Qt::Checked
                             : state == 2 ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
}

std::vector<std::int32_t> ValueChecklist::CheckStates() const {
  std::vector<std::int32_t> states;
  states.reserve(static_cast<std::size_t>(std::max(count(), 0)));
  for (int j = 0; j < count(); ++j) states.push_back(GetCheck(j));
  return states;
}

void ValueChecklist::OnSelectAll() {
  for (int j = 0; j < count(); ++j) SetCheck(j, 1);
}

void ValueChecklist::OnDeselectAll() {
  for (int j = 0; j < count(); ++j) SetCheck(j, 0);
}

void ValueChecklist::OnInvertSelection() {
  for (int j = 0; j < count(); ++j) SetCheck(j, GetCheck(j) == 0 ? 1 : 0);
}

QMenu* ValueChecklist::CreateSelectionMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("valueListMenu"));
  connect(menu->addAction(QString::fromLatin1(resources::kSelectAll)), &QAction::triggered, this,
          &ValueChecklist::OnSelectAll);
  connect(menu->addAction(QString::fromLatin1(resources::kDeselectAll)), &QAction::triggered, this,
          &ValueChecklist::OnDeselectAll);
  menu->addSeparator();
  connect(menu->addAction(QString::fromLatin1(resources::kInvertSelection)), &QAction::triggered,
          this, &ValueChecklist::OnInvertSelection);
  return menu;
}

void ValueChecklist::contextMenuEvent(QContextMenuEvent* /*event*/) {
  // At the mouse pointer, also when the menu key opened it.
  QMenu* menu = CreateSelectionMenu(this);
  menu->exec(QCursor::pos());
  delete menu;
}

}  // namespace ordavin::ui
