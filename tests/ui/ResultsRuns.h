#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/TargetPage.h"

namespace ordavin::ui::testing {

// A page's fields as the test sets them: an edit's name and the text typed into it, or a
// combo box's name and the index chosen.
struct FieldValue {
  const char* name;
  QString text;
  int index = -1;
};

// Fills the page, presses Optimize! and waits for the summary box, which is then forgotten.
// False when no box came.
inline bool RunPage(QWidget* page, QPushButton* optimize, const std::vector<FieldValue>& fields,
                    MessageLog& log) {
  for (const FieldValue& field : fields) {
    if (field.index >= 0) {
      Find<QComboBox>(page, field.name)->setCurrentIndex(field.index);
    } else {
      Type(Find<QWidget>(page, field.name), field.text);
    }
  }
  log.Clear();
  QTest::mouseClick(optimize, Qt::LeftButton);
  const bool shown = QTest::qWaitFor([&log] { return !log.Entries().empty(); }, 20000);
  log.Clear();
  return shown;
}

inline bool RunTarget(MainWindow& window, const std::vector<FieldValue>& fields, MessageLog& log) {
  TargetPage* page = window.TabControl()->TargetTab();
  return RunPage(page, page->OptimizeButton(), fields, log);
}

inline bool RunDivider(MainWindow& window, const std::vector<FieldValue>& fields, MessageLog& log) {
  DividerPage* page = window.TabControl()->DividerTab();
  return RunPage(page, page->OptimizeButton(), fields, log);
}

}  // namespace ordavin::ui::testing
