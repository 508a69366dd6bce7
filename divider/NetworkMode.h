#pragma once

#include <cstdint>

namespace ordavin {

// How the resistors of one divider network are connected.
enum class NetworkMode : std::int32_t { Parallel = 1, Series = 2 };

}  // namespace ordavin
