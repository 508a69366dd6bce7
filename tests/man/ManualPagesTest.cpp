// The built manual pages against the programs' own help: every line of every command's
// --help is in ordavin-cli(1), every line of the window's --help in ordavin(1), each exit code
// has its entry, and man renders both pages without a warning.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/ExitCodes.h"
#include "resources/Strings.h"

namespace ordavin::man {
namespace {

const std::filesystem::path kPages = ORDAVIN_MAN_DIR;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The words a reader sees, a plain space between them: requests dropped (the arguments of
// headings kept), escapes turned back into their characters.
std::string PlainText(const std::string& roff) {
  std::istringstream lines(roff);
  std::string text;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(".\\\"") || line.starts_with(".TH")) continue;
    if (line.starts_with('.')) {
      const std::size_t space = line.find(' ');
      line = space == std::string::npos ? "" : line.substr(space + 1);
      std::erase(line, '"');
    }
    text += line + ' ';
  }
  static const std::regex font(R"(\\f[BIRP])");
  text = std::regex_replace(text, font, "");
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      plain += text[i];
      continue;
    }
    const std::string rest = text.substr(i + 1, 8);
    if (rest.starts_with('-')) {
      plain += '-';
      i += 1;
    } else if (rest.starts_with('e')) {
      plain += '\\';
      i += 1;
    } else if (rest.starts_with('&')) {
      i += 1;
    } else if (rest.starts_with("(aq") || rest.starts_with("(ga") || rest.starts_with("(ha") ||
               rest.starts_with("(ti")) {
      plain += rest[1] == 'a' ? '\'' : rest[1] == 'g' ? '`' : rest[2] == 'a' ? '^' : '~';
      i += 3;
    } else if (rest.starts_with("[u")) {
      const std::size_t close = rest.find(']');
      AppendUtf8(plain, std::stoul(rest.substr(2, close - 2), nullptr, 16));
      i += close + 1;
    } else {
      ADD_FAILURE() << "unknown escape \\" << rest;
      plain += text[i];
    }
  }
  return plain;
}

// Runs of blanks as one space, semicolons dropped (the exit codes become a list).
std::string Normalised(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ';') continue;
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The help's lines that must be on the page as written: all but list titles and the labels
// that become headings ("Usage:", "Exit codes:").
std::vector<std::string> LinesToFind(const std::string& help) {
  static const std::regex title(R"(^[A-Za-z]+:$)");
  static const std::regex heading(R"(^(Usage|Exit codes): )");
  std::vector<std::string> lines;
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);) {
    line = Normalised(line);
    if (line.empty() || std::regex_match(line, title)) continue;
    lines.push_back(std::regex_replace(line, heading, ""));
  }
  return lines;
}

// The names under "Subcommands:", as the help lists them.
std::vector<std::string> Subcommands(const std::string& help) {
  std::vector<std::string> names;
  std::istringstream in(help);
  bool inList = false;
  for (std::string line; std::getline(in, line);) {
    if (line == "Subcommands:") {
      inList = true;
    } else if (inList && line.starts_with("  ")) {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    } else {
      inList = false;
    }
  }
  return names;
}

std::string CliHelp(const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  arguments.emplace_back("--help");
  const cli::testing::CliResult run = cli::testing::RunCli(arguments);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return run.out;
}

void ExpectEveryLineOnThePage(const std::string& help, const std::string& page,
                              const std::string& command) {
  for (const std::string& line : LinesToFind(help)) {
    EXPECT_NE(page.find(line), std::string::npos) << "'" << command << "' help line: " << line;
  }
}

