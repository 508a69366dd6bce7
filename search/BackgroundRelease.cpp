#include "search/BackgroundRelease.h"

#include <cstdint>

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace ordavin {

#ifdef _WIN32
void DropPages(std::span<std::byte>) {}
#else
void DropPages(std::span<std::byte> region) {
  // A few MiB per call: each holds the address space only briefly.
  constexpr std::uintptr_t kChunk = std::uintptr_t{8} << 20;
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pageSize <= 0) return;
  const auto page = static_cast<std::uintptr_t>(pageSize);
  // The region's first and last page boundaries, as offsets into it.
  const auto begin = reinterpret_cast<std::uintptr_t>(region.data());
  const std::uintptr_t firstBoundary = (begin + page - 1) / page * page;
  const std::uintptr_t lastBoundary = (begin + region.size()) / page * page;
  if (lastBoundary <= firstBoundary) return;
  const std::uintptr_t first = firstBoundary - begin;
  const std::uintptr_t end = lastBoundary - begin;
  for (std::uintptr_t at = first; at < end; at += kChunk) {
    const std::uintptr_t size = end - at < kChunk ? end - at : kChunk;
    madvise(region.data() + at, size, MADV_DONTNEED);
  }
}
#endif

}  // namespace ordavin
