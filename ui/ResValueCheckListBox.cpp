#include "ui/ResValueCheckListBox.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>

#include "resources/Strings.h"
#include "values/EngineeringNotation.h"

namespace ordavin::ui {

CResValueCheckListBox::CResValueCheckListBox(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("valueList"));
  setAccessibleName(QStringLiteral("Available resistor values"));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setLayoutDirection(Qt::LeftToRight);
}

void CResValueCheckListBox::Fill(std::span<const double> values) {
  clear();
  for (const double value : values) {
    auto* item = new QListWidgetItem(QString::fromStdString(FormatResistance(value)), this);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setCheckState(Qt::Checked);
  }
}

int CResValueCheckListBox::GetCheck(int index) const {
  switch (item(index)->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void CResValueCheckListBox::SetCheck(int index, int state) {
  item(index)->setCheckState(state == 1   ? Qt::Checked
                             : state == 2 ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
}

std::vector<std::int32_t> CResValueCheckListBox::CheckStates() const {
  std::vector<std::int32_t> states;
  for (int j = 0; j < count(); ++j) states.push_back(GetCheck(j));
  return states;
}

void CResValueCheckListBox::OnSelectAll() {
  for (int j = 0; j < count(); ++j) SetCheck(j, 1);
}

void CResValueCheckListBox::OnDeselectAll() {
  for (int j = 0; j < count(); ++j) SetCheck(j, 0);
}

void CResValueCheckListBox::OnInvertSelection() {
  for (int j = 0; j < count(); ++j) SetCheck(j, GetCheck(j) == 0 ? 1 : 0);
}

QMenu* CResValueCheckListBox::CreateSelectionMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("valueListMenu"));
  connect(menu->addAction(QString::fromLatin1(resources::kSelectAll)), &QAction::triggered, this,
          &CResValueCheckListBox::OnSelectAll);
  connect(menu->addAction(QString::fromLatin1(resources::kDeselectAll)), &QAction::triggered, this,
          &CResValueCheckListBox::OnDeselectAll);
  menu->addSeparator();
  connect(menu->addAction(QString::fromLatin1(resources::kInvertSelection)), &QAction::triggered,
          this, &CResValueCheckListBox::OnInvertSelection);
  return menu;
}

void CResValueCheckListBox::contextMenuEvent(QContextMenuEvent* /*event*/) {
  // At the mouse pointer, also when the menu key opened it.
  QMenu* menu = CreateSelectionMenu(this);
  menu->exec(QCursor::pos());
  delete menu;
}

}  // namespace ordavin::ui
