#include "ui/GuiTestSupport.h"

#include <QLineEdit>
#include <QTest>

namespace ordavin::ui::testing {

MessageLog::MessageLog() {
  SetMessageRecorder([this](const QString& text, MessageIcon icon, const QString& detail) {
    m_entries.push_back({text, icon, detail});
  });
  SetQuestionAnswerer([this](const QString& text) {
    m_questions.push_back(text);
    return m_answer;
  });
}

MessageLog::~MessageLog() {
  SetMessageRecorder(nullptr);
  SetQuestionAnswerer(nullptr);
}

std::vector<QString> MessageLog::Texts() const {
  std::vector<QString> texts;
  for (const Entry& e : m_entries) texts.push_back(e.text);
  return texts;
}

WorkingDirectory::WorkingDirectory() : m_previous(QDir::currentPath()) {
  QDir::setCurrent(QString::fromStdString(m_dir.path().string()));
}

WorkingDirectory::~WorkingDirectory() { QDir::setCurrent(m_previous); }

void Type(QWidget* edit, const QString& text) {
  auto* line = qobject_cast<QLineEdit*>(edit);
  line->setFocus();
  line->selectAll();
  line->del();
  QTest::keyClicks(line, text);
}

}  // namespace ordavin::ui::testing
