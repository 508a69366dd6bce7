#pragma once

#include <QDialog>
#include <vector>

#include "network/CheckedResult.h"
#include "run/FieldLimits.h"
#include "ui/FieldExchange.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ordavin::ui {

class SchematicView;

// One results row as an engineer checks it: its schematic, its worst case when every part
// may sit anywhere within a part tolerance, and each resistor's current and power at a
// voltage. It keeps its own copy of the row, so a later run does not change it.
class DetailsWindow final : public QDialog {
  Q_OBJECT

 public:
  DetailsWindow(const CheckedResult& result, QWidget* parent);

  // Reads both fields; a bad one is refused with its message and the focus, and nothing
  // shown changes. Otherwise the figures follow the fields.
  bool Calculate();
  // The summary of what is shown (CheckSummary), put on the clipboard by Copy.
  QString SummaryText() const;
  void Copy();

  const CheckedResult& Result() const { return m_result; }
  SchematicView* Schematic() const { return m_schematic; }

 private:
  QWidget* BuildWorstCase();
  QWidget* BuildPower();
  void ShowFigures();

  CheckedResult m_result;
  // What the fields hold while being read, and what the figures were made with.
  double m_fieldPartTolerance = check_fields::kPartTolerance;
  double m_fieldVoltage = check_fields::kVoltage;
  double m_partTolerance = check_fields::kPartTolerance;
  double m_voltage = check_fields::kVoltage;
  FieldExchange m_exchange;

  SchematicView* m_schematic = nullptr;
  QLineEdit* m_partToleranceEdit = nullptr;
  QLineEdit* m_voltageEdit = nullptr;
  std::vector<QLabel*> m_bandFigures;  // nominal, lowest, highest
  std::vector<QLabel*> m_bandErrors;
  QLabel* m_sentence = nullptr;
  // One row of labels for each resistor: designator, value, current, power.
  std::vector<std::vector<QLabel*>> m_powerCells;
  QLabel* m_totalCurrent = nullptr;
};

}  // namespace ordavin::ui
