#include "search/MemoryBudget.h"

#include <unistd.h>

namespace ordavin {

std::uint64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return SaturatingMultiply(static_cast<std::uint64_t>(pages),
                            static_cast<std::uint64_t>(pageSize));
}

std::uint64_t DefaultMemoryLimit() {
  const std::uint64_t physical = PhysicalMemoryBytes();
  return physical == 0 ? (std::uint64_t{1} << 30) : physical / 2;
}

}  // namespace ordavin
