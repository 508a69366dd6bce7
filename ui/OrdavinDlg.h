#pragma once

#include <QMainWindow>
#include <memory>

#include "ui/DialogLayout.h"
#include "values/ResValueSet.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace ordavin {
class DividerEngine;
class TargetEngine;
}  // namespace ordavin

namespace ordavin::ui {

class COrdavinTabCtrl;
class CResValueCheckListBox;
class RunControl;

// The program's one window: the parameter pages, the available values with the series
// chooser, and the results list.
class COrdavinDlg final : public QMainWindow {
  Q_OBJECT

 public:
  explicit COrdavinDlg(QWidget* parent = nullptr);
  ~COrdavinDlg() override;

  COrdavinTabCtrl* TabControl() const { return m_tabCtrl; }
  CResValueCheckListBox* ValueList() const { return m_valueList; }
  QComboBox* SeriesCombo() const { return m_seriesCombo; }
  QLabel* StatusText() const { return m_statusText; }
  QTableWidget* ResultsList() const { return m_resultsList; }
  RunControl& Runs() const { return *m_runControl; }
  const CResValueSet& ValueSet() const { return m_valueSet; }
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

  CResValueSet m_valueSet;
  DialogUnits m_units;
  DialogLayout m_layout;
  DialogLayout m_dividerLayout;
  DialogLayout m_targetLayout;
  COrdavinTabCtrl* m_tabCtrl = nullptr;
  CResValueCheckListBox* m_valueList = nullptr;
  QLabel* m_statusText = nullptr;
  QComboBox* m_seriesCombo = nullptr;
  QTableWidget* m_resultsList = nullptr;
  std::unique_ptr<RunControl> m_runControl;
};

}  // namespace ordavin::ui
