#include "ui/TargetPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "resources/Strings.h"
#include "run/FieldLimits.h"
#include "target/ConnectionMode.h"
#include "ui/PageWidgets.h"

namespace ordavin::ui {
namespace {

// The Connection choice's items, in the order shown.
struct ConnectionItem {
  const char* text;
  ConnectionMode mode;
};
constexpr std::array<ConnectionItem, 4> kConnectionItems{{
    {"Parallel + series", ConnectionMode::ParallelAndSeries},
    {"Parallel only", ConnectionMode::ParallelOnly},
    {"Series only", ConnectionMode::SeriesOnly},
    {"Mixed networks", ConnectionMode::Mixed},
}};

}  // namespace

namespace t = resources::target_page;

TargetPage::TargetPage(DialogLayout& layout, QWidget* parent) : QWidget(parent), m_exchange(this) {
  setObjectName(QStringLiteral("targetPage"));
  PageWidgets w(this, layout);

  // Created in the template's order, which the Tab key follows.
  m_targetEdit = w.Edit("targetResistanceEdit", t::kTarget);
  w.Label(QStringLiteral("Target resistance"), t::kTargetLabel, m_targetEdit);
  m_toleranceEdit = w.Edit("toleranceEdit", t::kTolerance);
  w.Label(QStringLiteral("Required tolerance"), t::kToleranceLabel, m_toleranceEdit);
  m_resistorCountCombo = w.Combo("resistorCountCombo", t::kCount);
  w.Label(QStringLiteral("Number of resistors"), t::kCountLabel, m_resistorCountCombo);
  m_maxResultsEdit = w.Edit("maxResultsEdit", t::kMaxResults);
  w.Label(QStringLiteral("Max number of results"), t::kMaxResultsLabel, m_maxResultsEdit);
  m_optimizeButton =
      w.Button("optimizeButton", QString::fromLatin1(resources::kOptimizeText), t::kOptimizeButton);
  m_connectionCombo = w.Combo("connectionCombo", t::kConnection);
  w.Label(QStringLiteral("Connection"), t::kConnectionLabel, m_connectionCombo);
  m_statusLabel = w.StatusLine(t::kStatusLine);
  m_progressBar = w.ProgressBar(t::kProgressBar);

  m_resistorCountCombo->addItems(
      {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
  m_resistorCountCombo->setCurrentIndex(0);
  for (const ConnectionItem& item : kConnectionItems) {
    m_connectionCombo->addItem(QString::fromLatin1(item.text));
  }
  m_connectionCombo->setCurrentIndex(0);

  m_exchange.AddResistance(m_targetEdit, &m_request.targetResistance,
                           target_fields::kTargetResistanceRange);
  m_exchange.AddNumber(m_toleranceEdit, &m_request.tolerance, target_fields::kToleranceRange);
  m_exchange.AddCount(m_maxResultsEdit, &m_request.maxResults, target_fields::kMaxResultsRange);
  m_exchange.Load();

  connect(m_optimizeButton, &QPushButton::clicked, this, &TargetPage::OnOptimize);
}

void TargetPage::OnOptimize() {
  if (!m_exchange.Save()) return;
  m_request.resistorCount = static_cast<std::uint32_t>(m_resistorCountCombo->currentIndex() + 2);
  const auto item = static_cast<std::size_t>(std::max(m_connectionCombo->currentIndex(), 0));
  m_request.connectionMode = kConnectionItems[std::min(item, kConnectionItems.size() - 1)].mode;
  Q_EMIT OptimizeRequested();
}

}  // namespace ordavin::ui
