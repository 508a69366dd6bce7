#pragma once

#include <QWidget>

#include "run/TargetRequest.h"
#include "ui/FieldExchange.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ordavin::ui {

class DialogLayout;

// The "Target resistance optimizer" page: target, tolerance, number of resistors, connection
// and the number of results; Optimize! asks the main window to run or abort.
class TargetPage final : public QWidget {
  Q_OBJECT

 public:
  explicit TargetPage(DialogLayout& layout, QWidget* parent = nullptr);

  // The page's values as the last successful Optimize! left them.
  const TargetRequest& Request() const { return m_request; }

  QPushButton* OptimizeButton() const { return m_optimizeButton; }
  QLabel* StatusLabel() const { return m_statusLabel; }
  QProgressBar* ProgressBar() const { return m_progressBar; }

 Q_SIGNALS:
  void OptimizeRequested();

 private:
  void OnOptimize();

  QComboBox* m_resistorCountCombo;
  QComboBox* m_connectionCombo;
  // The fields, with the page's defaults.
  TargetRequest m_request;
  QPushButton* m_optimizeButton;
  QLabel* m_statusLabel;
  QProgressBar* m_progressBar;
  QLineEdit* m_targetEdit;
  QLineEdit* m_toleranceEdit;
  QLineEdit* m_maxResultsEdit;
  FieldExchange m_exchange;
};

}  // namespace ordavin::ui