TEST(ManualPagesTest, EveryCommandOptionDefaultAndRangeOfTheCliIsOnItsPage) {
  const std::string page = Normalised(PlainText(ReadFile(kPages / "ordavin-cli.1")));
  ASSERT_FALSE(page.empty());
  std::vector<std::vector<std::string>> pending{{}};
  int commands = 0;
  while (!pending.empty()) {
    const std::vector<std::string> command = pending.back();
    pending.pop_back();
    const std::string help = CliHelp(command);
    std::string name = "ordavin-cli";
    for (const std::string& word : command) name += ' ' + word;
    ExpectEveryLineOnThePage(help, page, name);
    if (!command.empty()) {
      ++commands;
      EXPECT_NE(page.find("COMMANDS"), std::string::npos);
      std::string heading;
      for (const std::string& word : command) {
        if (!heading.empty()) heading += ' ';
        heading += word;
      }
      EXPECT_NE(page.find(' ' + heading + ' '), std::string::npos) << heading;
    }
    for (const std::string& below : Subcommands(help)) {
      std::vector<std::string> next = command;
      next.push_back(below);
      pending.push_back(next);
    }
  }
  // values, check, divider, target, calc and its two calculators.
  EXPECT_EQ(commands, 7);
}

TEST(ManualPagesTest, EachExitCodeHasItsEntry) {
  const std::string roff = ReadFile(kPages / "ordavin-cli.1");
  const std::size_t status = roff.find(".SH \"EXIT STATUS\"\n");
  ASSERT_NE(status, std::string::npos);
  const std::string section = roff.substr(status, roff.find("\n.SH ", status + 1) - status);
  for (const int code :
       {cli::kExitSuccess, cli::kExitRefused, cli::kExitUsage, cli::kExitInterrupted}) {
    EXPECT_NE(section.find(".TP\n\\fB" + std::to_string(code) + "\\fR\n"), std::string::npos)
        << code;
  }
}

#ifdef ORDAVIN_WINDOW_PAGE
TEST(ManualPagesTest, EveryLineOfTheWindowsHelpIsOnItsPage) {
  const std::string page = Normalised(PlainText(ReadFile(kPages / "ordavin.1")));
  ASSERT_FALSE(page.empty());
  ExpectEveryLineOnThePage(resources::kCommandLineHelp, page, "ordavin");
  EXPECT_NE(page.find("NAME ordavin - Picks standard resistor values by exhaustive search, in a "
                      "window SYNOPSIS ordavin [--help] [--version]"),
            std::string::npos);
}
#endif

TEST(ManualPagesTest, PagesNameTheirSections) {
  const std::string cli = ReadFile(kPages / "ordavin-cli.1");
  for (const char* section : {".SH NAME\nordavin\\-cli \\- ", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n",
                              ".SH OPTIONS\n", ".SH COMMANDS\n", ".SH \"EXIT STATUS\"\n",
                              ".SH EXAMPLES\n", ".SH FILES\n", ".SH \"SEE ALSO\"\n"}) {
    EXPECT_NE(cli.find(section), std::string::npos) << section;
  }
#ifdef ORDAVIN_WINDOW_PAGE
  const std::string window = ReadFile(kPages / "ordavin.1");
  for (const char* section : {".SH NAME\nordavin \\- ", ".SH OPTIONS\n", ".SH FILES\n"}) {
    EXPECT_NE(window.find(section), std::string::npos) << section;
  }
#endif
}

// man itself, where it is installed (the package check installs it): no warning at 80 columns.
TEST(ManualPagesTest, ManRendersThePagesWithoutWarnings) {
  if (!std::filesystem::exists("/usr/bin/man")) GTEST_SKIP() << "man is not installed";
  std::vector<std::string> pages{"ordavin-cli.1"};
#ifdef ORDAVIN_WINDOW_PAGE
  pages.emplace_back("ordavin.1");
#endif
  for (const std::string& page : pages) {
    const std::string command =
        "MANWIDTH=80 man --warnings -l '" + (kPages / page).string() + "' 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string warnings;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) warnings += buffer;
    EXPECT_EQ(pclose(pipe), 0) << page;
    EXPECT_EQ(warnings, "") << page;
  }
}

}  // namespace
}  // namespace ordavin::man
