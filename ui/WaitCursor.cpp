#include "ui/WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace ordavin::ui {
namespace {
int depth = 0;
}

void WaitCursor::Begin() {
  ++depth;
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void WaitCursor::End() {
  if (depth == 0) return;
  --depth;
  QApplication::restoreOverrideCursor();
}

int WaitCursor::Depth() { return depth; }

}  // namespace ordavin::ui
