// ordavin-cli's argument handling, from parsing to the command's output.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "fuzz/FuzzTargets.h"

namespace ordavin::fuzz {
namespace {

constexpr std::size_t kMaxArguments = 48;

// Three values: even four resistors per network give 225 combinations, so no input can
// start a long search. Never destroyed, so that the clean-up at exit can still use it.
const std::string& TinySeriesPath() {
  static const auto* const path = [] {
    const auto folder =
        std::filesystem::temp_directory_path() / ("ordavin-fuzz-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(std::filesystem::path(TinySeriesPath()).parent_path(), ignored);
    });
    const auto file = folder / "TINY.SER";
    std::ofstream(file) << "baseval\n1 2.2 4.7\ndecades\n3\n";
    return new std::string(file.string());
  }();
  return *path;
}

}  // namespace

void FuzzCliArguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != 0) {
      arguments.back() += static_cast<char>(data[i]);
    } else {
      if (arguments.size() == kMaxArguments) break;
      arguments.emplace_back();
    }
  }
  if (size == 0) arguments.clear();
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--series" && i + 1 < arguments.size()) {
      arguments[++i] = TinySeriesPath();
    } else if (arguments[i].starts_with("--series=")) {
      arguments[i] = "--series=" + TinySeriesPath();
    }
  }

  std::ostringstream out;
  std::ostringstream err;
  const int code = cli::RunCommandLine(arguments, out, err, false);
  Check(code == 0 || code == 1 || code == 2, "the exit code is 0, 1 or 2");
  if (code != 0) Check(!err.str().empty(), "a failure says why");
  for (const char c : err.str()) {
    const auto byte = static_cast<unsigned char>(c);
    Check(byte >= 0x20 || c == '\n', "no control character reaches the terminal");
  }
}

}  // namespace ordavin::fuzz
