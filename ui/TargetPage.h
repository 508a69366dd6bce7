#pragma once

#include <QWidget>
#include <cstdint>

#include "run/TargetPreparation.h"
#include "target/ConnectionMode.h"
#include "ui/FieldExchange.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ordavin::ui {

class DialogLayout;

// The "Target resistance optimizer" page: target, tolerance, number of resistors, connection
// and the number of results; Optimize! asks the main window to run or abort.
class TargetPage final : public QWidget {
  Q_OBJECT

 public:
  explicit TargetPage(DialogLayout& layout, QWidget* parent = nullptr);

  TargetRequest Request() const;

  QPushButton* OptimizeButton() const { return m_optimizeButton; }
  QLabel* StatusLabel() const { return m_statusLabel; }

 Q_SIGNALS:
  void OptimizeRequested();

 private:
  void OnOptimize();

  QComboBox* m_resistorCountCombo;
  QComboBox* m_connectionCombo;
  double m_targetResistance = target_fields::kTargetResistance;
  double m_tolerance = target_fields::kTolerance;
  std::uint32_t m_maxResults = target_fields::kMaxResults;
  std::uint32_t m_resistorCount = 2;
  ConnectionMode m_connectionMode = ConnectionMode::ParallelAndSeries;
  QPushButton* m_optimizeButton;
  QLabel* m_statusLabel;
  QLineEdit* m_targetEdit;
  QLineEdit* m_toleranceEdit;
  QLineEdit* m_maxResultsEdit;
  FieldExchange m_exchange;
};

}  // namespace ordavin::ui
