// RunCli on Windows: CreateProcessW with pipes, each read by a thread of its own so that
// neither can fill up and stall the program; Ctrl-C is sent as a console break event to the
// program's own process group.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "CliProcess.h"

namespace ordavin::cli::testing {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return wide;
}

// One argument quoted so that CommandLineToArgvW, and so the program, reads it back as it
// is: backslashes count only before a quote.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : m_handle(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return m_handle; }
  HANDLE* Out() { return &m_handle; }
  void Close() {
    if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = nullptr;
  }

 private:
  HANDLE m_handle;
};

void Drain(HANDLE pipe, std::string& into) {
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) != 0 && n > 0) into.append(buffer, n);
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments,
                 std::optional<std::chrono::milliseconds> interruptAfter,
                 std::chrono::milliseconds safetyLimit) {
  std::wstring commandLine = Quoted(Wide(ORDAVIN_CLI_PATH));
  for (const std::string& argument : arguments) commandLine += L" " + Quoted(Wide(argument));
  // Windows' limit: a longer line would be cut short instead of refused.
  if (commandLine.size() >= 32767) throw std::length_error("command line too long for Windows");

  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Handle outRead;
  Handle outWrite;
  Handle errRead;
  Handle errWrite;
  if (CreatePipe(outRead.Out(), outWrite.Out(), &inherited, 0) == 0 ||
      CreatePipe(errRead.Out(), errWrite.Out(), &inherited, 0) == 0) {
    throw std::runtime_error("CreatePipe failed");
  }
  SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead.Get(), HANDLE_FLAG_INHERIT, 0);
  Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           OPEN_EXISTING, 0, nullptr));

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.Get();
  startup.hStdOutput = outWrite.Get();
  startup.hStdError = errWrite.Get();
  PROCESS_INFORMATION process{};
  // Under Wine a start now and then fails for a moment while other tests start theirs.
  bool started = false;
  DWORD failure = 0;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                             CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &process) != 0;
    if (!started) failure = GetLastError();
  }
  if (!started) {
    throw std::runtime_error("CreateProcessW failed: error " + std::to_string(failure));
  }
  Handle processHandle(process.hProcess);
  Handle threadHandle(process.hThread);
  // Only the program holds the writing ends now, so the reads end when it does.
  outWrite.Close();
  errWrite.Close();
  input.Close();

  CliResult result;
  std::thread outReader(Drain, outRead.Get(), std::ref(result.out));
  std::thread errReader(Drain, errRead.Get(), std::ref(result.err));
  auto left = safetyLimit;
  if (interruptAfter && *interruptAfter < safetyLimit) {
    const DWORD wait = static_cast<DWORD>(interruptAfter->count());
    if (WaitForSingleObject(processHandle.Get(), wait) == WAIT_TIMEOUT) {
      GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, process.dwProcessId);
    }
    left -= *interruptAfter;
  }
  if (WaitForSingleObject(processHandle.Get(), static_cast<DWORD>(left.count())) == WAIT_TIMEOUT) {
    TerminateProcess(processHandle.Get(), 1);
    WaitForSingleObject(processHandle.Get(), INFINITE);
    result.timedOut = true;
  }
  outReader.join();
  errReader.join();

  DWORD code = 0;
  GetExitCodeProcess(processHandle.Get(), &code);
  // Exception and Ctrl-C codes (0xC0000000 and up) stand for the signals of POSIX.
  if (!result.timedOut && code < 0xC0000000u) {
    result.exitCode = static_cast<int>(code);
  } else if (!result.timedOut) {
    result.signal = static_cast<int>(code & 0x7FFFFFFFu);
  }
  return result;
}

}  // namespace ordavin::cli::testing
