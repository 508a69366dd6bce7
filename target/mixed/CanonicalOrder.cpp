#include "target/mixed/CanonicalOrder.h"

#include <algorithm>
#include <cstddef>

#include "target/NetworkCode.h"

namespace ordavin {
namespace {

// Whether the network at code[first] (of length `length`) is canonical.
bool CanonicalAt(std::span<const std::int32_t> code, std::size_t first, std::size_t length) {
  const std::int32_t token = code[first];
  if (!IsConnectionToken(token)) return true;
  const bool parallel = IsParallelToken(token);
  std::size_t part = first + 1;
  std::span<const std::int32_t> previous;
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) {
    const std::size_t partLength = NetworkCodeLength(code, part);
    if (partLength == 0 || part + partLength > first + length) return false;
    const std::span<const std::int32_t> current = code.subspan(part, partLength);
    if (IsConnectionToken(current[0]) && IsParallelToken(current[0]) == parallel) return false;
    if (k > 0 && CompareNetworks(previous, current) > 0) return false;
    if (!CanonicalAt(code, part, partLength)) return false;
    previous = current;
    part += partLength;
  }
  return part == first + length;
}

}  // namespace

std::uint32_t ResistorCountOf(std::span<const std::int32_t> code) {
  return static_cast<std::uint32_t>(std::count_if(
      code.begin(), code.end(), [](std::int32_t t) { return !IsConnectionToken(t); }));
}

int CompareNetworks(std::span<const std::int32_t> first, std::span<const std::int32_t> second) {
  const std::uint32_t a = ResistorCountOf(first);
  const std::uint32_t b = ResistorCountOf(second);
  if (a != b) return a < b ? -1 : 1;
  if (std::lexicographical_compare(first.begin(), first.end(), second.begin(), second.end())) {
    return -1;
  }
  return std::equal(first.begin(), first.end(), second.begin(), second.end()) ? 0 : 1;
}

bool IsCanonical(std::span<const std::int32_t> code) {
  return IsWellFormed(code) && CanonicalAt(code, 0, code.size());
}

}  // namespace ordavin
