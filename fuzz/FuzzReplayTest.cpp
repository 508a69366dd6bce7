// Replays the kept fuzz inputs (the minimised corpora and every input that once failed)
// through the fuzz targets' bodies: no fuzzing here, only the regression cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace ordavin::fuzz {
namespace {

using Target = void (*)(const std::uint8_t*, std::size_t);

std::vector<std::filesystem::path> Inputs(const char* target) {
  std::vector<std::filesystem::path> files;
  const auto folder = std::filesystem::path(ORDAVIN_FUZZ_CASES_DIR) / target;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void Replay(const char* target, Target body) {
  const std::vector<std::filesystem::path> files = Inputs(target);
  ASSERT_FALSE(files.empty()) << "no inputs kept for " << target;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
      body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const FuzzCheckFailure& failure) {
      ADD_FAILURE() << file.filename() << ": " << failure.what();
    }
  }
}

TEST(FuzzReplayTest, SeriesFile) { Replay("series_file", FuzzSeriesFile); }
TEST(FuzzReplayTest, NumberText) { Replay("number_text", FuzzNumberText); }
TEST(FuzzReplayTest, FieldNumbers) { Replay("field_numbers", FuzzFieldNumbers); }
#ifdef ORDAVIN_FUZZ_CLI
TEST(FuzzReplayTest, CliArguments) { Replay("cli_arguments", FuzzCliArguments); }
#endif

}  // namespace
}  // namespace ordavin::fuzz
