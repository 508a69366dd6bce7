#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "resources/DialogTemplates.h"
#include "resources/Strings.h"
#include "texts/LoadFailureDetail.h"
#include "texts/Messages.h"
#include "texts/RunTexts.h"
#include "ui/AboutDialog.h"
#include "ui/DividerPage.h"
#include "ui/MessageBoxes.h"
#include "ui/PageTabs.h"
#include "ui/ProfileStore.h"
#include "ui/ResultDetails.h"
#include "ui/ResultsExport.h"
#include "ui/SearchController.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"
#include "values/SeriesCatalogue.h"

namespace ordavin::ui {

namespace t = resources::main_window;

namespace {
constexpr std::uint32_t kMostValues = ValueSet::kBaseValueCapacity * ValueSet::kDecadeCapacity;
}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(
      QStringLiteral("%1 v%2").arg(QLatin1String(resources::kAppName), QLatin1String(kVersion)));
  // A fixed dialog: no maximise box, no sizing border.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  m_runControl = std::make_unique<SearchController>(*this, m_valueSet);
  // Both owned by the list.
  auto* exporter = new ResultsExport(m_runControl->Results(), m_resultsList);
  new ResultDetails(m_runControl->Results(), m_resultsList, exporter->Menu());

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* about = help->addAction(QString::fromLatin1(resources::kAboutMenuEntry));
  about->setObjectName(QStringLiteral("aboutAction"));
  connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);

  layout()->setSizeConstraint(QLayout::SetFixedSize);

  FillValueList();
  DiscoverSeries();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("central"));
  setCentralWidget(central);

  auto* parameters = new QGroupBox(QStringLiteral("Parameters"), central);
  m_layout.Place(parameters, t::kParametersGroup);
  m_tabCtrl = new PageTabs(m_dividerLayout, m_targetLayout, central);
  m_layout.Place(m_tabCtrl, t::kTabControl, DialogLayout::Fit::None);

  auto* values = new QGroupBox(QStringLiteral("Available resistor values"), central);
  m_layout.Place(values, t::kValuesGroup);
  m_valueList = new ValueChecklist(central);
  m_layout.Place(m_valueList, t::kValueList, DialogLayout::Fit::None);
  // Laid out with the longest text it can show, so that no count is cut off.
  m_statusText = new QLabel(QString::fromStdString(FormatValuesLoaded(kMostValues)), central);
  m_statusText->setObjectName(QStringLiteral("valueStatusText"));
  m_layout.Place(m_statusText, t::kStatusText);
  m_seriesCombo = new QComboBox(central);
  m_seriesCombo->setObjectName(QStringLiteral("seriesCombo"));
  m_layout.Place(m_seriesCombo, t::kSeriesCombo, DialogLayout::Fit::ComboBox);
  auto* seriesLabel = new QLabel(QStringLiteral("Resistor series"), central);
  seriesLabel->setBuddy(m_seriesCombo);
  m_seriesCombo->setAccessibleName(seriesLabel->text());
  m_layout.Place(seriesLabel, t::kSeriesLabel);

  auto* results = new QGroupBox(QStringLiteral("Optimization results"), central);
  m_layout.Place(results, t::kResultsGroup);
  m_resultsList = new QTableWidget(central);
  m_resultsList->setObjectName(QStringLiteral("resultsList"));
  m_resultsList->setAccessibleName(results->title());
  m_resultsList->setShowGrid(true);
  m_resultsList->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_resultsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_resultsList->verticalHeader()->hide();
  m_resultsList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_resultsList->horizontalHeader()->setHighlightSections(false);
  m_resultsList->setWordWrap(false);
  m_layout.Place(m_resultsList, t::kResultsList, DialogLayout::Fit::None);
  for (QGroupBox* group : {parameters, values, results}) group->lower();

  // One unit for the whole window, wide enough for every text of every page.
  DialogUnits units = m_layout.UnitsFor(font());
  for (const DialogLayout* page : {&m_dividerLayout, &m_targetLayout}) {
    const DialogUnits needed = page->UnitsFor(font());
    units.x = std::max(units.x, needed.x);
  }
  m_units = units;
  m_layout.Apply(units);
  m_dividerLayout.Apply(units);
  m_targetLayout.Apply(units);
  central->setFixedSize(units.X(t::kSize.w), units.Y(t::kSize.h));
  m_resultsList->verticalHeader()->setDefaultSectionSize(m_resultsList->fontMetrics().height() + 4);

  connect(m_seriesCombo, &QComboBox::activated, this, &MainWindow::OnSelchangeSeries);
}

double MainWindow::PixelScale() const { return m_units.x / DialogUnits{}.x; }

void MainWindow::FillValueList() {
  m_statusText->setText(QString::fromStdString(FormatValuesLoaded(m_valueSet.WorkingCount())));
  m_valueList->Fill(m_valueSet.WorkingValues());
}

void MainWindow::DiscoverSeries() {
  const std::vector<std::string> titles = ListSeriesTitles(std::filesystem::current_path());
  for (const std::string& title : titles) m_seriesCombo->addItem(QString::fromStdString(title));
  if (m_seriesCombo->count() == 0) {
    ShowMessage(this, QString::fromLatin1(kNoSeriesFilesMessage), MessageIcon::Error);
    SetOptimizeEnabled(false);
    return;
  }
  m_seriesCombo->setCurrentIndex(0);
  OnSelchangeSeries();
}

void MainWindow::OnSelchangeSeries() {
  const std::string title = m_seriesCombo->currentText().toStdString();
  const std::filesystem::path path = SeriesFileForTitle(std::filesystem::current_path(), title);
  try {
    std::string reason;
    if (m_valueSet.LoadSeriesFile(path, &reason)) {
      m_valueSet.GenerateValues();
      m_loadedSeriesIndex = m_seriesCombo->currentIndex();
      if (m_valueSet.WorkingCount() > 0) SetOptimizeEnabled(true);
    } else {
      // Nothing is loaded now, and the chooser says so.
      m_loadedSeriesIndex = -1;
      m_seriesCombo->setCurrentIndex(-1);
      SetOptimizeEnabled(false);
      ShowMessage(this, QString::fromLatin1(kLoadingFailedMessage), MessageIcon::Error,
                  QString::fromStdString(LoadFailureDetail(path.string(), reason)));
    }
  } catch (const SeriesFileError& error) {
    // The previous series stays in the list, and usable; the chooser shows it again.
    m_seriesCombo->setCurrentIndex(m_loadedSeriesIndex);
    ShowMessage(this, QString::fromStdString(error.what()), MessageIcon::Error);
    return;
  }
  FillValueList();
}

void MainWindow::SetOptimizeEnabled(bool enabled) {
  m_tabCtrl->DividerTab()->OptimizeButton()->setEnabled(enabled);
  m_tabCtrl->TargetTab()->OptimizeButton()->setEnabled(enabled);
}

void MainWindow::ShowAbout() {
  AboutDialog about(this);
  about.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (m_runControl->AnyRunActive()) {
    ShowMessage(this, QString::fromLatin1(resources::kCantQuitMessage), MessageIcon::Warning);
    event->ignore();
    return;
  }
  m_runControl->ClearResults();
  ProfileStore::WriteBinary(QString::fromLatin1(resources::kProfileSection),
                            QString::fromLatin1(resources::kProfileFactorEntry),
                            ProfileStore::DoubleBytes(m_tabCtrl->DividerTab()->DivisionFactor()));
  event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape close nothing.
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace ordavin::ui
