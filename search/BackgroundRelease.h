#pragma once

#include <cstddef>
#include <span>
#include <thread>
#include <utility>
#include <vector>

namespace ordavin {

// Handing a large buffer back to the system takes a while (some 0.15 s a GiB on a virtual
// machine), and whoever waits for a search, an abort above all, should not wait for that too.
// Buffers of kBackgroundReleaseBytes or more are freed on a thread of their own, their pages
// given back a few at a time first: one large unmapping would hold the process's address
// space, and with it every other allocation, until it is done.
inline constexpr std::size_t kBackgroundReleaseBytes = std::size_t{64} << 20;

// Gives the pages wholly inside `region` back to the system; its contents are lost, the
// memory stays allocated. Does nothing where the system has no such call.
void DropPages(std::span<std::byte> region);

// `owner` frees `regions` (and anything else it holds) when destroyed.
template <class Owner>
void ReleaseInBackground(Owner owner, std::vector<std::span<std::byte>> regions) {
  std::size_t bytes = 0;
  for (const std::span<std::byte> region : regions) bytes += region.size();
  if (bytes < kBackgroundReleaseBytes) return;
  try {
    std::thread([released = std::move(owner), dropped = std::move(regions)]() mutable {
      for (const std::span<std::byte> region : dropped) DropPages(region);
      Owner{std::move(released)};
    }).detach();
  } catch (...) {
    // No thread (std::system_error, or std::bad_alloc for its state): the owner went with
    // the thread's arguments and is already freed. Callers are destructors: nothing escapes.
  }
}

}  // namespace ordavin
