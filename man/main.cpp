// ordavin-manpage PROGRAM TAIL OUTPUT: writes the manual page of ordavin-cli or ordavin, made
// from the help that program prints (the same texts, through the same code) followed by the
// hand-written sections in TAIL, so that the page cannot drift from --help.
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "man/HelpPage.h"
#include "man/ManPage.h"
#include "resources/Strings.h"
#include "version/Version.h"

namespace {

using HelpOf = std::function<std::string(const std::vector<std::string>& command)>;

std::string CliHelp(const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  arguments.emplace_back("--help");
  std::ostringstream out;
  std::ostringstream err;
  if (ordavin::cli::RunCommandLine(arguments, out, err, false) != 0) {
    throw std::runtime_error("ordavin-cli --help failed: " + err.str());
  }
  return out.str();
}

std::string WindowHelp(const std::vector<std::string>& command) {
  if (!command.empty()) throw std::runtime_error("ordavin has no commands");
  return ordavin::resources::kCommandLineHelp;
}

// Every command below path, depth first, in the order the help lists them.
void AddCommands(const HelpOf& helpOf, const std::vector<std::string>& path,
                 const ordavin::man::HelpPage& page,
                 std::vector<ordavin::man::CommandHelp>& commands) {
  for (const std::string& name : page.Subcommands()) {
    std::vector<std::string> below = path;
    below.push_back(name);
    ordavin::man::HelpPage help = ordavin::man::ReadHelpPage(helpOf(below));
    std::string joined;
    for (const std::string& word : below) {
      if (!joined.empty()) joined += ' ';
      joined += word;
    }
    commands.push_back({joined, help});
    AddCommands(helpOf, below, help, commands);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: ordavin-manpage ordavin-cli|ordavin TAIL OUTPUT\n";
    return 2;
  }
  try {
    const std::string program = argv[1];
    HelpOf helpOf;
    if (program == "ordavin-cli") {
      helpOf = CliHelp;
    } else if (program == "ordavin") {
      helpOf = WindowHelp;
    } else {
      std::cerr << "ordavin-manpage: no manual page for '" << program << "'\n";
      return 2;
    }
    std::ifstream tailFile(argv[2], std::ios::binary);
    if (!tailFile) throw std::runtime_error(std::string("cannot read ") + argv[2]);

    ordavin::man::ManPage page;
    page.program = program;
    page.section = "1";
    page.date = ORDAVIN_RELEASE_DATE;
    page.source = std::string("Ordavin ") + ordavin::kVersion;
    page.help = ordavin::man::ReadHelpPage(helpOf({}));
    AddCommands(helpOf, {}, page.help, page.commands);
    page.tail.assign(std::istreambuf_iterator<char>(tailFile), std::istreambuf_iterator<char>());

    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << page.Roff();
    out.close();
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "ordavin-manpage: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
