#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace ordavin::cli {

// Option names, shared by the parser and the messages that name them.
namespace option_names {
inline constexpr const char* kSeries = "--series";
inline constexpr const char* kJson = "--json";
inline constexpr const char* kFactor = "--factor";
inline constexpr const char* kTolerance = "--tolerance";
inline constexpr const char* kUpper = "--upper";
inline constexpr const char* kUpperMode = "--upper-mode";
inline constexpr const char* kLower = "--lower";
inline constexpr const char* kLowerMode = "--lower-mode";
inline constexpr const char* kSeriesWindow = "--series-window";
inline constexpr const char* kParallelWindow = "--parallel-window";
inline constexpr const char* kSource = "--source";
inline constexpr const char* kLoad = "--load";
inline constexpr const char* kMaxResults = "--max-results";
inline constexpr const char* kUntick = "--untick";
inline constexpr const char* kTarget = "--target";
inline constexpr const char* kCount = "--count";
inline constexpr const char* kConnection = "--connection";
inline constexpr const char* kAttenuation = "DB";
inline constexpr const char* kUOut = "UOUT";
inline constexpr const char* kURef = "UREF";
inline constexpr const char* kUGnd = "UGND";
}  // namespace option_names

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

struct DividerArguments {
  std::string seriesPath;
  bool json = false;
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
  std::optional<std::string> untick;
};

struct TargetArguments {
  std::string seriesPath;
  bool json = false;
  std::optional<std::string> target;
  std::optional<std::string> tolerance;
  std::optional<std::string> count;
  std::optional<std::string> connection;
  std::optional<std::string> maxResults;
  std::optional<std::string> untick;
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
int RunDividerCommand(const DividerArguments& arguments, const Streams& streams);
int RunTargetCommand(const TargetArguments& arguments, const Streams& streams);
int RunAttenuatorCommand(const AttenuatorArguments& arguments, const Streams& streams);
int RunRegulatorCommand(const RegulatorArguments& arguments, const Streams& streams);

}  // namespace ordavin::cli
