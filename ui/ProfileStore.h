#pragma once

#include <QByteArray>
#include <QString>

namespace ordavin::ui {

// The per-user profile of the program: QSettings under organisation "Kyv" and application
// "Ordavin" (an INI file on Linux).
class ProfileStore {
 public:
  static constexpr const char* kOrganisation = "Kyv";
  static constexpr const char* kApplication = "Ordavin";

  static void WriteBinary(const QString& section, const QString& entry, const QByteArray& bytes);
  static QByteArray ReadBinary(const QString& section, const QString& entry);

  // The 8 bytes of a double as a little-endian IEEE 754 value.
  static QByteArray DoubleBytes(double value);
};

}  // namespace ordavin::ui
