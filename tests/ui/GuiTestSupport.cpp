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
  // keyClicks knows ASCII keys only; "Ω" or "µ" arrive as text, as a keyboard layout sends them.
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(line, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

}  // namespace ordavin::ui::testing
