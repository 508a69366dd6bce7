#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ordavin::cli {

// Columns of UTF-8 cells for a terminal: left-aligned by display width in code points, two
// spaces between columns, no blanks at the end of a line, each line ending in "\n".
std::string FormatTable(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows);

// Code points in valid UTF-8 (each character of the results takes one terminal column).
std::size_t DisplayWidth(std::string_view text);

}  // namespace ordavin::cli
