#include "ui/PageWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ordavin::ui {

QLabel* PageWidgets::Label(const QString& text, resources::DlgRect rect, QWidget* buddy) {
  auto* label = new QLabel(text, m_page);
  if (buddy != nullptr) {
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
  }
  m_layout.Place(label, rect);
  return label;
}

QLineEdit* PageWidgets::Edit(const char* name, resources::DlgRect rect) {
  auto* edit = new QLineEdit(m_page);
  edit->setObjectName(QString::fromLatin1(name));
  m_layout.Place(edit, rect, DialogLayout::Fit::None);
  return edit;
}

QCheckBox* PageWidgets::Check(const char* name, const QString& text, resources::DlgRect rect) {
  auto* box = new QCheckBox(text, m_page);
  box->setObjectName(QString::fromLatin1(name));
  m_layout.Place(box, rect);
  return box;
}

QComboBox* PageWidgets::Combo(const char* name, resources::DlgRect rect) {
  auto* combo = new QComboBox(m_page);
  combo->setObjectName(QString::fromLatin1(name));
  m_layout.Place(combo, rect, DialogLayout::Fit::ComboBox);
  return combo;
}

QPushButton* PageWidgets::Button(const char* name, const QString& text, resources::DlgRect rect) {
  auto* button = new QPushButton(text, m_page);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  m_layout.Place(button, rect);
  return button;
}

QGroupBox* PageWidgets::Group(const QString& title, resources::DlgRect rect) {
  auto* group = new QGroupBox(title, m_page);
  m_layout.Place(group, rect);
  group->lower();
  return group;
}

QLabel* PageWidgets::StatusLine(resources::DlgRect rect) {
  auto* status = new QLabel(QStringLiteral("Idle"), m_page);
  status->setObjectName(QStringLiteral("statusLine"));
  status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status->setAccessibleName(QStringLiteral("Status"));
  m_layout.Place(status, rect, DialogLayout::Fit::None);
  return status;
}

}  // namespace ordavin::ui
