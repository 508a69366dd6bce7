#include <gtest/gtest.h>

#include <string>

#include "cli/TerminalText.h"

namespace ordavin::cli {
namespace {

TEST(TerminalTextTest, EchoedTextsAreQuotedEscapedAndShort) {
  EXPECT_EQ(QuoteForMessage("abc"), "\"abc\"");
  EXPECT_EQ(QuoteForMessage("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(QuoteForMessage("\x1b[2J\r\n\x7f"), "\"\\x1b[2J\\x0d\\x0a\\x7f\"");
  EXPECT_EQ(QuoteForMessage(std::string(41, 'x')), "\"" + std::string(40, 'x') + "...\"");
  EXPECT_EQ(QuoteForMessage(std::string(40, 'x')), "\"" + std::string(40, 'x') + "\"");
  // Cut before a character that would straddle the limit, never inside it.
  const std::string omegas = std::string(39, 'x') + "\u2126\u2126";
  EXPECT_EQ(QuoteForMessage(omegas), "\"" + std::string(39, 'x') + "...\"");
  EXPECT_EQ(QuoteForMessage("\u2126"), "\"\u2126\"");
}

TEST(TerminalTextTest, MessagesKeepTheirLinesEachEscapedAndCut) {
  EXPECT_EQ(EscapeLines("", 5), "");
  EXPECT_EQ(EscapeLines("a\x1b[2J\nb\x07\n", 10), "a\\x1b[2J\nb\\x07\n");
  // Quotes and backslashes stay as they are; only control characters are escaped.
  EXPECT_EQ(EscapeLines("\"a\\b\"", 10), "\"a\\b\"");
  EXPECT_EQ(EscapeLines("123456\n12345\n\u2126\u2126", 5), "12345...\n12345\n\u2126...");
}

TEST(TerminalTextTest, AppendEscapedAddsToWhatIsThere) {
  std::string out = "x=";
  AppendEscaped(out, "a\tb", 10);
  EXPECT_EQ(out, "x=a\\x09b");
  AppendEscaped(out, "'q'", 2, "'");
  EXPECT_EQ(out, "x=a\\x09b\\'q...");
}

}  // namespace
}  // namespace ordavin::cli
