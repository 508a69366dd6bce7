#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "values/SeriesFinding.h"

namespace ordavin {

// What a series file gives when the program loads it, and everything in it that the
// program's silent reading would drop or misread.
struct SeriesCheckReport {
  // At most this many findings are kept; the rest are only counted.
  static constexpr std::size_t kFindingLimit = 1000;

  bool loaded = false;                  // the file was read to its end
  std::uint32_t valueCount = 0;         // the values it gives, as the program generates them
  std::vector<SeriesFinding> findings;  // by line and column; whole-file findings last
  std::size_t omitted = 0;              // findings beyond the limit

  bool Clean() const { return loaded && findings.empty() && omitted == 0; }
};

// Loads the file as the program does, with the same reader, and reports on it.
SeriesCheckReport CheckSeriesFile(const std::filesystem::path& path);

}  // namespace ordavin
