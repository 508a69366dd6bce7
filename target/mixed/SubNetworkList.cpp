#include "target/mixed/SubNetworkList.h"

#include <algorithm>
#include <numeric>

#include "target/mixed/CanonicalOrder.h"

namespace ordavin {

void SubNetworkList::SortCanonically() {
  // The lists are mostly built in canonical order already.
  bool inOrder = true;
  for (std::size_t i = 1; i < Size() && inOrder; ++i) {
    inOrder = CompareNetworks(Code(i - 1), Code(i)) <= 0;
  }
  if (inOrder) return;
  std::vector<std::size_t> order(Size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [this](std::size_t a, std::size_t b) { return CompareNetworks(Code(a), Code(b)) < 0; });
  SubNetworkList sorted;
  sorted.m_tokens.reserve(m_tokens.size());
  sorted.m_starts.reserve(m_starts.size());
  sorted.m_totals.reserve(m_totals.size());
  for (const std::size_t i : order) sorted.Add(Code(i), Total(i));
  *this = std::move(sorted);
}

}  // namespace ordavin
