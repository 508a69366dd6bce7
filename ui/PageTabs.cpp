#include "ui/PageTabs.h"

#include "resources/Strings.h"
#include "ui/DividerPage.h"
#include "ui/TargetPage.h"

namespace ordavin::ui {

PageTabs::PageTabs(DialogLayout& dividerLayout, DialogLayout& targetLayout, QWidget* parent)
    : QTabWidget(parent),
      m_dividerPage(new DividerPage(dividerLayout)),
      m_targetPage(new TargetPage(targetLayout)) {
  setObjectName(QStringLiteral("tabControl"));
  addTab(m_dividerPage, QString::fromLatin1(resources::kDividerTab));
  addTab(m_targetPage, QString::fromLatin1(resources::kTargetTab));
  setCurrentIndex(0);
  connect(this, &QTabWidget::currentChanged, this, [this](int index) { m_currentPage = index; });
}

}  // namespace ordavin::ui
