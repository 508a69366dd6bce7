#include "values/SeriesReader.h"

#include <cerrno>
#include <fstream>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "values/NumberText.h"

namespace ordavin {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view line) {
  const std::size_t first = line.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = line.find_last_not_of(kWhiteSpace);
  return line.substr(first, last - first + 1);
}

// Tokens are separated by runs of the space character only; a tab stays inside a token.
template <typename Store>
void ForEachNumberToken(std::string_view line, Store store) {
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t start = line.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    const NumberPrefix number = ReadNumberPrefix(line.substr(start, end - start));
    if (number.found()) store(number.value);
    pos = end;
  }
}

// Reads the next line without its '\n'; false at the end of the file or on a read error.
// A line longer than the limit ends the load: a file without line breaks (a disk image
// renamed, say) must not take the machine's memory.
bool ReadLine(std::istream& in, std::vector<char>& chunk, std::string& line, std::size_t limit,
              const std::string& fileName) {
  line.clear();
  bool any = false;
  while (true) {
    in.getline(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (in.bad()) return false;
    auto count = static_cast<std::size_t>(in.gcount());
    any = any || count > 0;
    // A line break that was read is counted but is not part of the line.
    const bool lineBreak = !in.fail() && !in.eof();
    if (lineBreak) --count;
    line.append(chunk.data(), count);
    if (line.size() > limit) {
      throw SeriesFileError("Could not read " + fileName + ": a line is longer than " +
                            std::to_string(limit / (std::size_t{1024} * 1024)) + " MiB.");
    }
    if (lineBreak) return true;
    if (in.eof()) return any;
    // The chunk filled up before the line ended.
    in.clear();
  }
}

}  // namespace

bool SeriesReader::Read(const std::filesystem::path& path, std::string* failureReason) {
  m_series.baseValueCount = 0;
  m_series.decadeCount = 0;
  // A series never inherits the bounds of the one loaded before it.
  m_series.minimum = SeriesDefinition::kInitialMinimum;
  m_series.maximum = SeriesDefinition::kInitialMaximum;

  const auto fail = [failureReason](std::string reason) {
    if (failureReason) *failureReason = std::move(reason);
    return false;
  };
  // Only a regular file: a FIFO would block the open, a directory has no lines.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) return fail(error.message());
  if (std::filesystem::is_directory(status)) {
    return fail(std::make_error_code(std::errc::is_a_directory).message());
  }
  if (!std::filesystem::is_regular_file(status)) return fail("Not a regular file");
  errno = 0;
  std::ifstream file(path, std::ios::in | std::ios::binary);
  if (!file.is_open()) {
    const int cause = errno != 0 ? errno : EIO;
    return fail(std::generic_category().message(cause));
  }

  m_fileName = path.filename().string();
  m_section = Section::None;
  const std::string& fileName = m_fileName;
  try {
    std::string line;
    std::vector<char> chunk(std::size_t{64} * 1024);
    while (ReadLine(file, chunk, line, kLineLengthLimit, fileName)) HandleLine(line);
  } catch (const std::bad_alloc&) {
    // The line buffer is gone by now, so the message itself finds room.
    throw SeriesFileError("Could not read " + fileName + ": not enough memory.");
  }
  if (file.bad()) {
    throw SeriesFileError("Could not read " + fileName +
                          ": the file could not be read to its end.");
  }
  return true;
}

void SeriesReader::HandleLine(std::string_view line) {
  Section& section = m_section;
  const std::string_view text = Trim(line);
  if (!text.empty() && text.front() == ';') return;
  if (text == "baseval") {
    section = Section::BaseValues;
  } else if (text == "decades") {
    section = Section::Decades;
  } else if (text == "minimum") {
    section = Section::Minimum;
  } else if (text == "maximum") {
    section = Section::Maximum;
  } else {
    switch (section) {
      case Section::None:
        break;
      case Section::BaseValues:
        ForEachNumberToken(text, [&](double v) { StoreBaseValue(v); });
        break;
      case Section::Decades:
        ForEachNumberToken(text, [&](double v) { StoreDecade(v); });
        break;
      case Section::Minimum:
      case Section::Maximum: {
        const NumberPrefix number = ReadNumberPrefix(text);
        if (number.found())
          (section == Section::Minimum ? m_series.minimum : m_series.maximum) = number.value;
        break;
      }
    }
  }
}

void SeriesReader::StoreBaseValue(double value) {
  if (m_series.baseValueCount >= SeriesDefinition::kBaseValueCapacity) {
    throw SeriesFileError("Too many base values in " + m_fileName + " (more than " +
                          std::to_string(SeriesDefinition::kBaseValueCapacity) + ").");
  }
  m_series.baseValueSlots[m_series.baseValueCount++] = value;
}

void SeriesReader::StoreDecade(double value) {
  if (m_series.decadeCount >= SeriesDefinition::kDecadeCapacity) {
    throw SeriesFileError("Too many decade exponents in " + m_fileName + " (more than " +
                          std::to_string(SeriesDefinition::kDecadeCapacity) + ").");
  }
  m_series.decadeSlots[m_series.decadeCount++] = value;
}

}  // namespace ordavin
