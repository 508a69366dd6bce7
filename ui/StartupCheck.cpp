#include "ui/StartupCheck.h"

#include <QComboBox>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <string>
#include <string_view>

#include "resources/Strings.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/ValueChecklist.h"

namespace ordavin::ui {

namespace {

constexpr std::chrono::seconds kShownWithin{30};

bool IsOnScreen(const MainWindow& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr && handle->isExposed();
}

// Returns once the window is on screen or the limit has passed, whichever comes first.
void WaitUntilOnScreen(const MainWindow& window, std::chrono::milliseconds limit) {
  QEventLoop loop;
  QTimer poll;
  QTimer::singleShot(limit, &loop, &QEventLoop::quit);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (IsOnScreen(window)) loop.quit();
  });
  poll.start(std::chrono::milliseconds(10));
  if (!IsOnScreen(window)) loop.exec();
}

}  // namespace

bool AsksStartupCheck(std::span<char* const> arguments) {
  for (const char* argument : arguments) {
    if (argument != nullptr && std::string_view(argument) == resources::kStartupCheckOption) {
      return true;
    }
  }
  return false;
}

int CheckStartup(MainWindow& window, std::ostream& out, std::ostream& err,
                 std::chrono::milliseconds limit) {
  window.show();
  WaitUntilOnScreen(window, limit);
  const bool shown = IsOnScreen(window);

  const QComboBox* chooser = window.SeriesCombo();
  QStringList titles;
  for (int i = 0; i < chooser->count(); ++i) titles << chooser->itemText(i);
  const bool loaded = chooser->currentIndex() >= 0 && window.ValueList()->count() > 0;
  out << resources::kStartupWindow << window.windowTitle().toStdString() << '\n'
      << resources::kStartupSeries
      << (titles.isEmpty() ? std::string(resources::kStartupNone)
                           : titles.join(QStringLiteral(", ")).toStdString())
      << '\n';
  if (loaded) {
    out << resources::kStartupLoaded << chooser->currentText().toStdString() << ", "
        << window.ValueList()->count() << resources::kStartupValuesListed << '\n';
  }
  out.flush();
  window.hide();

  if (!shown) {
    err << resources::kStartupNotShown << '\n';
  } else if (!loaded) {
    err << resources::kStartupNothingLoaded << '\n';
  }
  return shown && loaded ? 0 : 1;
}

int RunStartupCheck(std::ostream& out, std::ostream& err) {
  SetMessageRecorder([&err](const QString& text, MessageIcon, const QString& detail) {
    err << text.toStdString() << '\n';
    if (!detail.isEmpty()) err << detail.toStdString() << '\n';
  });
  MainWindow window;
  const int code = CheckStartup(window, out, err, kShownWithin);
  SetMessageRecorder(nullptr);
  return code;
}

}  // namespace ordavin::ui
