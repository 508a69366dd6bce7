#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace ordavin::ui {
namespace {

SaveFileNameAnswerer& Answerer() {
  static SaveFileNameAnswerer answerer;
  return answerer;
}

}  // namespace

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                        const QString& filter, const QString& defaultSuffix) {
  if (Answerer()) return Answerer()(title, suggestedPath);
  QFileDialog dialog(parent, title, suggestedPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

void SetSaveFileNameAnswerer(SaveFileNameAnswerer answerer) { Answerer() = std::move(answerer); }

}  // namespace ordavin::ui
