// ordavin-cli: the searches of the desktop program for scripts and terminals.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return ordavin::cli::RunCommandLine(std::move(arguments), std::cout, std::cerr,
                                      isatty(STDERR_FILENO) == 1);
}
