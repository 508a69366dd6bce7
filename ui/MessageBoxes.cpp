#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace ordavin::ui {
namespace {

MessageRecorder& Recorder() {
  static MessageRecorder recorder;
  return recorder;
}

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) {
  if (Recorder()) {
    Recorder()(text, icon);
    return;
  }
  QMessageBox box(ToQt(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                  parent);
  box.exec();
}

void SetMessageRecorder(MessageRecorder recorder) { Recorder() = std::move(recorder); }

}  // namespace ordavin::ui
