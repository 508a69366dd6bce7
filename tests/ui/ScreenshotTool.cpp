// Takes the README's pictures of the real window: each tab, the results of a divider run, the
// results list's context menu, and the details window of a divider with source and load and
// of a target row, a mixed-network run and its best row's details.
// Usage: ordavin_screenshots SERIES_FOLDER OUTPUT_FOLDER [SERIES [UPPER LOWER]]
// (defaults: E24, 2 and 2; QT_SCALE_FACTOR=1.5 shows the window as a high-density screen would)
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "ui/Application.h"
#include "ui/DetailsWindow.h"
#include "ui/DividerPage.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/PageTabs.h"
#include "ui/ResultDetails.h"
#include "ui/TargetPage.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: %s SERIES_FOLDER OUTPUT_FOLDER [SERIES [UPPER LOWER]]\n", argv[0]);
    return 2;
  }
  const QString series = QString::fromLocal8Bit(argc >= 4 ? argv[3] : "E24");
  const int upper = argc == 6 ? std::atoi(argv[4]) : 2;
  const int lower = argc == 6 ? std::atoi(argv[5]) : 2;
  QApplication app(argc, argv);
  ordavin::ui::ConfigureApplication();
  const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
  int boxes = 0;
  ordavin::ui::SetMessageRecorder(
      [&](const QString&, ordavin::ui::MessageIcon, const QString&) { ++boxes; });

  ordavin::ui::MainWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.SeriesCombo()->setCurrentText(series);
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
  page->findChild<QComboBox*>(QStringLiteral("upperCountCombo"))->setCurrentIndex(upper - 1);
  page->findChild<QComboBox*>(QStringLiteral("lowerCountCombo"))->setCurrentIndex(lower - 1);
  page->findChild<QComboBox*>(QStringLiteral("lowerModeCombo"))->setCurrentIndex(1);
  page->findChild<QLineEdit*>(QStringLiteral("toleranceEdit"))->setText(QStringLiteral("0.01"));
  QTest::mouseClick(page->OptimizeButton(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes > 0; }, 600000)) return 1;
  ok = save("divider-results.png") && ok;

  // Three rows selected and the list's context menu open over them. The menu is a window of
  // its own, so it is drawn onto the window's picture where it stands.
  QTableWidget* list = window.ResultsList();
  list->setFocus();
  list->setRangeSelected(QTableWidgetSelectionRange(1, 0, 3, list->columnCount() - 1), true);
  const QPoint at = list->visualRect(list->model()->index(2, 2)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QApplication::sendEvent(list->viewport(), &event);
  auto* menu = list->findChild<QMenu*>(QStringLiteral("resultsMenu"));
  if (menu == nullptr || !QTest::qWaitForWindowExposed(menu)) return 1;
  QApplication::processEvents();
  QPixmap picture = window.grab();
  {
    QPainter painter(&picture);
    painter.drawPixmap(menu->pos() - window.mapToGlobal(QPoint(0, 0)), menu->grab());
  }
  ok = picture.save(output + "/results-menu.png") && ok;
  menu->hide();

  // The best row's details, once with a source and a load, once for a target search.
  auto* details = list->findChild<ordavin::ui::ResultDetails*>();
  const auto saveDetails = [&](const char* name) {
    list->setCurrentCell(0, 0);
    ordavin::ui::DetailsWindow* shown = details->Open(0);
    if (shown == nullptr || !QTest::qWaitForWindowExposed(shown)) return false;
    QApplication::processEvents();
    const bool saved = shown->grab().save(output + "/" + name);
    shown->close();
    return saved;
  };
  page->findChild<QLineEdit*>(QStringLiteral("sourceResistanceEdit"))
      ->setText(QStringLiteral("100"));
  page->findChild<QLineEdit*>(QStringLiteral("loadResistanceEdit"))->setText(QStringLiteral("47k"));
  boxes = 0;
  QTest::mouseClick(page->OptimizeButton(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes > 0; }, 600000)) return 1;
  ok = saveDetails("details-divider.png") && ok;

  window.TabControl()->setCurrentIndex(1);
  auto* target = window.TabControl()->TargetTab();
  target->findChild<QComboBox*>(QStringLiteral("resistorCountCombo"))->setCurrentIndex(1);
  boxes = 0;
  QTest::mouseClick(target->OptimizeButton(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes > 0; }, 600000)) return 1;
  ok = saveDetails("details-target.png") && ok;

  // Mixed networks of four resistors: parentheses in the list, a nested schematic.
  target->findChild<QComboBox*>(QStringLiteral("resistorCountCombo"))->setCurrentIndex(2);
  target->findChild<QComboBox*>(QStringLiteral("connectionCombo"))->setCurrentIndex(3);
  boxes = 0;
  QTest::mouseClick(target->OptimizeButton(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return boxes > 0; }, 600000)) return 1;
  ok = save("target-mixed-results.png") && ok;
  ok = saveDetails("details-mixed.png") && ok;
  return ok ? 0 : 1;
}
