#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ordavin::cli {

// Appends text so that it can neither drive nor flood a terminal: each control character
// (below 0x20, and 0x7F) as \xHH, each byte of `backslashed` behind a backslash. A text
// longer than `limit` bytes is cut before the UTF-8 sequence that would straddle the limit
// and "..." marks the cut.
void AppendEscaped(std::string& out, std::string_view text, std::size_t limit,
                   std::string_view backslashed = {});

// The text as it may be echoed in a message: quoted, control characters, quotes and
// backslashes escaped, cut short when long so that a huge argument cannot flood the terminal.
std::string QuoteForMessage(std::string_view text);

// A multi-line message with each line escaped and cut short as AppendEscaped does; the line
// breaks stay.
std::string EscapeLines(std::string_view text, std::size_t lineLimit);

}  // namespace ordavin::cli
