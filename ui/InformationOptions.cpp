#include "ui/InformationOptions.h"

#include <string_view>

#include "resources/Strings.h"

namespace ordavin::ui {

std::optional<int> AnswerInformationOptions(std::span<char* const> arguments, std::ostream& out) {
  for (const char* argument : arguments) {
    if (argument == nullptr) continue;
    const std::string_view option = argument;
    if (option == "--version") {
      out << resources::kProgramName << ' ' << kVersion << '\n';
    } else if (option == "--help" || option == "-h") {
      out << resources::kCommandLineHelp;
    } else {
      continue;
    }
    out.flush();
    return out ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace ordavin::ui
