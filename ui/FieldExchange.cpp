#include "ui/FieldExchange.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "run/FieldReading.h"
#include "ui/MessageBoxes.h"
#include "values/NumberText.h"

namespace ordavin::ui {

FieldExchange::FieldExchange(QWidget* owner) : m_owner(owner) {}

QString FieldExchange::NumberText(double value) {
  return QString::fromStdString(FormatGeneral(value, 15));
}

QString FieldExchange::NumberMessage(std::optional<FieldRange> range) {
  if (!range) return QStringLiteral("Please enter a number.");
  return QStringLiteral("Please enter a number between %1 and %2.")
      .arg(NumberText(range->min), NumberText(range->max));
}

QString FieldExchange::CountMessage(CountRange range) {
  return QStringLiteral("Please enter a whole number between %1 and %2.")
      .arg(range.min)
      .arg(range.max);
}

bool FieldExchange::Refuse(QLineEdit* edit, const QString& message) {
  // A desktop set to a comma-decimal language invites "0,01".
  const bool comma = edit->text().contains(QLatin1Char(','));
  ShowMessage(m_owner,
              comma ? message + QLatin1Char('\n') + QLatin1String(kDecimalPointHint) : message,
              MessageIcon::Warning);
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  return false;
}

template <typename Value, typename Reading>
bool FieldExchange::Take(QLineEdit* edit, Value* member, const Reading& reading,
                         const QString& message) {
  if (!reading.value) return Refuse(edit, message);
  *member = *reading.value;
  if (!reading.accepted) return Refuse(edit, message);
  return true;
}

void FieldExchange::AddNumber(QLineEdit* edit, double* member, std::optional<FieldRange> range) {
  m_fields.push_back({edit,
                      [this, edit, member, range] {
                        return Take(edit, member,
                                    ReadNumberField(edit->text().toStdString(), range),
                                    NumberMessage(range));
                      },
                      [edit, member] { edit->setText(NumberText(*member)); }});
}

void FieldExchange::AddResistance(QLineEdit* edit, double* member, FieldRange range) {
  m_fields.push_back({edit,
                      [this, edit, member, range] {
                        return Take(edit, member,
                                    ReadResistanceField(edit->text().toStdString(), range),
                                    NumberMessage(range));
                      },
                      [edit, member] { edit->setText(NumberText(*member)); }});
}

void FieldExchange::AddCount(QLineEdit* edit, std::uint32_t* member, CountRange range) {
  m_fields.push_back({edit,
                      [this, edit, member, range] {
                        return Take(edit, member, ReadCountField(edit->text().toStdString(), range),
                                    CountMessage(range));
                      },
                      [edit, member] { edit->setText(QString::number(*member)); }});
}

void FieldExchange::AddText(QLineEdit* edit, QString* member) {
  m_fields.push_back({edit,
                      [edit, member] {
                        *member = edit->text();
                        return true;
                      },
                      [edit, member] { edit->setText(*member); }});
}

void FieldExchange::AddCheck(QCheckBox* box, bool* member) {
  m_fields.push_back({box,
                      [box, member] {
                        *member = box->isChecked();
                        return true;
                      },
                      [box, member] { box->setChecked(*member); }});
}

bool FieldExchange::Save() {
  for (const Field& field : m_fields) {
    if (!field.save()) return false;
  }
  return true;
}

bool FieldExchange::SaveOnly(std::initializer_list<const QWidget*> controls) {
  for (const Field& field : m_fields) {
    if (std::find(controls.begin(), controls.end(), field.control) == controls.end()) continue;
    if (!field.save()) return false;
  }
  return true;
}

void FieldExchange::Load() {
  for (const Field& field : m_fields) field.load();
}

}  // namespace ordavin::ui
