#include "cli/TextTable.h"

#include <algorithm>

namespace ordavin::cli {
namespace {

constexpr std::string_view kColumnGap = "  ";

void AppendLine(std::string& out, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths) {
  std::string line;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    const std::string_view cell = c < cells.size() ? std::string_view(cells[c]) : "";
    if (c > 0) line += kColumnGap;
    line += cell;
    line.append(widths[c] - std::min(widths[c], DisplayWidth(cell)), ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out += line;
  out += '\n';
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string FormatTable(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths(headers.size(), 0);
  for (std::size_t c = 0; c < headers.size(); ++c) widths[c] = DisplayWidth(headers[c]);
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < widths.size() && c < row.size(); ++c) {
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
  }
  std::string out;
  AppendLine(out, headers, widths);
  for (const auto& row : rows) AppendLine(out, row, widths);
  return out;
}

}  // namespace ordavin::cli
