#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "divider/NetworkMode.h"
#include "run/FieldLimits.h"
#include "target/ConnectionMode.h"

namespace ordavin::cli {

// Bad usage: an option value that is malformed or outside its range. The message names the
// option and is meant for people.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// "0 to 5": a range as the help and the messages write it.
std::string DescribeRange(FieldRange range);
std::string DescribeRange(CountRange range);

// A number in the program's grammar, within range.
double ReadNumberOption(std::string_view option, std::string_view text, FieldRange range);

// A resistance: a number as above or a letter code ("4k7", "4.7k", "R47"), within range.
double ReadResistanceOption(std::string_view option, std::string_view text, FieldRange range);

// A number in the program's grammar with no range to keep but finiteness.
double ReadFiniteNumberOption(std::string_view option, std::string_view text);

// An unsigned whole number within range.
std::uint32_t ReadCountOption(std::string_view option, std::string_view text, CountRange range);

// When the option was given, its value, read as above, replaces `value`; otherwise `value`
// keeps its default.
void ApplyNumberOption(std::string_view option, const std::optional<std::string>& text,
                       FieldRange range, double& value);
void ApplyResistanceOption(std::string_view option, const std::optional<std::string>& text,
                           FieldRange range, double& value);
void ApplyCountOption(std::string_view option, const std::optional<std::string>& text,
                      CountRange range, std::uint32_t& value);

// A resistance window "MIN:MAX" (each a resistance as above), or "off". Minimum above
// maximum is left to the run's preparation, which refuses it with the page's message.
struct Window {
  bool enabled = false;
  double min = 0.0;
  double max = 0.0;
};
Window ReadWindowOption(std::string_view option, std::string_view text, FieldRange minRange,
                        FieldRange maxRange);

// "parallel" or "series".
NetworkMode ReadNetworkModeOption(std::string_view option, std::string_view text);
const char* NetworkModeName(NetworkMode mode);

// "both", "parallel" or "series".
ConnectionMode ReadConnectionOption(std::string_view option, std::string_view text);

// The division factor as the page reads it, from a text that is wholly one number or a ratio
// "a/b" of two numbers or resistance codes; anything else is bad usage. 0 when the page would
// find no usable factor (the preparation refuses it).
double ReadDivisionFactorOption(std::string_view option, std::string_view text);

// A comma-separated list of 0-based positions, as given (not yet checked against a set).
std::vector<std::uint64_t> ReadPositionList(std::string_view option, std::string_view text);

// One check state per full-set value: 1 (ticked) except at the given positions, which must
// lie inside the full set.
std::vector<std::int32_t> MakeCheckStates(std::string_view option,
                                          const std::vector<std::uint64_t>& untickedPositions,
                                          std::size_t fullCount);

}  // namespace ordavin::cli
