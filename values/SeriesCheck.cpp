#include "values/SeriesCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "values/NumberText.h"
#include "values/PowerOfTen.h"
#include "values/SeriesDefinition.h"
#include "values/SeriesReadObserver.h"
#include "values/SeriesReader.h"
#include "values/SeriesSection.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kShownTextLimit = 60;
// A word this close to a keyword (case aside) is taken for a misspelt one.
constexpr std::size_t kKeywordEdits = 2;
constexpr std::size_t kLongestKeyword = 7;

struct Position {
  std::size_t line = 0;
  std::size_t column = 0;
  bool operator<(const Position& other) const {
    return line != other.line ? line < other.line : column < other.column;
  }
};

// The text, cut before the UTF-8 sequence that would straddle the limit.
std::string Shown(std::string_view text) {
  if (text.size() <= kShownTextLimit) return std::string(text);
  std::size_t cut = kShownTextLimit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// White space as numbers are read: it may stand before a number and after it.
constexpr std::string_view kBlanks = " \t\n\v\f\r";

bool IsBlank(char c) { return kBlanks.find(c) != std::string_view::npos; }

// Edits (insertions, deletions, substitutions, swaps of neighbours) from a to b; both short.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  constexpr std::size_t kLongest = kLongestKeyword + kKeywordEdits + 1;
  std::array<std::array<std::size_t, kLongest + 1>, kLongest + 1> d{};
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The keyword a content line seems meant to be: the line, or its first word when more
// follows, within a few edits of a keyword in any case.
std::optional<std::string_view> KeywordMeant(std::string_view line) {
  const std::string_view word = line.substr(0, line.find_first_of(" \t"));
  if (word.empty() || word.size() > kLongestKeyword + kKeywordEdits) return std::nullopt;
  const std::string lower = AsciiLower(word);
  std::optional<std::string_view> meant;
  std::size_t closest = kKeywordEdits + 1;
  for (const SeriesKeyword& keyword : kSeriesKeywords) {
    const std::size_t distance = EditDistance(lower, keyword.text);
    if (distance < closest) {
      closest = distance;
      meant = keyword.text;
    }
  }
  return meant;
}

// Collects the findings while the program's reader reads the file.
class FindingCollector : public SeriesReadObserver {
 public:
  explicit FindingCollector(SeriesCheckReport& report) : m_report(report) {}

  void OnLine(std::size_t number, std::string_view /*line*/) override {
    m_line = number;
    m_lineHasKeyword = false;
  }

  void OnContent(SeriesSection section, std::string_view text, std::size_t offset) override {
    std::string_view rest = text;
    const bool byteOrderMark = m_line == 1 && offset == 0 && text.starts_with(kByteOrderMark);
    if (byteOrderMark) {
      rest.remove_prefix(kByteOrderMark.size());
      while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    }
    const std::size_t restColumn = offset + (text.size() - rest.size()) + 1;
    const std::optional<std::string_view> keyword = KeywordMeant(rest);
    if (byteOrderMark) {
      SeriesFinding finding = At({1, 1}, SeriesFindingKind::ByteOrderMark, section);
      finding.text = Shown(rest);
      if (keyword && rest == *keyword) finding.detail = *keyword;
      Add(std::move(finding));
    }
    if (keyword && rest != *keyword) {
      SeriesFinding finding = At({m_line, restColumn}, SeriesFindingKind::Keyword, section);
      finding.text = Shown(rest);
      finding.detail = *keyword;
      Add(std::move(finding));
    }
    m_lineHasKeyword = keyword.has_value();
    // A byte-order mark turns a first-line comment into content; its own finding says so.
    const bool comment = byteOrderMark && rest.starts_with(';');
    if (section == SeriesSection::None && !keyword && !comment && !rest.empty()) {
      SeriesFinding finding = At({m_line, restColumn}, SeriesFindingKind::IgnoredLine, section);
      finding.text = Shown(rest);
      Add(std::move(finding));
    }
  }

  void OnNumberText(SeriesSection section, std::string_view text, std::size_t offset,
                    const NumberPrefix& number) override {
    const Position position{m_line, offset + 1};
    m_lastNumber = position;
    if (!number.found()) {
      // A keyword-like line has its finding already; white space alone loses nothing.
      if (m_lineHasKeyword || text.find_first_not_of(kBlanks) == std::string_view::npos) return;
      SeriesFinding finding = At(position, SeriesFindingKind::SkippedToken, section);
      finding.text = Shown(text);
      Add(std::move(finding));
      return;
    }
    if (!ReadWholeNumber(text)) NoteRest(section, text, position, number);
    std::string_view written = text.substr(0, number.length);
    written.remove_prefix(std::min(written.find_first_not_of(kBlanks), written.size()));
    NoteValue(section, written, position, number.value);
    if (section == SeriesSection::Minimum) m_minimumAt = position;
    if (section == SeriesSection::Maximum) m_maximumAt = position;
  }

  // A finding of the read, while there is room for it.
  void Add(SeriesFinding finding) {
    if (m_report.findings.size() < SeriesCheckReport::kFindingLimit) {
      m_report.findings.push_back(std::move(finding));
    } else {
      ++m_report.omitted;
    }
  }

  // Where the error that stopped the load belongs.
  Position PlaceOf(const SeriesFileError& error) const {
    switch (error.cause()) {
      case SeriesFileError::Cause::Capacity:
        return m_lastNumber;
      case SeriesFileError::Cause::LongLine:
        return {m_line + 1, SeriesReader::kLineLengthLimit + 1};
      case SeriesFileError::Cause::Memory:
      case SeriesFileError::Cause::Read:
        break;
    }
    return {};
  }

  // The later of the two bound lines: where a minimum above the maximum becomes so.
  Position LaterBound() const { return std::max(m_minimumAt, m_maximumAt); }

 private:
  SeriesFinding At(Position position, SeriesFindingKind kind, SeriesSection section) const {
    SeriesFinding finding;
    finding.line = position.line;
    finding.column = position.column;
    finding.kind = kind;
    finding.section = section;
    return finding;
  }

  // A number read from the start of the text only.
  void NoteRest(SeriesSection section, std::string_view text, Position position,
                const NumberPrefix& number) {
    const std::string_view rest = text.substr(number.length);
    const std::size_t gap = rest.find_first_not_of(kBlanks);
    const bool joinedByTab = gap != std::string_view::npos &&
                             rest.substr(0, gap).find('\t') != std::string_view::npos &&
                             ReadNumberPrefix(rest).found();
    SeriesFinding finding =
        At(position, joinedByTab ? SeriesFindingKind::TabJoined : SeriesFindingKind::PartlyRead,
           section);
    finding.text = Shown(text);
    finding.detail = Shown(rest);
    finding.value = number.value;
    Add(std::move(finding));
  }

  // A number that gives no meaningful values where it stands.
  void NoteValue(SeriesSection section, std::string_view text, Position position, double value) {
    std::optional<SeriesFindingKind> kind;
    if (!std::isfinite(value)) {
      kind = SeriesFindingKind::NotFinite;
    } else if (section == SeriesSection::Decades) {
      const double power = PowerOfTen(value);
      if (!std::isfinite(power) || power == 0) kind = SeriesFindingKind::ExponentOutOfRange;
    } else if (value == 0 && section == SeriesSection::BaseValues) {
      kind = SeriesFindingKind::ZeroValue;
    } else if (value < 0) {
      kind = SeriesFindingKind::NegativeValue;
    }
    if (!kind) return;
    SeriesFinding finding = At(position, *kind, section);
    finding.text = Shown(text);
    finding.value = value;
    Add(std::move(finding));
  }

  SeriesCheckReport& m_report;
  std::size_t m_line = 0;
  bool m_lineHasKeyword = false;
  Position m_lastNumber;
  Position m_minimumAt;
  Position m_maximumAt;
};

SeriesFinding WholeFile(SeriesFindingKind kind) {
  SeriesFinding finding;
  finding.kind = kind;
  return finding;
}

// Whole-file findings after those placed in the file.
void SortFindings(std::vector<SeriesFinding>& findings) {
  const auto key = [](const SeriesFinding& f) {
    return Position{f.line == 0 ? std::numeric_limits<std::size_t>::max() : f.line, f.column};
  };
  std::stable_sort(findings.begin(), findings.end(),
                   [&](const SeriesFinding& a, const SeriesFinding& b) { return key(a) < key(b); });
}

// What keeps the loaded file from giving values; always reported, whatever came before.
void NoteEmptyResult(const SeriesDefinition& series, std::vector<SeriesFinding>& findings) {
  if (series.baseValueCount == 0) findings.push_back(WholeFile(SeriesFindingKind::NoBaseValues));
  if (series.decadeCount == 0) findings.push_back(WholeFile(SeriesFindingKind::NoDecades));
  if (series.baseValueCount != 0 && series.decadeCount != 0) {
    SeriesFinding finding = WholeFile(SeriesFindingKind::NoValueWithinBounds);
    finding.value = series.minimum;
    finding.maximum = series.maximum;
    findings.push_back(std::move(finding));
  }
}

}  // namespace

