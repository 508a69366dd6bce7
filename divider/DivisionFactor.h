#pragma once

#include <optional>
#include <string_view>

namespace ordavin {

// The target division factor from its text: a plain number strictly between 0 and 1, or a
// ratio "a/b" of two numbers of the same sign, where each side may also be a resistance
// code ("4k7/10k"). A side that is neither counts as much of a number as it begins with.
// 0 means the text is not a usable factor; the run's preparation refuses that and anything
// else outside (0, 1).
double ParseDivisionFactor(std::string_view text);

// The factor as above, but only when the whole text is one number, or a ratio of two
// numbers or resistance codes with white space around each; nothing otherwise.
std::optional<double> ReadWholeDivisionFactor(std::string_view text);

}  // namespace ordavin
