#pragma once

#include <atomic>
#include <cstdint>

namespace ordavin {

// Work done by one worker, added to a shared counter every `batch` calls rather than on each,
// so that another thread can watch the counter move without the workers contending for it.
class ProgressTally {
 public:
  ProgressTally(std::atomic<std::uint64_t>& shared, std::uint32_t batch)
      : m_shared(shared), m_batch(batch == 0 ? 1 : batch) {}
  ~ProgressTally() { Flush(); }
  ProgressTally(const ProgressTally&) = delete;
  ProgressTally& operator=(const ProgressTally&) = delete;

  void Add(std::uint64_t units) {
    m_pending += units;
    if (++m_calls >= m_batch) Flush();
  }
  void Flush() {
    if (m_pending != 0) m_shared.fetch_add(m_pending, std::memory_order_relaxed);
    m_pending = 0;
    m_calls = 0;
  }

 private:
  std::atomic<std::uint64_t>& m_shared;
  std::uint32_t m_batch;
  std::uint32_t m_calls = 0;
  std::uint64_t m_pending = 0;
};

}  // namespace ordavin
