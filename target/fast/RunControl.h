#pragma once

#include <atomic>
#include <cstdint>

namespace ordavin::fast_target {

// What the workers of one run share: the caller's abort request, their common decision to
// stop, and the units of work done so far (to act as if aborted after stopAfterUnits of them,
// for tests of the abort path; 0: never).
class RunControl {
 public:
  RunControl(const std::atomic<bool>& abortRequested, std::uint64_t stopAfterUnits,
             bool recordUnits)
      : m_abortRequested(abortRequested), m_stopAfter(stopAfterUnits), m_record(recordUnits) {}
  RunControl(const RunControl&) = delete;
  RunControl& operator=(const RunControl&) = delete;

  bool Stop() {
    if (m_abortRequested.load(std::memory_order_relaxed)) {
      m_stopped.store(true, std::memory_order_relaxed);
    }
    return m_stopped.load(std::memory_order_relaxed);
  }
  void UnitDone() {
    if (m_stopAfter != 0 &&
        m_unitsDone.fetch_add(1, std::memory_order_relaxed) + 1 >= m_stopAfter) {
      m_stopped.store(true, std::memory_order_relaxed);
    }
  }
  // Whether each unit of work is kept.
  bool RecordUnits() const { return m_record; }

 private:
  const std::atomic<bool>& m_abortRequested;
  std::atomic<bool> m_stopped{false};
  std::atomic<std::uint64_t> m_unitsDone{0};
  std::uint64_t m_stopAfter;
  bool m_record;
};

}  // namespace ordavin::fast_target
