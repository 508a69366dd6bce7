#include "ui/Application.h"

#include <QApplication>
#include <QIcon>
#include <cstddef>
#include <iostream>
#include <optional>
#include <span>

#include "ui/InformationOptions.h"
#include "ui/MainWindow.h"
#include "ui/ProfileStore.h"
#include "ui/StartupCheck.h"

// The icons live in this static library; its resources must be registered by hand.
static void RegisterResources() { Q_INIT_RESOURCE(ordavin); }

namespace ordavin::ui {

void InstallApplicationIcon() {
  RegisterResources();
  QIcon icon;
  for (const char* size : {"16", "32", "48"}) {
    icon.addFile(QStringLiteral(":/icons/ordavin-%1.png").arg(QLatin1String(size)));
  }
  QApplication::setWindowIcon(icon);
}

void ConfigureApplication() {
  QApplication::setOrganizationName(QString::fromLatin1(ProfileStore::kOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
  QApplication::setDesktopFileName(QStringLiteral("ordavin"));
  InstallApplicationIcon();
}

int RunApplication(int argc, char** argv) {
  // Before the toolkit starts: these need no display.
  const std::span<char* const> arguments(argv, static_cast<std::size_t>(argc));
  if (const std::optional<int> code =
          AnswerInformationOptions(arguments.subspan(arguments.empty() ? 0 : 1), std::cout)) {
    return *code;
  }
  const bool startupCheck = AsksStartupCheck(arguments.subspan(arguments.empty() ? 0 : 1));
  QApplication app(argc, argv);
  ConfigureApplication();
  if (startupCheck) return RunStartupCheck(std::cout, std::cerr);
  MainWindow window;
  window.show();
  return QApplication::exec();
}

}  // namespace ordavin::ui
