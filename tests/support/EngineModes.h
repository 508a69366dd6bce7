#pragma once

#include <array>
#include <utility>

#include "divider/NetworkMode.h"
#include "target/ConnectionMode.h"

namespace ordavin::testing {

// Every mode the engines take. Tests derive seeds from the positions, so the order stays.

// Upper and lower network of a divider.
inline constexpr std::array<std::pair<NetworkMode, NetworkMode>, 4> kModePairs = {{
    {NetworkMode::Parallel, NetworkMode::Parallel},
    {NetworkMode::Parallel, NetworkMode::Series},
    {NetworkMode::Series, NetworkMode::Parallel},
    {NetworkMode::Series, NetworkMode::Series},
}};

inline constexpr std::array<ConnectionMode, 3> kConnectionModes = {
    ConnectionMode::ParallelOnly, ConnectionMode::SeriesOnly, ConnectionMode::ParallelAndSeries};

}  // namespace ordavin::testing
