#include "man/ManPage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string_view>

namespace ordavin::man {

namespace {

constexpr std::string_view kExitCodes = "Exit codes:";

std::string Trimmed(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of(' ');
  return begin == std::string_view::npos ? std::string{}
                                         : std::string(text.substr(begin, end - begin + 1));
}

// The code point of the UTF-8 sequence at text[i], and its length; a byte that does not
// start a valid sequence stands for itself (Latin-1).
std::pair<std::uint32_t, std::size_t> CodePoint(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = 0;
  std::uint32_t value = 0;
  if ((lead & 0xE0U) == 0xC0U) {
    length = 2;
    value = lead & 0x1FU;
  } else if ((lead & 0xF0U) == 0xE0U) {
    length = 3;
    value = lead & 0x0FU;
  } else if ((lead & 0xF8U) == 0xF0U) {
    length = 4;
    value = lead & 0x07U;
  }
  if (length == 0 || i + length > text.size()) return {lead, 1};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0U) != 0x80U) return {lead, 1};
    value = (value << 6U) | (byte(i + k) & 0x3FU);
  }
  return {value, length};
}

// A paragraph's lines, a new paragraph at each line that starts with a label such as
// "JSON:" or "CSV (--format csv):".
void WriteParagraphs(std::ostream& out, const Paragraph& lines) {
  static const std::regex label(R"(^[A-Z][A-Za-z]*( [a-z]+)*( \([^)]*\))?:( |$))");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 0 || std::regex_search(lines[i], label)) out << ".PP\n";
    out << RoffText(lines[i]) << '\n';
  }
}

std::string Joined(const Paragraph& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

bool IsExitCodes(const Paragraph& paragraph) {
  return !paragraph.empty() && paragraph.front().starts_with(kExitCodes);
}

// "Exit codes: 0 the command ran; 1 ...; 130 ..." as a list of codes.
void WriteExitCodes(std::ostream& out, const Paragraph& paragraph) {
  const std::string text = Trimmed(Joined(paragraph).substr(kExitCodes.size()));
  static const std::regex code(R"((?:^|; )(\d+) )");
  std::vector<std::pair<std::string, std::size_t>> starts;  // the code, where its text starts
  std::vector<std::size_t> ends;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), code); it != std::sregex_iterator();
       ++it) {
    if (!starts.empty()) ends.push_back(static_cast<std::size_t>(it->position()));
    starts.emplace_back((*it)[1].str(), static_cast<std::size_t>(it->position() + it->length()));
  }
  ends.push_back(text.size());
  if (starts.empty()) {
    WriteParagraphs(out, {text});
    return;
  }
  for (std::size_t i = 0; i < starts.size(); ++i) {
    out << ".TP\n\\fB" << starts[i].first << "\\fR\n"
        << RoffText(text.substr(starts[i].second, ends[i] - starts[i].second)) << '\n';
  }
}

void WriteList(std::ostream& out, const HelpList& list) {
  const bool placeholders = list.title == "Positionals";
  for (const HelpItem& item : list.items) {
    const std::size_t space = item.tag.find(' ');
    const std::string head = item.tag.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : item.tag.substr(space);
    out << ".TP\n"
        << (placeholders ? "\\fI" : "\\fB") << RoffText(head) << "\\fR" << RoffText(rest) << '\n'
        << (item.text.empty() ? "\\&" : RoffText(item.text)) << '\n';
  }
}

// "ordavin-cli divider [OPTIONS]" with the command in bold.
void WriteUsage(std::ostream& out, const std::string& command, const std::string& usage) {
  if (usage.starts_with(command)) {
    out << "\\fB" << RoffText(command) << "\\fR" << RoffText(usage.substr(command.size())) << '\n';
  } else {
    out << RoffText(usage) << '\n';
  }
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The first sentence of the description, without its full stop.
std::string Summary(const HelpPage& help) {
  if (help.description.empty()) return {};
  std::string text = Joined(help.description.front());
  if (const std::size_t stop = text.find(". "); stop != std::string::npos) text.resize(stop + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::string RoffText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c == '\'') {
      out += "\\(aq";
    } else if (c == '`') {
      out += "\\(ga";
    } else if (c == '^') {
      out += "\\(ha";
    } else if (c == '~') {
      out += "\\(ti";
    } else if (static_cast<unsigned char>(c) >= 0x80U) {
      const auto [value, length] = CodePoint(text, i);
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\[u%04X]", static_cast<unsigned>(value));
      out += escape;
      i += length;
      continue;
    } else {
      out += c;
    }
    ++i;
  }
  if (!out.empty() && out.front() == '.') out.insert(0, "\\&");
  return out;
}

std::string ManPage::Roff() const {
  std::ostringstream out;
  out << ".\\\" Made from the program's --help by ordavin-manpage: change the help, not this.\n"
      << ".TH " << RoffText(Upper(program)) << ' ' << section << " \"" << RoffText(date) << "\" \""
      << RoffText(source) << "\" \"User Commands\"\n"
      << ".SH NAME\n"
      << RoffText(program) << " \\- " << RoffText(Summary(help)) << '\n';

  out << ".SH SYNOPSIS\n";
  WriteUsage(out, program, help.usage);
  for (const CommandHelp& command : commands) {
    if (command.page.usage.empty()) continue;
    out << ".br\n";
    WriteUsage(out, program + ' ' + command.path, command.page.usage);
  }

  out << ".SH DESCRIPTION\n";
  for (const Paragraph& paragraph : help.description) WriteParagraphs(out, paragraph);
  for (const Paragraph& paragraph : help.notes) {
    if (!IsExitCodes(paragraph)) WriteParagraphs(out, paragraph);
  }

  for (const HelpList& list : help.lists) {
    if (list.title == "Subcommands" && !commands.empty()) continue;
    out << ".SH " << RoffText(Upper(list.title)) << '\n';
    WriteList(out, list);
  }

  if (!commands.empty()) out << ".SH COMMANDS\n";
  for (const CommandHelp& command : commands) {
    out << ".SS \"" << RoffText(command.path) << "\"\n";
    for (const Paragraph& paragraph : command.page.description) {
      for (const std::string& line : paragraph) out << RoffText(line) << '\n';
    }
    if (!command.page.usage.empty()) {
      out << ".PP\n";
      WriteUsage(out, program + ' ' + command.path, command.page.usage);
    }
    for (const HelpList& list : command.page.lists) {
      out << ".PP\n" << RoffText(list.title) << ":\n";
      WriteList(out, list);
    }
    for (const Paragraph& paragraph : command.page.notes) WriteParagraphs(out, paragraph);
  }

  for (const Paragraph& paragraph : help.notes) {
    if (!IsExitCodes(paragraph)) continue;
    out << ".SH \"EXIT STATUS\"\n";
    WriteExitCodes(out, paragraph);
  }
  out << tail;
  if (!tail.empty() && tail.back() != '\n') out << '\n';
  return out.str();
}

}  // namespace ordavin::man
