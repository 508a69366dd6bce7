#pragma once

#include <QString>
#include <QWidget>

#include "run/DividerRequest.h"
#include "run/FieldLimits.h"
#include "ui/FieldExchange.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
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
  const DividerRequest& Request() const { return m_request; }
  double DivisionFactor() const { return m_request.divisionFactor; }

  QPushButton* OptimizeButton() const { return m_optimizeButton; }
  QLabel* StatusLabel() const { return m_statusLabel; }
  QProgressBar* ProgressBar() const { return m_progressBar; }

 Q_SIGNALS:
  // Optimize! passed validation; the receiver starts a run or aborts the running one.
  void OptimizeRequested();

 private:
  void OnOptimize();
  void OnCalcAttenuator();
  void OnCalcRegulator();

  // A calculator's result: the factor and its text, the only field a calculator writes.
  void SetCalculatedFactor(double factor);

  // The fields, with the page's defaults: those a run takes, then the calculators' inputs
  // and the factor as typed.
  DividerRequest m_request;
  double m_attenuation = divider_fields::kAttenuation;
  QString m_divisionFactorText = QString::fromLatin1(divider_fields::kDivisionFactorText);
  double m_uOut = divider_fields::kUOut;
  double m_uRef = divider_fields::kURef;
  double m_uGnd = divider_fields::kUGnd;

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
  QProgressBar* m_progressBar;
  QComboBox* m_upperModeCombo;
  QComboBox* m_lowerModeCombo;
  FieldExchange m_exchange;
};

}  // namespace ordavin::ui
