#pragma once

#include <QFont>
#include <vector>

#include "resources/DialogTemplates.h"

class QWidget;

namespace ordavin::ui {

// Pixels per dialog unit, derived from the dialog font as the templates expect: across, a
// quarter of the average width of the letters A-Z a-z; down, an eighth of the font height.
struct DialogUnits {
  double x = 1.5;
  double y = 1.625;

  static DialogUnits ForFont(const QFont& font);
  int X(int units) const;
  int Y(int units) const;
};

// Places widgets at their template rectangles. The font on Linux differs from the one the
// templates were drawn for, so the horizontal unit grows, evenly for the whole window, until
// every text fits its rectangle: the arrangement and its proportions stay, nothing is clipped.
class DialogLayout {
 public:
  enum class Fit {
    None,      // edits, lists: any width will do
    Text,      // labels, buttons, check boxes, group titles: their text must show whole
    ComboBox,  // the template's height is the dropped-down list; the closed box keeps its own
  };

  void Place(QWidget* widget, resources::DlgRect rect, Fit fit = Fit::Text);

  // The units for this font, widened where a text needs it.
  DialogUnits UnitsFor(const QFont& font) const;

  void Apply(const DialogUnits& units) const;

 private:
  struct Item {
    QWidget* widget;
    resources::DlgRect rect;
    Fit fit;
  };
  std::vector<Item> m_items;
};

}  // namespace ordavin::ui
