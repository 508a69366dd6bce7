#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ordavin::cli::testing {

struct CliResult {
  int exitCode = -1;      // -1 when the process did not exit normally
  int signal = 0;         // the signal that ended it, 0 when it exited
  bool timedOut = false;  // killed after the safety limit
  std::string out;
  std::string err;
};

// Runs the built ordavin-cli with the arguments, stdin closed, and collects both streams.
// With interruptAfter, SIGINT is sent once that much time has passed. A process still
// running after the safety limit is killed, so that a hang fails the test instead of the run.
CliResult RunCli(const std::vector<std::string>& arguments,
                 std::optional<std::chrono::milliseconds> interruptAfter = std::nullopt,
                 std::chrono::milliseconds safetyLimit = std::chrono::seconds(20));

// A directory of its own under the system's temp directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // Writes the file (replacing it) and returns its path as text.
  std::string Write(const std::string& name, const std::string& contents) const;

 private:
  std::filesystem::path m_path;
};

// A series file's text: base values, decade exponents and optional bounds.
std::string SeriesText(const std::vector<std::string>& baseValues,
                       const std::vector<std::string>& decades,
                       const std::optional<std::string>& minimum = std::nullopt,
                       const std::optional<std::string>& maximum = std::nullopt);

// The lines of a text without their "\n"; a last line without one counts too.
std::vector<std::string> Lines(const std::string& text);

}  // namespace ordavin::cli::testing
