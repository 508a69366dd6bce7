#include "cli/SystemText.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <climits>
#include <memory>
#endif

namespace ordavin::cli {

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

struct LocalFreeDeleter {
  void operator()(wchar_t** p) const { LocalFree(p); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<wchar_t*[], LocalFreeDeleter> wide(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  if (!wide) {
    // Without the wide command line the ANSI one is still better than nothing.
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return arguments;
  }
  for (std::size_t i = 1; i < static_cast<std::size_t>(count); ++i) {
    arguments.push_back(Utf8FromWide(wide[i]));
  }
  return arguments;
}

std::filesystem::path PathFromText(const std::string& text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return std::filesystem::path(text);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return std::filesystem::path(wide);
}
#else
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

std::filesystem::path PathFromText(const std::string& text) { return text; }
#endif

}  // namespace ordavin::cli
