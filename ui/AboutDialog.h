#pragma once

#include <QDialog>

namespace ordavin::ui {

// "About Ordavin": the icon, the version and OK.
class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace ordavin::ui
