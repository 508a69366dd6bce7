#pragma once

#include <optional>
#include <ostream>
#include <span>

namespace ordavin::ui {

// Answers --version ("ordavin 0.59") and --help on out before the toolkit starts, so that
// they need no display. Returns the exit code when one of them was given (the first one
// counts; 1 when out cannot be written), nothing when the window is to open. The arguments
// are argv without the program name.
std::optional<int> AnswerInformationOptions(std::span<char* const> arguments, std::ostream& out);

}  // namespace ordavin::ui
