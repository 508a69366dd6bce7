#pragma once

#include <cstdint>
#include <span>

namespace ordavin {

// The canonical order of networks: fewer resistors first, then the codes (NetworkCode.h)
// compared token by token (a connection token, negative, before any position). A network is
// canonical when no connection has a part of its own kind and each connection's parts are in
// canonical order; every network has exactly one canonical code.
int CompareNetworks(std::span<const std::int32_t> first, std::span<const std::int32_t> second);

std::uint32_t ResistorCountOf(std::span<const std::int32_t> code);

bool IsCanonical(std::span<const std::int32_t> code);

}  // namespace ordavin
