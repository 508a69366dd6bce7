#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ordavin::ui {

// Asks where to save a file: the dialog opens on suggestedPath and adds defaultSuffix to a
// name typed without one. Empty when the user cancels. Every save dialog of the program goes
// through here, so that tests can answer it instead of a person.
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                        const QString& filter, const QString& defaultSuffix);

using SaveFileNameAnswerer =
    std::function<QString(const QString& title, const QString& suggestedPath)>;

// While an answerer is installed, it answers the save dialogs and none is shown. Pass nullptr
// to show them again.
void SetSaveFileNameAnswerer(SaveFileNameAnswerer answerer);

}  // namespace ordavin::ui
