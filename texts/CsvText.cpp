#include "texts/CsvText.h"

namespace ordavin {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string CsvRecord(std::span<const std::string> fields) {
  std::string record;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) record += ',';
    record += CsvField(fields[k]);
  }
  record += "\r\n";
  return record;
}

}  // namespace ordavin
