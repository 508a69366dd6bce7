#include "search/MemoryBudget.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace ordavin {

#ifdef _WIN32
std::uint64_t PhysicalMemoryBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (GlobalMemoryStatusEx(&status) == 0) return 0;
  return status.ullTotalPhys;
}
#else
std::uint64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return SaturatingMultiply(static_cast<std::uint64_t>(pages),
                            static_cast<std::uint64_t>(pageSize));
}
#endif

std::uint64_t DefaultMemoryLimit() {
  const std::uint64_t physical = PhysicalMemoryBytes();
  return physical == 0 ? (std::uint64_t{1} << 30) : physical / 2;
}

}  // namespace ordavin
