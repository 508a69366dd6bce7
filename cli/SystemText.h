#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ordavin::cli {

// The program's arguments after its own name, as UTF-8. On Windows they are taken from the
// wide command line, since argv holds them in the ANSI code page, which loses what it
// cannot spell; elsewhere argv is used as it is.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// A path given as UTF-8 text (an argument), for opening: on Windows through the wide path,
// elsewhere the bytes as they are.
std::filesystem::path PathFromText(const std::string& text);

}  // namespace ordavin::cli
