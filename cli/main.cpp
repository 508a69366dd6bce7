// ordavin-cli: the searches of the desktop program for scripts and terminals.
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/StandardStreams.h"
#include "cli/SystemText.h"

int main(int argc, char** argv) {
  ordavin::cli::PrepareStandardStreams();
  return ordavin::cli::RunCommandLine(ordavin::cli::CommandLineArguments(argc, argv), std::cout,
                                      std::cerr, ordavin::cli::ErrorStreamIsTerminal());
}
