#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "run/FieldLimits.h"

class QCheckBox;
class QLineEdit;
class QWidget;

namespace ordavin::ui {

// Moves a page's fields between its controls and its members, in the page's field order.
// Saving validates: it stops at the first field that is not a number or lies outside its
// range, says so in a box and puts the focus on that field. A number that reads but fails
// its range check is already stored, as the member of a failed field is.
class FieldExchange {
 public:
  explicit FieldExchange(QWidget* owner);

  void AddNumber(QLineEdit* edit, double* member, std::optional<FieldRange> range = {});
  // A number field that also takes letter codes ("4k7", "R47"); shown as a number.
  void AddResistance(QLineEdit* edit, double* member, FieldRange range);
  void AddCount(QLineEdit* edit, std::uint32_t* member, CountRange range);
  void AddText(QLineEdit* edit, QString* member);
  void AddCheck(QCheckBox* box, bool* member);

  // Controls to members; false at the first bad field.
  bool Save();
  // The same for these controls alone, in the page's field order.
  bool SaveOnly(std::initializer_list<const QWidget*> controls);
  // Members to controls, every field; numbers shown as "%.15g".
  void Load();

  // Added to a field's message when its text holds a comma.
  static constexpr const char* kDecimalPointHint =
      "Numbers use a point as decimal separator, as in 0.01.";

  static QString NumberText(double value);
  static QString NumberMessage(std::optional<FieldRange> range);
  static QString CountMessage(CountRange range);

 private:
  struct Field {
    const QWidget* control;
    std::function<bool()> save;  // false: the field's message has been shown
    std::function<void()> load;
  };
  bool Refuse(QLineEdit* edit, const QString& message);
  // Stores a reading's value when the text was one, and refuses the field when it was not or
  // the value lies outside the range.
  template <typename Value, typename Reading>
  bool Take(QLineEdit* edit, Value* member, const Reading& reading, const QString& message);

  QWidget* m_owner;
  std::vector<Field> m_fields;
};

}  // namespace ordavin::ui
