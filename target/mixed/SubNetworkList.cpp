#include "target/mixed/SubNetworkList.h"

#include <algorithm>
#include <utility>

#include "target/NetworkCode.h"
#include "target/mixed/CanonicalOrder.h"

namespace ordavin {

void SubNetworkList::SortCanonically() {
  auto inOrder = [this] {
    for (std::size_t i = 1; i < Size(); ++i) {
      if (CompareNetworks(Code(i - 1), Code(i)) > 0) return false;
    }
    return true;
  };
  if (inOrder()) return;
  // The networks come from the enumeration in canonical order within each shape of their
  // top connection; among networks of up to four resistors the shapes go in the order of
  // more parts first, then a larger first part first. Ordering by shape, the order within
  // each kept, is then enough, and far cheaper than comparing codes; checked after.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> shapes(Size());
  for (std::size_t i = 0; i < Size(); ++i) {
    const auto code = Code(i);
    std::uint64_t firstSize = 1;
    if (code.size() > 1 && IsConnectionToken(code[1])) {
      firstSize = ResistorCountOf(code.subspan(1, NetworkCodeLength(code, 1)));
    }
    // The token first (more parts: more negative), then the first part's size, descending.
    const auto token = static_cast<std::uint64_t>(static_cast<std::int64_t>(code[0]) + (1LL << 31));
    shapes[i] = {(token << 8) | (255 - firstSize), static_cast<std::uint32_t>(i)};
  }
  // There are only a few shapes: ordered stably by counting them.
  std::vector<std::uint64_t> keys;
  for (const auto& [key, i] : shapes) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::size_t> starts(keys.size() + 1, 0);
  for (const auto& [key, i] : shapes) {
    ++starts[static_cast<std::size_t>(std::lower_bound(keys.begin(), keys.end(), key) -
                                      keys.begin()) +
             1];
  }
  for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
  std::vector<std::pair<std::uint64_t, std::uint32_t>> byShape(shapes.size());
  for (const auto& entry : shapes) {
    const auto k = static_cast<std::size_t>(
        std::lower_bound(keys.begin(), keys.end(), entry.first) - keys.begin());
    byShape[starts[k]++] = entry;
  }
  Reorder(byShape);
  if (inOrder()) return;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> order(Size());
  for (std::size_t i = 0; i < Size(); ++i) order[i] = {0, static_cast<std::uint32_t>(i)};
  std::sort(order.begin(), order.end(), [this](const auto& a, const auto& b) {
    return CompareNetworks(Code(a.second), Code(b.second)) < 0;
  });
  Reorder(order);
}

void SubNetworkList::Reorder(std::span<const std::pair<std::uint64_t, std::uint32_t>> order) {
  SubNetworkList sorted;
  sorted.m_tokens.reserve(m_tokens.size());
  sorted.m_starts.reserve(m_starts.size());
  sorted.m_totals.reserve(m_totals.size());
  for (const auto& [key, i] : order) sorted.Add(Code(i), Total(i));
  *this = std::move(sorted);
}

}  // namespace ordavin
