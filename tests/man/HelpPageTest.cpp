// Help texts read into their parts, in the layouts the two programs print.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "man/HelpPage.h"

namespace ordavin::man {
namespace {

std::vector<std::string> Tags(const HelpList& list) {
  std::vector<std::string> tags;
  for (const HelpItem& item : list.items) tags.push_back(item.tag);
  return tags;
}

// CLI11's layout: texts at column 30, a tag that reaches it with its text on the next line
// (also when it has a space just before the column), and a tag one short of it followed by a
// single space.
TEST(HelpPageTest, ReadsTheCommandLineLayout) {
  const HelpPage page = ReadHelpPage(
      "Find resistors. For a target.\n"
      "Usage: prog target [OPTIONS]\n"
      "\n"
      "Options:\n"
      "  -h,--help                   Print this help message and exit\n"
      "  --format text|json|csv=text Write the results as text\n"
      "  --connection both|parallel|series=both\n"
      "                              Try the resistors in parallel\n"
      "  --force                     Start the search\n"
      "  --abcdefghijklmnopqrstuvwxy MAX\n"
      "                              Its text\n"
      "\n"
      "Text: the table, best first,\n"
      "then the summary.\n"
      "JSON: {\"kind\":\"target\"}\n"
      "\n"
      "Exit codes: 0 ran; 2 bad usage.\n");
  EXPECT_EQ(page.usage, "prog target [OPTIONS]");
  ASSERT_EQ(page.description.size(), 1U);
  EXPECT_EQ(page.description[0], Paragraph{"Find resistors. For a target."});
  ASSERT_EQ(page.lists.size(), 1U);
  EXPECT_EQ(page.lists[0].title, "Options");
  const std::vector<HelpItem>& items = page.lists[0].items;
  ASSERT_EQ(items.size(), 5U);
  EXPECT_EQ(items[0].tag, "-h,--help");
  EXPECT_EQ(items[0].text, "Print this help message and exit");
  EXPECT_EQ(items[1].tag, "--format text|json|csv=text");
  EXPECT_EQ(items[1].text, "Write the results as text");
  EXPECT_EQ(items[2].tag, "--connection both|parallel|series=both");
  EXPECT_EQ(items[2].text, "Try the resistors in parallel");
  EXPECT_EQ(items[3].tag, "--force");
  EXPECT_EQ(items[3].text, "Start the search");
  EXPECT_EQ(items[4].tag, "--abcdefghijklmnopqrstuvwxy MAX");
  EXPECT_EQ(items[4].text, "Its text");
  ASSERT_EQ(page.notes.size(), 2U);
  EXPECT_EQ(page.notes[0], (Paragraph{"Text: the table, best first,", "then the summary.",
                                      "JSON: {\"kind\":\"target\"}"}));
  EXPECT_EQ(page.notes[1], Paragraph{"Exit codes: 0 ran; 2 bad usage."});
  EXPECT_TRUE(page.Subcommands().empty());
}

// The window's layout: usage first, a narrower column, texts continued on indented lines.
TEST(HelpPageTest, ReadsTheWindowLayoutWithContinuedTexts) {
  const HelpPage page = ReadHelpPage(
      "Usage: win [--help]\n"
      "\n"
      "Picks values, in a window. The chooser\n"
      "lists files.\n"
      "\n"
      "Options:\n"
      "  --help           Print this help\n"
      "  --startup-check  Open the window and\n"
      "                   quit\n"
      "\n"
      "Toolkit options are accepted too.\n");
  EXPECT_EQ(page.usage, "win [--help]");
  ASSERT_EQ(page.description.size(), 1U);
  EXPECT_EQ(page.description[0],
            (Paragraph{"Picks values, in a window. The chooser", "lists files."}));
  ASSERT_EQ(page.lists.size(), 1U);
  ASSERT_EQ(page.lists[0].items.size(), 2U);
  EXPECT_EQ(page.lists[0].items[1].tag, "--startup-check");
  EXPECT_EQ(page.lists[0].items[1].text, "Open the window and quit");
  ASSERT_EQ(page.notes.size(), 1U);
  EXPECT_EQ(page.notes[0], Paragraph{"Toolkit options are accepted too."});
}

TEST(HelpPageTest, SubcommandsAndPositionalsAreListsOfTheirOwn) {
  const HelpPage page = ReadHelpPage(
      "Compute.\n"
      "Usage: prog calc [OPTIONS] [SUBCOMMAND]\n"
      "\n"
      "Positionals:\n"
      "  DB REQUIRED                 Attenuation in dB, 0 to 300\n"
      "\n"
      "Subcommands:\n"
      "  attenuator                  The division factor\n"
      "  regulator                   The feedback divider\n");
  ASSERT_EQ(page.lists.size(), 2U);
  EXPECT_EQ(page.lists[0].title, "Positionals");
  EXPECT_EQ(page.lists[0].items[0].tag, "DB REQUIRED");
  EXPECT_EQ(page.lists[0].items[0].text, "Attenuation in dB, 0 to 300");
  EXPECT_EQ(page.Subcommands(), (std::vector<std::string>{"attenuator", "regulator"}));
  EXPECT_TRUE(page.notes.empty());
}

// Tags alone, all indented alike, are each an entry: none is taken for the text of another.
TEST(HelpPageTest, TagsWithoutTextsStayApart) {
  const HelpPage page = ReadHelpPage("Options:\n  --one\n  --two\n  --three\n");
  ASSERT_EQ(page.lists.size(), 1U);
  EXPECT_EQ(Tags(page.lists[0]), (std::vector<std::string>{"--one", "--two", "--three"}));
  for (const HelpItem& item : page.lists[0].items) EXPECT_EQ(item.text, "");
}

// A line of prose ending in a colon is no list title unless indented entries follow it;
// carriage returns and trailing blanks are not part of the text.
TEST(HelpPageTest, ProseEndingInAColonAndWindowsLineEndsAreProse) {
  const HelpPage page = ReadHelpPage(
      "Formats:\r\n"
      "text, json or csv.  \r\n"
      "\r\n"
      "Options:\r\n"
      "  --json    As JSON \r\n");
  ASSERT_EQ(page.description.size(), 1U);
  EXPECT_EQ(page.description[0], (Paragraph{"Formats:", "text, json or csv."}));
  ASSERT_EQ(page.lists.size(), 1U);
  EXPECT_EQ(page.lists[0].items[0].text, "As JSON");
}

TEST(HelpPageTest, EmptyTextGivesAnEmptyPage) {
  const HelpPage page = ReadHelpPage("");
  EXPECT_EQ(page.usage, "");
  EXPECT_TRUE(page.description.empty());
  EXPECT_TRUE(page.lists.empty());
  EXPECT_TRUE(page.notes.empty());
}

}  // namespace
}  // namespace ordavin::man
