#include "ui/SearchController.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "divider/DividerEngine.h"
#include "divider/DividerEngineFactory.h"
#include "resources/Strings.h"
#include "run/DividerPreparation.h"
#include "run/ProgressEstimate.h"
#include "run/TargetPreparation.h"
#include "target/TargetEngine.h"
#include "target/TargetEngineFactory.h"
#include "texts/ForecastTexts.h"
#include "texts/Messages.h"
#include "texts/RunTexts.h"
#include "ui/DividerPage.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/PageTabs.h"
#include "ui/PageWidgets.h"
#include "ui/StatusText.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"
#include "ui/WaitCursor.h"

namespace ordavin::ui {

SearchController::SearchController(MainWindow& window, ValueSet& values)
    : QObject(&window),
      m_window(window),
      m_values(values),
      m_dividerOptimizer(MakeDividerEngine(values)),
      m_targetOptimizer(MakeTargetEngine(values)),
      m_results(window.ResultsList(), window.PixelScale()) {
  for (QTimer* timer : {&m_dividerTimer, &m_targetTimer}) timer->setInterval(kProgressMilliseconds);
  connect(&m_dividerTimer, &QTimer::timeout, this, [this] { OnTimer(Kind::Divider); });
  connect(&m_targetTimer, &QTimer::timeout, this, [this] { OnTimer(Kind::Target); });
  // Requests are posted by the pages, never handled inside their click.
  PageTabs* tabs = window.TabControl();
  connect(tabs->DividerTab(), &DividerPage::OptimizeRequested, this,
          &SearchController::OnDividerOptimize, Qt::QueuedConnection);
  connect(tabs->TargetTab(), &TargetPage::OptimizeRequested, this,
          &SearchController::OnTargetOptimize, Qt::QueuedConnection);
}

SearchController::~SearchController() {
  // The window only closes when no run is active; this covers its destruction all the same.
  m_abortRequested = true;
  m_worker.Join();
}

SearchController::Page SearchController::PageOf(Kind kind) const {
  PageTabs* tabs = m_window.TabControl();
  if (kind == Kind::Divider) {
    const DividerPage* page = tabs->DividerTab();
    return {page->OptimizeButton(), page->StatusLabel(), page->ProgressBar()};
  }
  const TargetPage* page = tabs->TargetTab();
  return {page->OptimizeButton(), page->StatusLabel(), page->ProgressBar()};
}

SearchController::Page SearchController::OtherPage(Kind kind) const {
  return PageOf(kind == Kind::Divider ? Kind::Target : Kind::Divider);
}

void SearchController::OnDividerOptimize() {
  Optimize(Kind::Divider, [this] {
    return PrepareDividerRun(m_values, m_window.ValueList()->CheckStates(),
                             m_window.TabControl()->DividerTab()->Request(), *m_dividerOptimizer);
  });
}

void SearchController::OnTargetOptimize() {
  Optimize(Kind::Target, [this] {
    return PrepareTargetRun(m_values, m_window.ValueList()->CheckStates(),
                            m_window.TabControl()->TargetTab()->Request(), *m_targetOptimizer);
  });
}

void SearchController::Optimize(Kind kind, const std::function<Preparation()>& prepare) {
  if (RunActive(kind)) {
    m_abortRequested = true;
    return;
  }
  // The other page's run: its button is disabled, and a request queued before is moot.
  if (AnyRunActive()) return;
  WaitCursor::Begin();
  const Preparation preparation = prepare();
  for (const std::string& message : preparation.messages) {
    ShowMessage(&m_window, QString::fromStdString(message), MessageIcon::Error);
  }
  if (!preparation.ready) {
    WaitCursor::End();
    return;
  }
  m_forecast = ForecastOf(kind);
  if (IsLongSearch(m_forecast) && !ConfirmLongSearch(m_forecast)) {
    WaitCursor::End();
    return;
  }
  Start(kind);
}

SearchForecast SearchController::ForecastOf(Kind kind) const {
  return kind == Kind::Divider ? m_dividerOptimizer->Forecast() : m_targetOptimizer->Forecast();
}

bool SearchController::ConfirmLongSearch(const SearchForecast& forecast) {
  // No busy cursor over a question.
  WaitCursor::End();
  const bool start =
      AskQuestion(&m_window, QString::fromStdString(FormatLongSearch(forecast)) + QLatin1Char(' ') +
                                 QLatin1String(kStartAnywayQuestion));
  WaitCursor::Begin();
  return start;
}

void SearchController::SetRunning(Kind kind, bool running) {
  (kind == Kind::Divider ? m_dividerRunActive : m_targetRunActive) = running;
  QTimer& timer = kind == Kind::Divider ? m_dividerTimer : m_targetTimer;
  const Page page = PageOf(kind);
  const Page other = OtherPage(kind);
  page.progress->setVisible(running);
  page.progress->setValue(0);
  page.progress->setFormat(QStringLiteral("%p %"));
  page.status->setToolTip(QString());
  if (running) {
    m_runClock.start();
    timer.start();
    page.button->setText(QString::fromLatin1(resources::kAbortText));
    m_otherButtonWasEnabled = other.button->isEnabled();
    other.button->setEnabled(false);
    m_window.SeriesCombo()->setEnabled(false);
  } else {
    timer.stop();
    page.button->setText(QString::fromLatin1(resources::kOptimizeText));
    other.button->setEnabled(m_otherButtonWasEnabled);
    m_window.SeriesCombo()->setEnabled(true);
  }
}

void SearchController::Start(Kind kind) {
  SetRunning(kind, true);
  SearchThread::Search search;
  if (kind == Kind::Divider) {
    search = [engine = m_dividerOptimizer.get()](const std::atomic<bool>& abort) {
      engine->Optimize(abort);
    };
  } else {
    search = [engine = m_targetOptimizer.get()](const std::atomic<bool>& abort) {
      engine->Optimize(abort);
    };
  }
  // The completion comes back to this thread as a queued call, which also orders every write
  // of the worker before the reads here.
  auto finished = [this, kind](double) {
    QMetaObject::invokeMethod(
        this, [this, kind] { OnFinished(kind); }, Qt::QueuedConnection);
  };
  const bool started =
      !std::exchange(m_failNextStart, false) && m_worker.Start(search, m_abortRequested, finished);
  if (!started) {
    SetRunning(kind, false);
    ShowMessage(&m_window, QString::fromLatin1(kCouldNotStartMessage), MessageIcon::Error);
    WaitCursor::End();
  }
}

void SearchController::OnTimer(Kind kind) {
  if (!RunActive(kind)) return;
  const std::uint64_t visited = kind == Kind::Divider ? m_dividerOptimizer->VisitedCount()
                                                      : m_targetOptimizer->VisitedCount();
  const SlowPath slowPath = kind == Kind::Divider ? m_dividerOptimizer->SlowPathTaken()
                                                  : m_targetOptimizer->SlowPathTaken();
  const Page page = PageOf(kind);
  QString status = QString::fromStdString(FormatProgress(visited));
  if (slowPath != SlowPath::None) {
    // The whole reason would not fit beside the bar; the tip gives it.
    status += QLatin1String(resources::kSlowerSearchMark);
    page.status->setToolTip(QString::fromStdString(FormatSlowPath(slowPath)));
  }
  ShowStatus(page.status, status);
  const ProgressEstimate estimate =
      EstimateProgress(visited, m_forecast, static_cast<double>(m_runClock.elapsed()) / 1000.0);
  page.progress->setValue(static_cast<int>(estimate.share * PageWidgets::kProgressSteps));
  // The bar replaces only %p, %v and %m in its format; "37 %," passes as it is.
  page.progress->setFormat(
      QString::fromStdString(FormatShare(estimate.share, estimate.secondsLeft)));
}

void SearchController::OnFinished(Kind kind) {
  m_worker.Join();
  m_runDuration = m_worker.Duration();
  const bool aborted = m_abortRequested.exchange(false);
  SetRunning(kind, false);
  ShowStatus(PageOf(kind).status, QString::fromStdString(FormatCompletion(aborted)));
  if (!m_worker.Failure().empty()) {
    ShowMessage(&m_window, QString::fromStdString(kSearchFailedPrefix + m_worker.Failure()),
                MessageIcon::Error);
  }
  std::uint64_t visited = 0;
  std::uint64_t matching = 0;
  if (kind == Kind::Divider) {
    m_results.ShowDivider(*m_dividerOptimizer);
    visited = m_dividerOptimizer->VisitedCount();
    matching = m_dividerOptimizer->MatchingCount();
  } else {
    m_results.ShowTarget(*m_targetOptimizer);
    visited = m_targetOptimizer->VisitedCount();
    matching = m_targetOptimizer->MatchingCount();
  }
  ShowMessage(&m_window, QString::fromStdString(FormatSummary(visited, matching, m_runDuration)),
              MessageIcon::Information);
  WaitCursor::End();
}

}  // namespace ordavin::ui
