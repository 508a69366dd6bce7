#include "man/HelpPage.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace ordavin::man {

namespace {

constexpr std::string_view kUsage = "Usage: ";

std::string_view TrimmedRight(std::string_view line) {
  const std::size_t end = line.find_last_not_of(" \t\r");
  return end == std::string_view::npos ? std::string_view{} : line.substr(0, end + 1);
}

std::string Trimmed(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return std::string(TrimmedRight(text.substr(begin)));
}

std::size_t Indent(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

// Where an entry's text starts: after the first run of two or more spaces that follows the
// tag, or nothing when the tag fills the line.
std::optional<std::size_t> TextColumn(std::string_view line) {
  const std::size_t gap = line.find("  ", Indent(line));
  if (gap == std::string_view::npos) return std::nullopt;
  const std::size_t text = line.find_first_not_of(' ', gap);
  if (text == std::string_view::npos) return std::nullopt;
  return text;
}

// The lines of one list, entries indented. The description column is the nearest one any
// entry shows; a tag that reaches it has its text on the indented lines below.
HelpList ReadList(std::string title, const std::vector<std::string_view>& lines) {
  std::optional<std::size_t> column;
  for (const std::string_view line : lines) {
    if (const std::optional<std::size_t> at = TextColumn(line)) {
      column = column ? std::min(*column, *at) : *at;
    }
  }
  if (!column) {
    // No entry shows its text beside its tag: the text lines are those indented deepest, and
    // when every line is indented alike, every line is a tag.
    std::size_t least = std::string_view::npos;
    std::size_t most = 0;
    for (const std::string_view line : lines) {
      least = std::min(least, Indent(line));
      most = std::max(most, Indent(line));
    }
    column = least == most ? most + 1 : most;
  }
  HelpList list{std::move(title), {}};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (Indent(line) >= *column && !list.items.empty()) {
      std::string& text = list.items.back().text;
      if (!text.empty()) text += ' ';
      text += Trimmed(line);
      continue;
    }
    // A tag one short of the column is followed by a single space; a longer tag that has a
    // space just there has its text on the lines below.
    const bool continued = i + 1 < lines.size() && Indent(lines[i + 1]) >= *column;
    const bool textAtColumn = line.size() > *column && line[*column - 1] == ' ' &&
                              line[*column] != ' ' && (!continued || line[*column - 2] == ' ');
    if (textAtColumn) {
      list.items.push_back({Trimmed(line.substr(0, *column)), Trimmed(line.substr(*column))});
    } else {
      list.items.push_back({Trimmed(line), {}});
    }
  }
  return list;
}

bool IsListTitle(std::string_view line, std::string_view next) {
  return !line.empty() && line.front() != ' ' && line.back() == ':' &&
         line.find(' ') == std::string_view::npos && next.starts_with("  ");
}

}  // namespace

std::vector<std::string> HelpPage::Subcommands() const {
  std::vector<std::string> names;
  for (const HelpList& list : lists) {
    if (list.title != "Subcommands") continue;
    for (const HelpItem& item : list.items) names.push_back(item.tag);
  }
  return names;
}

HelpPage ReadHelpPage(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(TrimmedRight(text.substr(0, end)));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }

  HelpPage page;
  Paragraph paragraph;
  const auto endParagraph = [&] {
    if (paragraph.empty()) return;
    (page.lists.empty() ? page.description : page.notes).push_back(std::move(paragraph));
    paragraph.clear();
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string_view next = i + 1 < lines.size() ? lines[i + 1] : std::string_view{};
    if (line.empty()) {
      endParagraph();
    } else if (line.starts_with(kUsage)) {
      endParagraph();
      page.usage = Trimmed(line.substr(kUsage.size()));
    } else if (IsListTitle(line, next)) {
      endParagraph();
      std::vector<std::string_view> entries;
      while (i + 1 < lines.size() && lines[i + 1].starts_with(' ')) entries.push_back(lines[++i]);
      page.lists.push_back(ReadList(std::string(line.substr(0, line.size() - 1)), entries));
    } else {
      paragraph.push_back(Trimmed(line));
    }
  }
  endParagraph();
  return page;
}

}  // namespace ordavin::man
