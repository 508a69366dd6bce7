#include "ui/StatusText.h"

#include <QAccessible>
#include <QLabel>

namespace ordavin::ui {
namespace {

AccessibilityUpdate& Update() {
  static AccessibilityUpdate update = nullptr;
  return update;
}

}  // namespace

void ShowStatus(QLabel* line, const QString& text) {
  if (line->text() == text) return;
  line->setText(text);
  // The line has no accessible name of its own, so its name is its text.
  QAccessibleEvent changed(line, QAccessible::NameChanged);
  if (Update() != nullptr) {
    Update()(&changed);
  } else {
    QAccessible::updateAccessibility(&changed);
  }
}

void SetAccessibilityUpdate(AccessibilityUpdate update) { Update() = update; }

}  // namespace ordavin::ui
