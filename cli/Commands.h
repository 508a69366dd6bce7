#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace ordavin::cli {

// Where a command writes. Progress is shown only when err is a terminal.
struct Streams {
  std::ostream& out;
  std::ostream& err;
  bool showProgress = false;
};

// Option values stay texts until the command reads them; nothing means "not given".
struct ValuesArguments {
  std::string seriesPath;
  bool json = false;
};

// The series file to check and the form of the report.
struct CheckArguments {
  std::string seriesPath;
  bool json = false;
};

// What both search commands take: the series, the form of the output and the values that
// stay out of the search.
struct SearchArguments {
  std::string seriesPath;
  bool json = false;
  std::optional<std::string> format;
  std::optional<std::string> untick;
  bool force = false;  // start a search forecast to take longer than an hour
  // Each match checked over part tolerance, and its power at a voltage.
  std::optional<std::string> partTolerance;
  std::optional<std::string> voltage;
};

struct DividerArguments : SearchArguments {
  std::optional<std::string> factor;
  std::optional<std::string> tolerance;
  std::optional<std::string> upper;
  std::optional<std::string> upperMode;
  std::optional<std::string> lower;
  std::optional<std::string> lowerMode;
  std::optional<std::string> seriesWindow;
  std::optional<std::string> parallelWindow;
  std::optional<std::string> source;
  std::optional<std::string> load;
  std::optional<std::string> maxResults;
};

struct TargetArguments : SearchArguments {
  std::optional<std::string> target;
  std::optional<std::string> tolerance;
  std::optional<std::string> count;
  std::optional<std::string> connection;
  std::optional<std::string> maxResults;
};

struct AttenuatorArguments {
  std::string attenuationDb;
};

struct RegulatorArguments {
  std::string uOut;
  std::string uRef;
  std::string uGnd;
};

// Each returns the exit code. Bad option values throw UsageError (exit code 2 for the caller).
int RunValuesCommand(const ValuesArguments& arguments, const Streams& streams);
// Exit code 0 when the file loads and nothing is found, 1 otherwise.
int RunCheckCommand(const CheckArguments& arguments, const Streams& streams);
int RunDividerCommand(const DividerArguments& arguments, const Streams& streams);
int RunTargetCommand(const TargetArguments& arguments, const Streams& streams);
int RunAttenuatorCommand(const AttenuatorArguments& arguments, const Streams& streams);
int RunRegulatorCommand(const RegulatorArguments& arguments, const Streams& streams);

}  // namespace ordavin::cli
