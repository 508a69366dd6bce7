#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ordavin::man {

// One entry of a help list: "--upper N=1" and "Resistors in the upper network Ru, 1 to 4".
struct HelpItem {
  std::string tag;
  std::string text;
};

// A titled list of a help text: "Options", "Positionals", "Subcommands".
struct HelpList {
  std::string title;
  std::vector<HelpItem> items;
};

// Paragraphs keep their lines: a line that starts with a label ("JSON: ...") opens a new
// paragraph in the manual page.
using Paragraph = std::vector<std::string>;

// A --help text read into its parts, in the layout CLI11 prints and the window's help copies:
// paragraphs, a "Usage: " line, lists under a "Title:" line whose entries are indented, each
// entry's text starting at the list's description column, and paragraphs after the lists.
struct HelpPage {
  std::string usage;
  std::vector<Paragraph> description;
  std::vector<HelpList> lists;
  std::vector<Paragraph> notes;

  // The tags of the "Subcommands" list: the commands whose help is read next.
  std::vector<std::string> Subcommands() const;
};

HelpPage ReadHelpPage(std::string_view text);

}  // namespace ordavin::man
