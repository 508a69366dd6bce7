#pragma once

#include <string>

namespace ordavin {

// A signed relative error as people read it: "Zero", "+100.0 ppm" up to 100 ppm
// inclusive, "-16.834 %" above.
std::string FormatError(double relativeError);

}  // namespace ordavin
