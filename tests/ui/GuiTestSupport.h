#pragma once

#include <QDir>
#include <QString>
#include <QWidget>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/SeriesText.h"
#include "support/TempDir.h"
#include "ui/MessageBoxes.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace ordavin::ui::testing {

// Every box shown while it lives, in order, instead of on screen; questions likewise.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  struct Entry {
    QString text;
    MessageIcon icon;
    QString detail;
  };
  const std::vector<Entry>& Entries() const { return m_entries; }
  std::vector<QString> Texts() const;
  void Clear() { m_entries.clear(); }

  // Questions are answered No unless told otherwise, and kept apart from the boxes.
  void AnswerQuestions(bool yes) { m_answer = yes; }
  const std::vector<QString>& Questions() const { return m_questions; }

 private:
  std::vector<Entry> m_entries;
  std::vector<QString> m_questions;
  bool m_answer = false;
};

// A temporary folder that is the working directory while it lives.
class WorkingDirectory {
 public:
  WorkingDirectory();
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  const ordavin::testing::TempDir& Dir() const { return m_dir; }
  std::filesystem::path Write(const std::string& name, std::string_view content) const {
    return m_dir.Write(name, content);
  }

 private:
  ordavin::testing::TempDir m_dir;
  QString m_previous;
};

using ordavin::testing::SeriesText;

template <typename T>
T* Find(const QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) throw std::runtime_error(std::string("no widget named ") + name);
  return child;
}

// Replaces an edit's text as a user would: select all, type.
void Type(QWidget* edit, const QString& text);

}  // namespace ordavin::ui::testing
