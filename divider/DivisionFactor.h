#pragma once

#include <string_view>

namespace ordavin {

// The target division factor from its text: a plain number strictly between 0 and 1, or a
// ratio "a/b" of two numbers of the same sign. 0 means the text is not a usable factor;
// the run's preparation refuses that and anything else outside (0, 1).
double ParseDivisionFactor(std::string_view text);

}  // namespace ordavin
