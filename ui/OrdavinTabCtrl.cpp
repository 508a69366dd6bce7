#include "ui/OrdavinTabCtrl.h"

#include "resources/Strings.h"
#include "ui/DividerOptimizePage.h"
#include "ui/ParallelOptimizePage.h"

namespace ordavin::ui {

COrdavinTabCtrl::COrdavinTabCtrl(DialogLayout& dividerLayout, DialogLayout& targetLayout,
                                 QWidget* parent)
    : QTabWidget(parent),
      m_dividerPage(new CDividerOptimizePage(dividerLayout)),
      m_targetPage(new CParallelOptimizePage(targetLayout)) {
  setObjectName(QStringLiteral("tabControl"));
  addTab(m_dividerPage, QString::fromLatin1(resources::kDividerTab));
  addTab(m_targetPage, QString::fromLatin1(resources::kTargetTab));
  setCurrentIndex(0);
  connect(this, &QTabWidget::currentChanged, this, [this](int index) { m_currentPage = index; });
}

}  // namespace ordavin::ui
