// Manual pages in roff: the escaping of help texts and the page's layout.
#include <gtest/gtest.h>

#include <string>

#include "man/HelpPage.h"
#include "man/ManPage.h"

namespace ordavin::man {
namespace {

TEST(ManPageTest, RoffTextEscapesWhatRoffWouldReadAsItsOwn) {
  EXPECT_EQ(RoffText("--series PATH"), "\\-\\-series PATH");
  EXPECT_EQ(RoffText("a\\b"), "a\\eb");
  EXPECT_EQ(RoffText("the window's `values` 10^(-DB/20) ~/x"),
            "the window\\(aqs \\(gavalues\\(ga 10\\(ha(\\-DB/20) \\(ti/x");
  EXPECT_EQ(RoffText(".SER files"), "\\&.SER files");
  EXPECT_EQ(RoffText("4.7k, Save as CSV..."), "4.7k, Save as CSV...");
  EXPECT_EQ(RoffText("\"quoted\""), "\"quoted\"");
}

TEST(ManPageTest, RoffTextNamesCharactersBeyondAscii) {
  EXPECT_EQ(RoffText("µ Ω"), "\\[u00B5] \\[u03A9]");
  EXPECT_EQ(RoffText("‖"), "\\[u2016]");
  EXPECT_EQ(RoffText("\xF0\x9F\x98\x80"), "\\[u1F600]");
  // Bytes that are not UTF-8 stand for themselves, and the text after them is kept.
  EXPECT_EQ(RoffText("a\xFF"
                     "b"),
            "a\\[u00FF]b");
  EXPECT_EQ(RoffText("\xCE"), "\\[u00CE]");
  EXPECT_EQ(RoffText("\xE2\x80x"), "\\[u00E2]\\[u0080]x");
}

ManPage SmallPage() {
  ManPage page;
  page.program = "prog";
  page.section = "1";
  page.date = "2026-12-07";
  page.source = "Prog 1.0";
  page.help = ReadHelpPage(
      "Picks values. Fast.\n"
      "Usage: prog [OPTIONS] [SUBCOMMAND]\n"
      "\n"
      "Options:\n"
      "  -h,--help     Print help\n"
      "\n"
      "Subcommands:\n"
      "  run           Run it\n"
      "\n"
      "Numbers: 4.7e3\n"
      "or -1.\n"
      "\n"
      "Exit codes: 0 it ran (with\n"
      "or without matches); 1 refused; 130 Ctrl-C stopped it.\n");
  page.commands.push_back({"run", ReadHelpPage("Run it\n"
                                               "Usage: prog run [OPTIONS] N\n"
                                               "\n"
                                               "Positionals:\n"
                                               "  N REQUIRED    How many, 1 to 4\n"
                                               "\n"
                                               "Options:\n"
                                               "  --fast=off    Be fast\n"
                                               "\n"
                                               "Text: a table.\n"
                                               "JSON: an object.\n")});
  page.tail = ".SH \"SEE ALSO\"\n.BR other (1)";
  return page;
}

TEST(ManPageTest, APageHasItsSectionsInManOrder) {
  EXPECT_EQ(SmallPage().Roff(),
            ".\\\" Made from the program's --help by ordavin-manpage: change the help, not this.\n"
            ".TH PROG 1 \"2026\\-12\\-07\" \"Prog 1.0\" \"User Commands\"\n"
            ".SH NAME\n"
            "prog \\- Picks values\n"
            ".SH SYNOPSIS\n"
            "\\fBprog\\fR [OPTIONS] [SUBCOMMAND]\n"
            ".br\n"
            "\\fBprog run\\fR [OPTIONS] N\n"
            ".SH DESCRIPTION\n"
            ".PP\n"
            "Picks values. Fast.\n"
            ".PP\n"
            "Numbers: 4.7e3\n"
            "or \\-1.\n"
            ".SH OPTIONS\n"
            ".TP\n"
            "\\fB\\-h,\\-\\-help\\fR\n"
            "Print help\n"
            ".SH COMMANDS\n"
            ".SS \"run\"\n"
            "Run it\n"
            ".PP\n"
            "\\fBprog run\\fR [OPTIONS] N\n"
            ".PP\n"
            "Positionals:\n"
            ".TP\n"
            "\\fIN\\fR REQUIRED\n"
            "How many, 1 to 4\n"
            ".PP\n"
            "Options:\n"
            ".TP\n"
            "\\fB\\-\\-fast=off\\fR\n"
            "Be fast\n"
            ".PP\n"
            "Text: a table.\n"
            ".PP\n"
            "JSON: an object.\n"
            ".SH \"EXIT STATUS\"\n"
            ".TP\n"
            "\\fB0\\fR\n"
            "it ran (with or without matches)\n"
            ".TP\n"
            "\\fB1\\fR\n"
            "refused\n"
            ".TP\n"
            "\\fB130\\fR\n"
            "Ctrl\\-C stopped it.\n"
            ".SH \"SEE ALSO\"\n"
            ".BR other (1)\n");
}

// Exit codes that are not a list of numbers stay a paragraph; a page without commands has no
// COMMANDS section, and its subcommand list, if any, stays a list.
TEST(ManPageTest, PagesWithoutCommandsOrNumberedExitCodes) {
  ManPage page;
  page.program = "win";
  page.section = "1";
  page.help = ReadHelpPage(
      "Usage: win\n"
      "\n"
      "A window.\n"
      "\n"
      "Options:\n"
      "  --help  Help\n"
      "\n"
      "Exit codes: as the toolkit says.\n");
  const std::string roff = page.Roff();
  EXPECT_EQ(roff.find(".SH COMMANDS"), std::string::npos);
  EXPECT_NE(roff.find("win \\- A window\n"), std::string::npos);
  EXPECT_NE(roff.find(".SH \"EXIT STATUS\"\n.PP\nas the toolkit says.\n"), std::string::npos);
}

}  // namespace
}  // namespace ordavin::man
