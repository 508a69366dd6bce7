#pragma once

#include <QTabWidget>
#include <array>

namespace ordavin::ui {

class DividerPage;
class TargetPage;
class DialogLayout;

// The two parameter pages under their tabs; one is shown at a time.
class PageTabs final : public QTabWidget {
  Q_OBJECT

 public:
  explicit PageTabs(DialogLayout& dividerLayout, DialogLayout& targetLayout,
                    QWidget* parent = nullptr);

  DividerPage* DividerTab() const { return m_dividerPage; }
  TargetPage* TargetTab() const { return m_targetPage; }
  int CurrentPage() const { return m_currentPage; }

 private:
  DividerPage* m_dividerPage;
  TargetPage* m_targetPage;
  int m_currentPage = 0;
};

}  // namespace ordavin::ui
