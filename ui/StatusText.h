#pragma once

class QAccessibleEvent;
class QLabel;
class QString;

namespace ordavin::ui {

// Puts a new text on a status line and tells assistive tools that it changed, so that a
// screen reader can announce progress and the end of a run.
void ShowStatus(QLabel* line, const QString& text);

// Where the change events go: QAccessible::updateAccessibility unless a test (on a platform
// without an accessibility bridge, which drops every event) takes them; nullptr restores it.
using AccessibilityUpdate = void (*)(QAccessibleEvent* event);
void SetAccessibilityUpdate(AccessibilityUpdate update);

}  // namespace ordavin::ui
