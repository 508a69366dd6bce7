#include "target/mixed/MixedNetworkCount.h"

#include <array>
#include <limits>
#include <numeric>

namespace ordavin {
namespace {

using Count = std::optional<std::uint64_t>;

Count Times(Count a, Count b) {
  if (!a || !b) return std::nullopt;
  if (*a != 0 && *b > std::numeric_limits<std::uint64_t>::max() / *a) return std::nullopt;
  return *a * *b;
}

Count Plus(Count a, Count b) {
  if (!a || !b || *b > std::numeric_limits<std::uint64_t>::max() - *a) return std::nullopt;
  return *a + *b;
}

// Multisets of r out of m things, C(m + r - 1, r), for r <= 5: each factor is divided by
// what it shares with the rest of r!, which leaves exact integers to multiply.
Count Multisets(Count m, std::uint32_t r) {
  if (!m) return std::nullopt;
  if (r == 0) return 1;
  if (*m == 0) return 0;
  std::uint64_t denominator = 1;
  for (std::uint32_t i = 2; i <= r; ++i) denominator *= i;
  Count product = 1;
  for (std::uint32_t i = 0; i < r; ++i) {
    if (*m > std::numeric_limits<std::uint64_t>::max() - i) return std::nullopt;
    std::uint64_t factor = *m + i;
    const std::uint64_t shared = std::gcd(factor, denominator);
    factor /= shared;
    denominator /= shared;
    product = Times(product, factor);
  }
  return product;
}

// Connections of one kind with `left` resistors still to place in parts of sizes from
// `smallest` up to below `size`, from a choice of parts[s] networks of s resistors per part.
Count Connections(const std::array<Count, kMaxMixedResistors + 1>& parts, std::uint32_t size,
                  std::uint32_t smallest, std::uint32_t left) {
  if (left == 0) return 1;
  Count total = 0;
  for (std::uint32_t s = smallest; s < size && s <= left; ++s) {
    for (std::uint32_t copies = 1; copies * s <= left; ++copies) {
      total = Plus(total, Times(Multisets(parts[s], copies),
                                Connections(parts, size, s + 1, left - copies * s)));
    }
  }
  return total;
}

}  // namespace

std::optional<std::uint64_t> PartMultisets(std::uint64_t things, std::uint32_t chosen) {
  if (chosen > kMaxMixedResistors) return std::nullopt;
  return Multisets(things, chosen);
}

std::optional<std::uint64_t> MixedNetworkCount(std::uint64_t positions, std::uint32_t resistors) {
  if (resistors == 0 || resistors > kMaxMixedResistors) return std::nullopt;
  // parts[s]: the networks of s resistors that may be a part of a connection of a given
  // kind: resistors, or connections of the other kind, of which there are as many for either
  // kind (swap series and parallel).
  std::array<Count, kMaxMixedResistors + 1> parts{};
  parts[1] = positions;
  for (std::uint32_t s = 2; s <= resistors; ++s) {
    const Count oneKind = Connections(parts, s, 1, s);
    if (s == resistors) return Times(oneKind, 2);
    parts[s] = oneKind;
  }
  return positions;
}

}  // namespace ordavin
