#pragma once

#include <atomic>
#include <cstdint>

namespace ordavin {

// Hands out the blocks 0, 1, 2, ... of a job to whichever worker asks first.
class BlockQueue {
 public:
  explicit BlockQueue(std::uint64_t blockCount) : m_count(blockCount) {}
  BlockQueue(const BlockQueue&) = delete;
  BlockQueue& operator=(const BlockQueue&) = delete;

  // False once every block has been handed out.
  bool Take(std::uint64_t& block) {
    if (m_next.load(std::memory_order_relaxed) >= m_count) return false;
    block = m_next.fetch_add(1, std::memory_order_relaxed);
    return block < m_count;
  }

 private:
  std::atomic<std::uint64_t> m_next{0};
  std::uint64_t m_count;
};

}  // namespace ordavin
