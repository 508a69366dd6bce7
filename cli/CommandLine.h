#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ordavin::cli {

// Parses the arguments (without the program name), runs the command and returns the exit
// code. Results go to out, messages and progress to err; progress only when errIsTerminal.
int RunCommandLine(std::vector<std::string> arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal);

}  // namespace ordavin::cli
