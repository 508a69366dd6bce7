#pragma once

#include <QDialog>

namespace ordavin::ui {

// "About Ordavin": the icon, the version and OK.
class CAboutDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace ordavin::ui
