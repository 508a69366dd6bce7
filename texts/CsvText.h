#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ordavin {

// Comma-separated values as RFC 4180 writes them, so that any spreadsheet reads them back
// cell for cell.

// A field is quoted when it holds a comma, a quote, CR or LF, and a quote inside is doubled;
// any other text, UTF-8 included, stays as it is.
std::string CsvField(std::string_view text);

// One record: the fields joined by commas, ended by CRLF.
std::string CsvRecord(std::span<const std::string> fields);

}  // namespace ordavin
