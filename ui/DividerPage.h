#pragma once

#include <QWidget>
#include <cstdint>

#include "divider/NetworkMode.h"
#include "run/DividerPreparation.h"
#include "ui/FieldExchange.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ordavin::ui {

class DialogLayout;

// The "Resistor divider optimizer" page: the divider's parameters, the two calculators and
// the Optimize! button, which asks the main window (posted, never called) to run or abort.
class DividerPage final : public QWidget {
  Q_OBJECT

 public:
  explicit DividerPage(DialogLayout& layout, QWidget* parent = nullptr);

  // The page's values as the last successful Optimize! left them.
  DividerRequest Request() const;
  double DivisionFactor() const { return m_divisionFactor; }

  QPushButton* OptimizeButton() const { return m_optimizeButton; }
  QLabel* StatusLabel() const { return m_statusLabel; }

 Q_SIGNALS:
  // Optimize! passed validation; the receiver starts a run or aborts the running one.
  void OptimizeRequested();

 private:
  void OnOptimize();
  void OnCalcAttenuator();
  void OnCalcRegulator();

  // Members, with the page's defaults.
  double m_tolerance = divider_fields::kTolerance;
  double m_seriesMin = divider_fields::kSeriesMin;
  double m_seriesMax = divider_fields::kSeriesMax;
  bool m_seriesEnabled = divider_fields::kSeriesEnabled;
  double m_parallelMin = divider_fields::kParallelMin;
  double m_parallelMax = divider_fields::kParallelMax;
  bool m_parallelEnabled = divider_fields::kParallelEnabled;
  double m_attenuation = divider_fields::kAttenuation;
  double m_divisionFactor;
  QString m_divisionFactorText = QString::fromLatin1(divider_fields::kDivisionFactorText);
  double m_uOut = divider_fields::kUOut;
  double m_uRef = divider_fields::kURef;
  double m_uGnd = divider_fields::kUGnd;
  std::uint32_t m_upperCount = 1;
  std::uint32_t m_lowerCount = 1;
  NetworkMode m_upperMode = NetworkMode::Parallel;
  NetworkMode m_lowerMode = NetworkMode::Parallel;
  std::uint32_t m_maxResults = divider_fields::kMaxResults;
  double m_sourceResistance = divider_fields::kSourceResistance;
  double m_loadResistance = divider_fields::kLoadResistance;

  QLineEdit* m_attenuationEdit;
  QLineEdit* m_toleranceEdit;
  QLineEdit* m_seriesMinEdit;
  QLineEdit* m_seriesMaxEdit;
  QCheckBox* m_seriesEnabledCheck;
  QLineEdit* m_parallelMinEdit;
  QLineEdit* m_parallelMaxEdit;
  QCheckBox* m_parallelEnabledCheck;
  QLineEdit* m_uOutEdit;
  QLineEdit* m_uRefEdit;
  QLineEdit* m_uGndEdit;
  QPushButton* m_optimizeButton;
  QComboBox* m_upperCountCombo;
  QComboBox* m_lowerCountCombo;
  QLineEdit* m_maxResultsEdit;
  QLineEdit* m_divisionFactorEdit;
  QLineEdit* m_sourceEdit;
  QLineEdit* m_loadEdit;
  QLabel* m_statusLabel;
  QComboBox* m_upperModeCombo;
  QComboBox* m_lowerModeCombo;
  FieldExchange m_exchange;
};

}  // namespace ordavin::ui
