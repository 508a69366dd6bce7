// What a person sees: no text clipped, no controls on top of each other.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "ui/DialogLayout.h"
#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/TargetPage.h"

namespace ordavin::ui {
namespace {

using testing::MessageLog;
using testing::SeriesText;
using testing::WorkingDirectory;

TEST(DialogUnitsTest, FollowTheFont) {
  QFont small;
  small.setPixelSize(10);
  QFont large;
  large.setPixelSize(20);
  const DialogUnits a = DialogUnits::ForFont(small);
  const DialogUnits b = DialogUnits::ForFont(large);
  EXPECT_GT(b.x, a.x);
  EXPECT_GT(b.y, a.y);
  EXPECT_EQ(a.X(0), 0);
  EXPECT_EQ(b.Y(8), QFontMetrics(large).height());
}

// The controls a page shows directly, group boxes and the page itself left out.
std::vector<QWidget*> Controls(QWidget* page) {
  std::vector<QWidget*> controls;
  for (QWidget* w : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (qobject_cast<QGroupBox*>(w) != nullptr) continue;
    controls.push_back(w);
  }
  return controls;
}

TEST(DialogLayoutTest, NoClippedTextNoOverlapOnEitherPage) {
  WorkingDirectory cwd;
  cwd.Write("E6.SER", SeriesText({"1.0", "1.5"}, {"0"}));
  MessageLog log;
  MainWindow window;
  window.show();
  for (QWidget* page : {static_cast<QWidget*>(window.TabControl()->DividerTab()),
                        static_cast<QWidget*>(window.TabControl()->TargetTab())}) {
    window.TabControl()->setCurrentWidget(page);
    const std::vector<QWidget*> controls = Controls(page);
    for (QWidget* w : controls) {
      const std::string name =
          w->objectName().toStdString() + " " +
          (qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : "").toStdString();
      if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << name;
      }
      EXPECT_TRUE(page->rect().contains(w->geometry())) << name;
      for (QWidget* other : controls) {
        if (other == w) continue;
        EXPECT_FALSE(w->geometry().intersects(other->geometry()))
            << name << " overlaps " << other->objectName().toStdString();
      }
    }
    for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
      EXPECT_GE(group->width(), QFontMetrics(group->font()).horizontalAdvance(group->title()));
    }
  }
  window.hide();
}

}  // namespace
}  // namespace ordavin::ui
