#include "run/SearchThread.h"

#include <chrono>
#include <exception>
#include <new>
#include <system_error>

#include "texts/Messages.h"

namespace ordavin {

SearchThread::~SearchThread() { Join(); }

bool SearchThread::Start(Search search, const std::atomic<bool>& abortRequested,
                         Completion onFinished) {
  if (m_thread.joinable()) return false;
  m_failure.clear();
  try {
    m_thread = std::thread(
        [this, search = std::move(search), &abortRequested, onFinished = std::move(onFinished)] {
          const auto start = std::chrono::steady_clock::now();
          try {
            search(abortRequested);
          } catch (const std::bad_alloc&) {
            m_failure = kOutOfMemoryMessage;
          } catch (const std::exception& e) {
            m_failure = e.what();
          }
          const auto end = std::chrono::steady_clock::now();
          m_duration = std::chrono::duration<double>(end - start).count();
          if (onFinished) onFinished(m_duration);
        });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void SearchThread::Join() {
  if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

}  // namespace ordavin
