#include "ui/ProfileStore.h"

#include <QSettings>
#include <QtEndian>
#include <bit>
#include <cstdint>

namespace ordavin::ui {

void ProfileStore::WriteBinary(const QString& section, const QString& entry,
                               const QByteArray& bytes) {
  QSettings settings(kOrganisation, kApplication);
  settings.setValue(section + "/" + entry, bytes);
  settings.sync();
}

QByteArray ProfileStore::ReadBinary(const QString& section, const QString& entry) {
  QSettings settings(kOrganisation, kApplication);
  return settings.value(section + "/" + entry).toByteArray();
}

QByteArray ProfileStore::DoubleBytes(double value) {
  QByteArray bytes(8, '\0');
  qToLittleEndian(std::bit_cast<std::uint64_t>(value), bytes.data());
  return bytes;
}

}  // namespace ordavin::ui
