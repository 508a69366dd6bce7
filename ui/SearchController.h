#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "run/SearchThread.h"
#include "search/SearchForecast.h"
#include "ui/ResultsTable.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ordavin {
class ValueSet;
struct Preparation;
class DividerEngine;
class TargetEngine;
}  // namespace ordavin

namespace ordavin::ui {

class MainWindow;

// Starts a page's run on a worker thread (asking first when it would take longer than an
// hour), shows its progress four times a second with the share done and the time left, aborts it
// on a second request, and hands the outcome to the results list. One run at a time: while
// one is active, the other page's Optimize! and the series chooser are disabled, so that
// nothing rewrites the working set the worker reads.
class SearchController final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kProgressMilliseconds = 250;

  SearchController(MainWindow& window, ValueSet& values);
  ~SearchController() override;

  void OnDividerOptimize();
  void OnTargetOptimize();

  bool DividerRunActive() const { return m_dividerRunActive; }
  bool TargetRunActive() const { return m_targetRunActive; }
  bool AnyRunActive() const { return m_dividerRunActive || m_targetRunActive; }
  bool AbortRequested() const { return m_abortRequested.load(std::memory_order_relaxed); }
  ResultsKind ShownResultsKind() const { return m_results.Kind(); }
  double RunDuration() const { return m_runDuration; }
  const DividerEngine& DividerOptimizer() const { return *m_dividerOptimizer; }
  const TargetEngine& TargetOptimizer() const { return *m_targetOptimizer; }
  ResultsTable& Results() { return m_results; }

  // Frees the result rows (on close).
  void ClearResults() { m_results.Clear(); }

  // For tests: make the next worker fail to start, as a system out of threads would.
  void FailNextStartForTesting() { m_failNextStart = true; }

 private:
  enum class Kind { Divider = 1, Target = 2 };
  struct Page {
    QPushButton* button;
    QLabel* status;
    QProgressBar* progress;
  };
  bool RunActive(Kind kind) const {
    return kind == Kind::Divider ? m_dividerRunActive : m_targetRunActive;
  }
  Page PageOf(Kind kind) const;
  Page OtherPage(Kind kind) const;
  // A page's Optimize!: aborts that page's run, or prepares one and starts it when ready.
  void Optimize(Kind kind, const std::function<Preparation()>& prepare);
  SearchForecast ForecastOf(Kind kind) const;
  // Before a search forecast to take longer than an hour: whether the user wants it.
  bool ConfirmLongSearch(const SearchForecast& forecast);
  void Start(Kind kind);
  void OnTimer(Kind kind);
  void OnFinished(Kind kind);
  void SetRunning(Kind kind, bool running);

  MainWindow& m_window;
  ValueSet& m_values;
  std::unique_ptr<DividerEngine> m_dividerOptimizer;
  std::unique_ptr<TargetEngine> m_targetOptimizer;
  SearchThread m_worker;
  QTimer m_dividerTimer;
  QTimer m_targetTimer;
  std::atomic<bool> m_abortRequested{false};
  bool m_dividerRunActive = false;
  bool m_targetRunActive = false;
  bool m_otherButtonWasEnabled = false;
  double m_runDuration = 0.0;
  SearchForecast m_forecast;
  QElapsedTimer m_runClock;
  bool m_failNextStart = false;
  ResultsTable m_results;
};

}  // namespace ordavin::ui