SeriesCheckReport CheckSeriesFile(const std::filesystem::path& path) {
  SeriesCheckReport report;
  FindingCollector collector(report);
  ValueSet set;
  try {
    std::string reason;
    if (!set.LoadSeriesFile(path, &reason, &collector)) {
      SeriesFinding finding = WholeFile(SeriesFindingKind::NotLoaded);
      finding.text = std::move(reason);
      report.findings.push_back(std::move(finding));
      return report;
    }
  } catch (const SeriesFileError& error) {
    const Position place = collector.PlaceOf(error);
    SeriesFinding finding = WholeFile(SeriesFindingKind::LoadStopped);
    finding.line = place.line;
    finding.column = place.column;
    finding.text = error.what();
    report.findings.push_back(std::move(finding));
    SortFindings(report.findings);
    return report;
  }
  report.loaded = true;
  report.valueCount = set.GenerateValues();

  const SeriesDefinition& series = set.Series();
  if (series.minimum > series.maximum) {
    const Position place = collector.LaterBound();
    SeriesFinding finding = WholeFile(SeriesFindingKind::MinimumAboveMaximum);
    finding.line = place.line;
    finding.column = place.column;
    finding.value = series.minimum;
    finding.maximum = series.maximum;
    report.findings.push_back(std::move(finding));
  }
  if (report.valueCount == 0) NoteEmptyResult(series, report.findings);
  SortFindings(report.findings);
  return report;
}

}  // namespace ordavin
