#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ordavin::testing {

using CsvRows = std::vector<std::vector<std::string>>;

// A strict RFC 4180 reader, written apart from the program's writer to read its output back:
// every record ends in CRLF; a quoted field may hold anything, a quote doubled; a bare CR or
// LF, or a quote inside an unquoted field, is malformed and throws.
inline CsvRows ReadCsv(std::string_view text) {
  CsvRows rows;
  std::vector<std::string> record;
  std::string field;
  std::size_t i = 0;
  const auto fail = [&](const char* what) {
    throw std::runtime_error(std::string(what) + " at byte " + std::to_string(i));
  };
  while (i < text.size()) {
    field.clear();
    if (text[i] == '"') {
      ++i;
      while (true) {
        if (i >= text.size()) fail("unterminated quoted field");
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r') {
        if (text[i] == '"' || text[i] == '\n') fail("quote or LF in an unquoted field");
        field += text[i++];
      }
    }
    record.push_back(field);
    if (i >= text.size()) fail("record without CRLF");
    if (text[i] == ',') {
      ++i;
      if (i >= text.size()) fail("record without CRLF");
      continue;
    }
    if (text.substr(i, 2) != "\r\n") fail("field not followed by a comma or CRLF");
    i += 2;
    rows.push_back(std::move(record));
    record.clear();
  }
  return rows;
}

}  // namespace ordavin::testing
