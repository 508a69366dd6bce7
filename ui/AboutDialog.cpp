#include "ui/AboutDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "resources/DialogTemplates.h"
#include "resources/Strings.h"
#include "ui/DialogLayout.h"

namespace ordavin::ui {

namespace t = resources::about_box;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(QString::fromLatin1(resources::kAboutTitle));
  setModal(true);
  DialogLayout layout;
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  layout.Place(icon, t::kIcon, DialogLayout::Fit::None);
  auto* text = new QLabel(QStringLiteral("%1, Version %2")
                              .arg(QLatin1String(resources::kAppName), QLatin1String(kVersion)),
                          this);
  text->setObjectName(QStringLiteral("aboutText"));
  layout.Place(text, t::kText);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  layout.Place(ok, t::kOkButton);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  const DialogUnits units = layout.UnitsFor(font());
  layout.Apply(units);
  // The text may have widened the units; the box keeps room for it on the right.
  setFixedSize(std::max(units.X(t::kSize.w), text->geometry().right() + units.X(14)),
               units.Y(t::kSize.h));
}

}  // namespace ordavin::ui
