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
#include "values/SeriesReadObserver.h"

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
// Each token comes with its offset in the text.
template <typename Visit>
void ForEachToken(std::string_view text, Visit visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    visit(text.substr(start, end - start), start);
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
                                std::to_string(limit / (std::size_t{1024} * 1024)) + " MiB.",
                            SeriesFileError::Cause::LongLine);
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

  // As UTF-8 on every system: the narrow name on Windows would be in the ANSI code page.
  const std::u8string name = path.filename().u8string();
  m_fileName.assign(name.begin(), name.end());
  m_section = SeriesSection::None;
  const std::string& fileName = m_fileName;
  try {
    std::string line;
    std::vector<char> chunk(std::size_t{64} * 1024);
    std::size_t lineNumber = 0;
    while (ReadLine(file, chunk, line, kLineLengthLimit, fileName)) {
      if (m_observer) m_observer->OnLine(++lineNumber, line);
      HandleLine(line);
    }
  } catch (const std::bad_alloc&) {
    // The line buffer is gone by now, so the message itself finds room.
    throw SeriesFileError("Could not read " + fileName + ": not enough memory.",
                          SeriesFileError::Cause::Memory);
  }
  if (file.bad()) {
    throw SeriesFileError("Could not read " + fileName + ": the file could not be read to its end.",
                          SeriesFileError::Cause::Read);
  }
  return true;
}

void SeriesReader::HandleLine(std::string_view line) {
  const std::string_view text = Trim(line);
  // A blank line reads nothing in any section.
  if (text.empty() || text.front() == ';') return;
  for (const SeriesKeyword& keyword : kSeriesKeywords) {
    if (text == keyword.text) {
      m_section = keyword.section;
      return;
    }
  }
  const auto offset = static_cast<std::size_t>(text.data() - line.data());
  if (m_observer) m_observer->OnContent(m_section, text, offset);
  switch (m_section) {
    case SeriesSection::None:
      break;
    case SeriesSection::BaseValues:
    case SeriesSection::Decades:
      ReadTokens(text, offset);
      break;
    case SeriesSection::Minimum:
    case SeriesSection::Maximum:
      ReadBound(text, offset);
      break;
  }
}

void SeriesReader::ReadTokens(std::string_view text, std::size_t offset) {
  ForEachToken(text, [&](std::string_view token, std::size_t start) {
    const NumberPrefix number = ReadNumberPrefix(token);
    if (m_observer) m_observer->OnNumberText(m_section, token, offset + start, number);
    if (!number.found()) return;
    if (m_section == SeriesSection::BaseValues) {
      StoreBaseValue(number.value);
    } else {
      StoreDecade(number.value);
    }
  });
}

void SeriesReader::ReadBound(std::string_view text, std::size_t offset) {
  // The whole line is read once: only its first number counts.
  const NumberPrefix number = ReadNumberPrefix(text);
  if (m_observer) m_observer->OnNumberText(m_section, text, offset, number);
  if (!number.found()) return;
  (m_section == SeriesSection::Minimum ? m_series.minimum : m_series.maximum) = number.value;
}

void SeriesReader::StoreBaseValue(double value) {
  if (m_series.baseValueCount >= SeriesDefinition::kBaseValueCapacity) {
    throw SeriesFileError("Too many base values in " + m_fileName + " (more than " +
                              std::to_string(SeriesDefinition::kBaseValueCapacity) + ").",
                          SeriesFileError::Cause::Capacity);
  }
  m_series.baseValueSlots[m_series.baseValueCount++] = value;
}

void SeriesReader::StoreDecade(double value) {
  if (m_series.decadeCount >= SeriesDefinition::kDecadeCapacity) {
    throw SeriesFileError("Too many decade exponents in " + m_fileName + " (more than " +
                              std::to_string(SeriesDefinition::kDecadeCapacity) + ").",
                          SeriesFileError::Cause::Capacity);
  }
  m_series.decadeSlots[m_series.decadeCount++] = value;
}

}  // namespace ordavin
