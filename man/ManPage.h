#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "man/HelpPage.h"

namespace ordavin::man {

// A command below the program and its help: "calc attenuator" and what
// "ordavin-cli calc attenuator --help" prints.
struct CommandHelp {
  std::string path;
  HelpPage page;
};

// A manual page made from a program's help: the name, synopsis and description from the
// program's own help, its options, a subsection per command, the exit codes from the
// paragraph that starts "Exit codes:", then the hand-written sections of the tail.
struct ManPage {
  std::string program;  // "ordavin-cli"
  std::string section;  // "1"
  std::string date;     // of the release
  std::string source;   // "Ordavin 0.59"
  HelpPage help;
  std::vector<CommandHelp> commands;
  std::string tail;  // roff, added as written

  // The page in man(7) roff.
  std::string Roff() const;
};

// One line of text made safe for roff: backslashes, minus signs, quotes, accents and tildes
// escaped, characters beyond ASCII as \[uXXXX], and a leading full stop (a request) guarded.
std::string RoffText(std::string_view text);

}  // namespace ordavin::man
