#include "ui/DialogLayout.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace ordavin::ui {

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // Windows rounds the average of the 52 letters: (width / 26 + 1) / 2.
  const int average = (letters / 26 + 1) / 2;
  return {average / 4.0, metrics.height() / 8.0};
}

int DialogUnits::X(int units) const { return static_cast<int>(std::lround(units * x)); }
int DialogUnits::Y(int units) const { return static_cast<int>(std::lround(units * y)); }

void DialogLayout::Place(QWidget* widget, resources::DlgRect rect, Fit fit) {
  m_items.push_back({widget, rect, fit});
}

DialogUnits DialogLayout::UnitsFor(const QFont& font) const {
  DialogUnits units = DialogUnits::ForFont(font);
  for (const Item& item : m_items) {
    if (item.fit != Fit::Text || item.rect.w <= 0) continue;
    int needed = item.widget->sizeHint().width();
    if (const auto* group = qobject_cast<const QGroupBox*>(item.widget)) {
      needed = QFontMetrics(group->font()).horizontalAdvance(group->title()) +
               QFontMetrics(group->font()).averageCharWidth() * 4;
    }
    units.x = std::max(units.x, std::ceil(needed * 100.0 / item.rect.w) / 100.0);
  }
  return units;
}

void DialogLayout::Apply(const DialogUnits& units) const {
  for (const Item& item : m_items) {
    const resources::DlgRect& r = item.rect;
    int height = units.Y(r.h);
    int top = units.Y(r.y);
    if (item.fit == Fit::ComboBox) {
      height = item.widget->sizeHint().height();
    } else if (item.fit == Fit::Text && item.widget->sizeHint().height() > height &&
               !qobject_cast<QGroupBox*>(item.widget)) {
      // Keep the text's middle where the template has it.
      const int grown = item.widget->sizeHint().height();
      top -= (grown - height) / 2;
      height = grown;
    }
    item.widget->setGeometry(units.X(r.x), top, units.X(r.w), height);
  }
}

}  // namespace ordavin::ui
