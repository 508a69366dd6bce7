#pragma once

#include <QMainWindow>
#include <memory>

#include "ui/DialogLayout.h"
#include "values/ValueSet.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace ordavin::ui {

class PageTabs;
class ValueChecklist;
class SearchController;

// The program's one window: the parameter pages, the available values with the series
// chooser, and the results list.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  PageTabs* TabControl() const { return m_tabCtrl; }
  ValueChecklist* ValueList() const { return m_valueList; }
  QComboBox* SeriesCombo() const { return m_seriesCombo; }
  QLabel* StatusText() const { return m_statusText; }
  QTableWidget* ResultsList() const { return m_resultsList; }
  SearchController& Runs() const { return *m_runControl; }
  const ValueSet& Values() const { return m_valueSet; }
  // How much wider than the usual 8-point dialog font this window's font lays things out.
  double PixelScale() const;

  void OnSelchangeSeries();
  void ShowAbout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void DiscoverSeries();
  void FillValueList();
  void SetOptimizeEnabled(bool enabled);

  ValueSet m_valueSet;
  DialogUnits m_units;
  DialogLayout m_layout;
  DialogLayout m_dividerLayout;
  DialogLayout m_targetLayout;
  PageTabs* m_tabCtrl = nullptr;
  ValueChecklist* m_valueList = nullptr;
  QLabel* m_statusText = nullptr;
  QComboBox* m_seriesCombo = nullptr;
  QTableWidget* m_resultsList = nullptr;
  // The chooser's entry whose values the list holds; -1 when none is loaded.
  int m_loadedSeriesIndex = -1;
  std::unique_ptr<SearchController> m_runControl;
};

}  // namespace ordavin::ui
