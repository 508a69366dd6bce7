#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "search/BackgroundRelease.h"

namespace ordavin {
namespace {

// Only whole pages go: the bytes that share a page with the region's ends stay as they were,
// and the memory stays usable.
TEST(BackgroundRelease, DroppingPagesKeepsTheBytesOfPartPagesAtBothEnds) {
  constexpr std::size_t kPage = 4096;
  constexpr std::size_t kSize = 64 * kPage;
  std::vector<std::byte> buffer(kSize, std::byte{0xAB});
  // The last two lie within one page, or span a boundary without holding a whole page.
  const std::size_t lengths[] = {kSize - 6, kSize - kPage / 2 - 5, kSize - kPage - 12, 50, kPage};
  const std::size_t froms[] = {1, kPage / 2, kPage + 7, 100, kPage / 2};
  for (int c = 0; c < 5; ++c) {
    const std::size_t from = froms[c];
    const std::size_t length = lengths[c];
    std::fill(buffer.begin(), buffer.end(), std::byte{0xAB});
    DropPages(std::span(buffer).subspan(from, length));
    // Up to the first page boundary at or after `from`, and from the last one before the end.
    const auto base = reinterpret_cast<std::uintptr_t>(buffer.data());
    for (std::size_t i = 0; i < kSize; ++i) {
      const std::uintptr_t at = base + i;
      const bool inWholePage = at >= (base + from + kPage - 1) / kPage * kPage &&
                               at < (base + from + length) / kPage * kPage;
      if (!inWholePage) {
        ASSERT_EQ(buffer[i], std::byte{0xAB}) << "byte " << i << ", region from " << from;
      }
    }
    std::fill(buffer.begin(), buffer.end(), std::byte{0x5C});
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(),
                            [](std::byte b) { return b == std::byte{0x5C}; }));
  }
}

struct Flagged {
  explicit Flagged(std::shared_ptr<std::atomic<int>> count) : freed(std::move(count)) {}
  Flagged(Flagged&& other) noexcept = default;
  ~Flagged() {
    if (freed) freed->fetch_add(1);
  }
  std::shared_ptr<std::atomic<int>> freed;
};

TEST(BackgroundRelease, SmallBuffersAreFreedAtOnceLargeOnesSoonAfter) {
  auto freed = std::make_shared<std::atomic<int>>(0);
  std::vector<std::byte> small(1000);
  ReleaseInBackground(Flagged(freed), {std::span(small)});
  EXPECT_EQ(freed->load(), 1);

  std::vector<std::byte> large(kBackgroundReleaseBytes);
  ReleaseInBackground(Flagged(freed), {std::span(large).first(kBackgroundReleaseBytes / 2),
                                       std::span(large).last(kBackgroundReleaseBytes / 2)});
  for (int i = 0; i < 500 && freed->load() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(freed->load(), 2);
}

}  // namespace
}  // namespace ordavin
