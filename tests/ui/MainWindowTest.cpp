#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "ui/Application.h"
#include "ui/DividerPage.h"
#include "ui/GuiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/PageTabs.h"
#include "ui/ProfileStore.h"
#include "ui/TargetPage.h"
#include "ui/ValueChecklist.h"

namespace ordavin::ui {
namespace {

using testing::Find;
using testing::MessageLog;
using testing::SeriesText;
using testing::Type;
using testing::WorkingDirectory;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    cwd.Write("E6.SER", SeriesText({"1.0", "1.5", "2.2", "3.3", "4.7", "6.8"}, {"0", "1"}));
  }

  WorkingDirectory cwd;
  MessageLog log;
};

TEST_F(MainWindowTest, CaptionFixedSizeAndEmptyResults) {
  MainWindow window;
  EXPECT_EQ(window.windowTitle(), "Ordavin v0.59");
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  window.show();
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  window.hide();
  EXPECT_EQ(window.ResultsList()->rowCount(), 0);
  EXPECT_EQ(window.ResultsList()->columnCount(), 0);
  EXPECT_TRUE(window.ResultsList()->showGrid());
  EXPECT_EQ(window.ResultsList()->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_TRUE(log.Entries().empty());
}

TEST_F(MainWindowTest, TheTitleBarShowsTheCaptionAlone) {
  ConfigureApplication();
  // Linux toolkits append a display name that was set to every title not ending with it.
  // One that was never set follows the application name, which is how it is told apart.
  QApplication::setApplicationName(QStringLiteral("probe"));
  const bool displayNameSet = QGuiApplication::applicationDisplayName() != "probe";
  QApplication::setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
  MainWindow window;
  EXPECT_TRUE(!displayNameSet ||
              window.windowTitle().endsWith(QGuiApplication::applicationDisplayName()))
      << window.windowTitle().toStdString() << " would read as "
      << window.windowTitle().toStdString() << " \u2014 "
      << QGuiApplication::applicationDisplayName().toStdString();
}

TEST_F(MainWindowTest, EnterAndEscapeCloseNothing) {
  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QLineEdit* factor = Find<QLineEdit>(&window, "divisionFactorEdit");
  factor->setFocus();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(factor, key);
    QTest::keyClick(&window, key);
    QTest::keyClick(static_cast<QWidget*>(window.ValueList()), key);
  }
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.TabControl()->DividerTab()->isVisible());
  window.hide();
}

TEST_F(MainWindowTest, TabSwitchingKeepsExactlyOnePageVisible) {
  MainWindow window;
  window.show();
  PageTabs* tabs = window.TabControl();
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->tabText(0), "Resistor divider optimizer");
  EXPECT_EQ(tabs->tabText(1), "Target resistance optimizer");
  for (int round = 0; round < 5; ++round) {
    for (int index : {1, 0, 1}) {
      tabs->setCurrentIndex(index);
      EXPECT_EQ(tabs->CurrentPage(), index);
      EXPECT_EQ(tabs->DividerTab()->isVisible(), index == 0);
      EXPECT_EQ(tabs->TargetTab()->isVisible(), index == 1);
    }
  }
  window.hide();
}

TEST_F(MainWindowTest, AboutEntryAndBox) {
  MainWindow window;
  QAction* about = window.findChild<QAction*>(QStringLiteral("aboutAction"));
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->text(), "&About Ordavin...");
  // The box is modal: look for it from a timer while it runs.
  bool seen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* box : QApplication::topLevelWidgets()) {
      if (box->objectName() != "aboutBox" || !box->isVisible()) continue;
      seen = true;
      EXPECT_TRUE(box->isModal());
      EXPECT_EQ(box->windowTitle(), "About Ordavin");
      EXPECT_EQ(Find<QLabel>(box, "aboutText")->text(), "Ordavin, Version 0.59");
      EXPECT_FALSE(Find<QLabel>(box, "aboutIcon")->pixmap().isNull());
      QTest::mouseClick(Find<QPushButton>(box, "okButton"), Qt::LeftButton);
      poll.stop();
    }
  });
  poll.start(10);
  about->trigger();
  EXPECT_TRUE(seen);
}

double StoredFactor() {
  const QByteArray bytes = ProfileStore::ReadBinary("DividerOptimizerConfig", "df");
  if (bytes.size() != 8) return -1;
  // Little-endian IEEE 754, whatever the machine.
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<std::uint8_t>(bytes[i]);
  double value;
  std::memcpy(&value, &bits, 8);
  return value;
}

TEST_F(MainWindowTest, CloseWritesTheDivisionFactor) {
  QSettings().clear();
  {
    MainWindow window;
    window.show();
    EXPECT_TRUE(window.close());
  }
  EXPECT_EQ(StoredFactor(), 1.25 / 3.3);
  const QByteArray bytes = ProfileStore::ReadBinary("DividerOptimizerConfig", "df");
  EXPECT_EQ(bytes, ProfileStore::DoubleBytes(1.25 / 3.3));
  {
    MainWindow window;
    window.show();
    QTest::mouseClick(Find<QPushButton>(&window, "attenuatorButton"), Qt::LeftButton);
    EXPECT_TRUE(window.close());
  }
  EXPECT_EQ(StoredFactor(), 0.25118864315095801);
}

TEST_F(MainWindowTest, EveryEditAndComboHasAnAccessibleName) {
  MainWindow window;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(w) == nullptr && qobject_cast<QComboBox*>(w) == nullptr) continue;
    if (w->parentWidget() != nullptr && qobject_cast<QComboBox*>(w->parentWidget())) continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace ordavin::ui
