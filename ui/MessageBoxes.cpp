#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace ordavin::ui {
namespace {

MessageRecorder& Recorder() {
  static MessageRecorder recorder;
  return recorder;
}

QuestionAnswerer& Answerer() {
  static QuestionAnswerer answerer;
  return answerer;
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

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon, const QString& detail) {
  if (Recorder()) {
    Recorder()(text, icon, detail);
    return;
  }
  QMessageBox box(ToQt(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                  parent);
  box.setInformativeText(detail);
  box.exec();
}

void SetMessageRecorder(MessageRecorder recorder) { Recorder() = std::move(recorder); }

bool AskQuestion(QWidget* parent, const QString& text) {
  if (Answerer()) return Answerer()(text);
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void SetQuestionAnswerer(QuestionAnswerer answerer) { Answerer() = std::move(answerer); }

}  // namespace ordavin::ui
