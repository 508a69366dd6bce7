#include "cli/InterruptScope.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <csignal>
#endif

namespace ordavin::cli {
namespace {

std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#ifdef _WIN32
// Runs on a thread of its own. FALSE passes the event on, to the default handler that ends
// the program: what the second Ctrl-C should do.
BOOL WINAPI RequestAbort(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  return g_requested.exchange(true) ? FALSE : TRUE;
}
#else
// SA_RESETHAND puts the default action back once this has run.
extern "C" void RequestAbort(int) { g_requested.store(true, std::memory_order_relaxed); }

struct sigaction g_previous {};
#endif

}  // namespace

std::atomic<bool>& InterruptScope::Requested() { return g_requested; }

#ifdef _WIN32
InterruptScope::InterruptScope() {
  g_requested.store(false);
  m_installed = SetConsoleCtrlHandler(RequestAbort, TRUE) != 0;
}

InterruptScope::~InterruptScope() {
  if (m_installed) SetConsoleCtrlHandler(RequestAbort, FALSE);
}
#else
InterruptScope::InterruptScope() {
  g_requested.store(false);
  struct sigaction action {};
  action.sa_handler = RequestAbort;
  sigemptyset(&action.sa_mask);
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  m_installed = sigaction(SIGINT, &action, &g_previous) == 0;
}

InterruptScope::~InterruptScope() {
  if (m_installed) sigaction(SIGINT, &g_previous, nullptr);
}
#endif

}  // namespace ordavin::cli
