#pragma once

#include <QTabWidget>
#include <array>

namespace ordavin::ui {

class CDividerOptimizePage;
class CParallelOptimizePage;
class DialogLayout;

// The two parameter pages under their tabs; one is shown at a time.
class COrdavinTabCtrl final : public QTabWidget {
  Q_OBJECT

 public:
  explicit COrdavinTabCtrl(DialogLayout& dividerLayout, DialogLayout& targetLayout,
                           QWidget* parent = nullptr);

  CDividerOptimizePage* DividerPage() const { return m_dividerPage; }
  CParallelOptimizePage* TargetPage() const { return m_targetPage; }
  int CurrentPage() const { return m_currentPage; }

 private:
  CDividerOptimizePage* m_dividerPage;
  CParallelOptimizePage* m_targetPage;
  int m_currentPage = 0;
};

}  // namespace ordavin::ui
