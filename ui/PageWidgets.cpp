#include "ui/PageWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
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

template <typename Widget>
Widget* PageWidgets::Named(Widget* widget, const char* name, resources::DlgRect rect,
                           DialogLayout::Fit fit) {
  widget->setObjectName(QString::fromLatin1(name));
  m_layout.Place(widget, rect, fit);
  return widget;
}

QLineEdit* PageWidgets::Edit(const char* name, resources::DlgRect rect) {
  return Named(new QLineEdit(m_page), name, rect, DialogLayout::Fit::None);
}

QCheckBox* PageWidgets::Check(const char* name, const QString& text, resources::DlgRect rect) {
  return Named(new QCheckBox(text, m_page), name, rect, DialogLayout::Fit::Text);
}

QComboBox* PageWidgets::Combo(const char* name, resources::DlgRect rect) {
  return Named(new QComboBox(m_page), name, rect, DialogLayout::Fit::ComboBox);
}

QPushButton* PageWidgets::Button(const char* name, const QString& text, resources::DlgRect rect) {
  auto* button = new QPushButton(text, m_page);
  button->setAutoDefault(false);
  return Named(button, name, rect, DialogLayout::Fit::Text);
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
  // No accessible name: a screen reader then reads the text itself, and hears it change.
  status->setAccessibleDescription(QStringLiteral("Status"));
  m_layout.Place(status, rect, DialogLayout::Fit::None);
  return status;
}

QProgressBar* PageWidgets::ProgressBar(resources::DlgRect rect) {
  auto* bar = new QProgressBar(m_page);
  bar->setObjectName(QStringLiteral("progressBar"));
  bar->setAccessibleName(QStringLiteral("Progress"));
  bar->setRange(0, kProgressSteps);
  bar->setValue(0);
  bar->hide();
  m_layout.Place(bar, rect, DialogLayout::Fit::None);
  return bar;
}

}  // namespace ordavin::ui
