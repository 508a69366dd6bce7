#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ordavin::ui {

// The three kinds of box the program shows.
enum class MessageIcon { Error = 16, Warning = 48, Information = 64 };

// Shows a modal box with an OK button; a detail, when given, is shown under the text. Every
// box of the program goes through here, so that tests can record them instead of blocking.
void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon,
                 const QString& detail = {});

using MessageRecorder =
    std::function<void(const QString& text, MessageIcon icon, const QString& detail)>;

// While a recorder is installed, boxes are handed to it and not shown. Pass nullptr to show
// boxes again.
void SetMessageRecorder(MessageRecorder recorder);

// Asks a question with Yes and No buttons, No the default; true for Yes.
bool AskQuestion(QWidget* parent, const QString& text);

// While an answerer is installed, questions are handed to it and it answers them.
using QuestionAnswerer = std::function<bool(const QString& text)>;
void SetQuestionAnswerer(QuestionAnswerer answerer);

}  // namespace ordavin::ui
