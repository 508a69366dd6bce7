#pragma once

#include <QString>

#include "resources/DialogTemplates.h"
#include "ui/DialogLayout.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace ordavin::ui {

// Small constructors for the controls of a page, each placed at its template rectangle and
// named so that tests and screen readers find it.
class PageWidgets {
 public:
  // The progress bar's range: tenths of a percent.
  static constexpr int kProgressSteps = 1000;

  PageWidgets(QWidget* page, DialogLayout& layout) : m_page(page), m_layout(layout) {}

  QLabel* Label(const QString& text, resources::DlgRect rect, QWidget* buddy = nullptr);
  QLineEdit* Edit(const char* name, resources::DlgRect rect);
  QCheckBox* Check(const char* name, const QString& text, resources::DlgRect rect);
  QComboBox* Combo(const char* name, resources::DlgRect rect);
  QPushButton* Button(const char* name, const QString& text, resources::DlgRect rect);
  QGroupBox* Group(const QString& title, resources::DlgRect rect);
  QLabel* StatusLine(resources::DlgRect rect);
  // Beside the status line, shown while a run is active: its share done and time left.
  QProgressBar* ProgressBar(resources::DlgRect rect);

 private:
  // Gives the widget its object name and places it.
  template <typename Widget>
  Widget* Named(Widget* widget, const char* name, resources::DlgRect rect, DialogLayout::Fit fit);

  QWidget* m_page;
  DialogLayout& m_layout;
};

}  // namespace ordavin::ui
