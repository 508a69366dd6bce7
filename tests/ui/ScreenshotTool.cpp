// Takes the README's pictures of the real window: each tab, and the results of a divider run.
// Usage: ordavin_screenshots SERIES_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "ui/Application.h"
#include "ui/DividerPage.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/PageTabs.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SERIES_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  ordavin::ui::ConfigureApplication();
  const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
  int boxes = 0;
  ordavin::ui::SetMessageRecorder([&](const QString&, ordavin::ui::MessageIcon, const QString&) { ++boxes; });

  ordavin::ui::MainWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.SeriesCombo()->setCurrentText(QStringLiteral("E24"));
  window.OnSelchangeSeries();
  const auto save = [&](const char* name) {
    QApplication::processEvents();
    return window.grab().save(output + "/" + name);
  };
  bool ok = save("divider-tab.png");
  window.TabControl()->setCurrentIndex(1);
  ok = save("target-tab.png") && ok;

  window.TabControl()->setCurrentIndex(0);
  auto* page = window.TabControl()->DividerTab();
  page->findChild<QComboBox*>(QStringLiteral("upperCountCombo"))->setCurrentIndex(1);
  page->findChild<QComboBox*>(QStringLiteral("lowerCountCombo"))->setCurrentIndex(1);
  page->findChild<QComboBox*>(QStringLiteral("lowerModeCombo"))->setCurrentIndex(1);
  page->findChild<QLineEdit*>(QStringLiteral("toleranceEdit"))->setText(QStringLiteral("0.01"));
  QTest::mouseClick(page->OptimizeButton(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes > 0; }, 600000)) return 1;
  ok = save("divider-results.png") && ok;
  return ok ? 0 : 1;
}
