#include "ui/DividerPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <optional>

#include "divider/DividerCalculators.h"
#include "divider/DivisionFactor.h"
#include "divider/NetworkMode.h"
#include "resources/Strings.h"
#include "ui/MessageBoxes.h"
#include "ui/PageWidgets.h"

namespace ordavin::ui {

namespace t = resources::divider_page;

DividerPage::DividerPage(DialogLayout& layout, QWidget* parent)
    : QWidget(parent), m_exchange(this) {
  // Until a calculator or Optimize! sets it, the factor is that of the default text.
  m_request.divisionFactor = ParseDivisionFactor(divider_fields::kDivisionFactorText);
  setObjectName(QStringLiteral("dividerPage"));
  PageWidgets w(this, layout);

  // Created in the order the Tab key walks them.
  m_seriesMinEdit = w.Edit("seriesMinEdit", t::kSeriesMin);
  w.Label(QStringLiteral("Series resistance from"), t::kSeriesLabel, m_seriesMinEdit);
  m_seriesMaxEdit = w.Edit("seriesMaxEdit", t::kSeriesMax);
  w.Label(QStringLiteral("to"), t::kSeriesTo, m_seriesMaxEdit);
  m_seriesEnabledCheck =
      w.Check("seriesEnabledCheck", QStringLiteral("Enabled"), t::kSeriesEnabled);
  m_seriesEnabledCheck->setAccessibleName(QStringLiteral("Series resistance window enabled"));
  m_parallelMinEdit = w.Edit("parallelMinEdit", t::kParallelMin);
  w.Label(QStringLiteral("Parallel resistance from"), t::kParallelLabel, m_parallelMinEdit);
  m_parallelMaxEdit = w.Edit("parallelMaxEdit", t::kParallelMax);
  w.Label(QStringLiteral("to"), t::kParallelTo, m_parallelMaxEdit);
  m_parallelEnabledCheck =
      w.Check("parallelEnabledCheck", QStringLiteral("Enabled"), t::kParallelEnabled);
  m_parallelEnabledCheck->setAccessibleName(QStringLiteral("Parallel resistance window enabled"));
  m_sourceEdit = w.Edit("sourceResistanceEdit", t::kSource);
  w.Label(QStringLiteral("Source resistance"), t::kSourceLabel, m_sourceEdit);
  m_loadEdit = w.Edit("loadResistanceEdit", t::kLoad);
  w.Label(QStringLiteral("Load resistance"), t::kLoadLabel, m_loadEdit);
  m_divisionFactorEdit = w.Edit("divisionFactorEdit", t::kFactor);
  w.Label(QStringLiteral("Target division factor"), t::kFactorLabel, m_divisionFactorEdit);
  m_toleranceEdit = w.Edit("toleranceEdit", t::kTolerance);
  w.Label(QStringLiteral("Required tolerance"), t::kToleranceLabel, m_toleranceEdit);
  w.Label(QStringLiteral("(0.01 means 1%)"), t::kToleranceNote);
  m_upperCountCombo = w.Combo("upperCountCombo", t::kUpperCount);
  w.Label(QStringLiteral("Upper resistors"), t::kUpperLabel, m_upperCountCombo);
  m_upperModeCombo = w.Combo("upperModeCombo", t::kUpperMode);
  m_upperModeCombo->setAccessibleName(QStringLiteral("Upper resistors connection"));
  m_lowerCountCombo = w.Combo("lowerCountCombo", t::kLowerCount);
  w.Label(QStringLiteral("Lower resistors"), t::kLowerLabel, m_lowerCountCombo);
  m_lowerModeCombo = w.Combo("lowerModeCombo", t::kLowerMode);
  m_lowerModeCombo->setAccessibleName(QStringLiteral("Lower resistors connection"));
  m_maxResultsEdit = w.Edit("maxResultsEdit", t::kMaxResults);
  w.Label(QStringLiteral("Max number of results"), t::kMaxResultsLabel, m_maxResultsEdit);

  w.Group(QStringLiteral("dB attenuator calculator"), t::kAttenuatorGroup);
  m_attenuationEdit = w.Edit("attenuationEdit", t::kAttenuation);
  w.Label(QStringLiteral("Att/dB"), t::kAttenuationLabel, m_attenuationEdit);
  auto* attenuatorButton = w.Button("attenuatorButton", QStringLiteral("Calculate division factor"),
                                    t::kAttenuatorButton);
  attenuatorButton->setAccessibleName(QStringLiteral("Calculate division factor from dB"));
  w.Group(QStringLiteral("Voltage regulator calculator"), t::kRegulatorGroup);
  m_uOutEdit = w.Edit("uOutEdit", t::kUOut);
  w.Label(QStringLiteral("Uout"), t::kUOutLabel, m_uOutEdit);
  m_uRefEdit = w.Edit("uRefEdit", t::kURef);
  w.Label(QStringLiteral("Uref"), t::kURefLabel, m_uRefEdit);
  m_uGndEdit = w.Edit("uGndEdit", t::kUGnd);
  w.Label(QStringLiteral("UGND"), t::kUGndLabel, m_uGndEdit);
  auto* regulatorButton =
      w.Button("regulatorButton", QStringLiteral("Calculate division factor"), t::kRegulatorButton);
  regulatorButton->setAccessibleName(QStringLiteral("Calculate division factor from voltages"));
  m_optimizeButton =
      w.Button("optimizeButton", QString::fromLatin1(resources::kOptimizeText), t::kOptimizeButton);
  m_statusLabel = w.StatusLine(t::kStatusLine);
  m_progressBar = w.ProgressBar(t::kProgressBar);

  for (QComboBox* combo : {m_upperCountCombo, m_lowerCountCombo}) {
    combo->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    combo->setCurrentIndex(0);
  }
  for (QComboBox* combo : {m_upperModeCombo, m_lowerModeCombo}) {
    combo->addItems({QStringLiteral("parallel"), QStringLiteral("series")});
    combo->setCurrentIndex(0);
  }

  // The order in which a validating exchange checks the fields.
  FieldExchange& x = m_exchange;
  x.AddNumber(m_attenuationEdit, &m_attenuation, divider_fields::kAttenuationRange);
  x.AddNumber(m_toleranceEdit, &m_request.tolerance, divider_fields::kToleranceRange);
  x.AddResistance(m_seriesMinEdit, &m_request.seriesMin, divider_fields::kSeriesMinRange);
  x.AddResistance(m_seriesMaxEdit, &m_request.seriesMax, divider_fields::kSeriesMaxRange);
  x.AddCheck(m_seriesEnabledCheck, &m_request.seriesEnabled);
  x.AddResistance(m_parallelMinEdit, &m_request.parallelMin, divider_fields::kParallelMinRange);
  x.AddResistance(m_parallelMaxEdit, &m_request.parallelMax, divider_fields::kParallelMaxRange);
  x.AddCheck(m_parallelEnabledCheck, &m_request.parallelEnabled);
  x.AddNumber(m_uOutEdit, &m_uOut);
  x.AddNumber(m_uRefEdit, &m_uRef);
  x.AddNumber(m_uGndEdit, &m_uGnd);
  x.AddCount(m_maxResultsEdit, &m_request.maxResults, divider_fields::kMaxResultsRange);
  x.AddText(m_divisionFactorEdit, &m_divisionFactorText);
  x.AddResistance(m_sourceEdit, &m_request.sourceResistance,
                  divider_fields::kSourceResistanceRange);
  x.AddResistance(m_loadEdit, &m_request.loadResistance, divider_fields::kLoadResistanceRange);
  x.Load();

  connect(attenuatorButton, &QPushButton::clicked, this, &DividerPage::OnCalcAttenuator);
  connect(regulatorButton, &QPushButton::clicked, this, &DividerPage::OnCalcRegulator);
  connect(m_optimizeButton, &QPushButton::clicked, this, &DividerPage::OnOptimize);
}

void DividerPage::OnOptimize() {
  if (!m_exchange.Save()) return;
  m_request.divisionFactor = ParseDivisionFactor(m_divisionFactorText.toStdString());
  m_request.upperCount = static_cast<std::uint32_t>(m_upperCountCombo->currentIndex() + 1);
  m_request.lowerCount = static_cast<std::uint32_t>(m_lowerCountCombo->currentIndex() + 1);
  m_request.upperMode =
      m_upperModeCombo->currentIndex() == 0 ? NetworkMode::Parallel : NetworkMode::Series;
  m_request.lowerMode =
      m_lowerModeCombo->currentIndex() == 0 ? NetworkMode::Parallel : NetworkMode::Series;
  Q_EMIT OptimizeRequested();
}

void DividerPage::OnCalcAttenuator() {
  // A calculator reads its own inputs only, and a bad one changes nothing.
  if (!m_exchange.SaveOnly({m_attenuationEdit})) return;
  SetCalculatedFactor(AttenuatorFactor(m_attenuation));
}

void DividerPage::OnCalcRegulator() {
  if (!m_exchange.SaveOnly({m_uOutEdit, m_uRefEdit, m_uGndEdit})) return;
  const std::optional<double> factor = RegulatorFactor(m_uOut, m_uRef, m_uGnd);
  if (!factor) {
    ShowMessage(this, QString::fromLatin1(kInvalidVoltagesMessage), MessageIcon::Error);
    return;
  }
  SetCalculatedFactor(*factor);
}

void DividerPage::SetCalculatedFactor(double factor) {
  m_request.divisionFactor = factor;
  m_divisionFactorText = QString::fromStdString(FormatFactorText(factor));
  m_divisionFactorEdit->setText(m_divisionFactorText);
}

}  // namespace ordavin::ui
