#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace ordavin::testing {

// A written file's path that also reads as the text a test passes as an argument: UTF-8,
// as the programs take it. (On Windows a path by itself converts only to a wide string.)
class WrittenFile : public std::filesystem::path {
 public:
  explicit WrittenFile(std::filesystem::path file) : std::filesystem::path(std::move(file)) {}
  operator std::string() const {
    const std::u8string text = u8string();
    return std::string(text.begin(), text.end());
  }
};

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::random_device device;
    const auto base = std::filesystem::temp_directory_path();
    do {
      m_path = base / ("ordavin-test-" + std::to_string(device()));
    } while (!std::filesystem::create_directory(m_path));
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }

  // Writes the bytes as they are (no newline translation) and returns the file's path.
  WrittenFile Write(const std::string& name, std::string_view content) const {
    const auto file = m_path / name;
    std::ofstream out(file, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return WrittenFile(file);
  }

 private:
  std::filesystem::path m_path;
};

}  // namespace ordavin::testing
