#include "cli/TerminalText.h"

namespace ordavin::cli {
namespace {

// Enough to recognise an echoed value; a longer echo only buries the message.
constexpr std::size_t kEchoLimit = 40;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, std::size_t limit,
                   std::string_view backslashed) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t length = text.size();
  const bool cut = length > limit;
  if (cut) {
    length = limit;
    // Never split a UTF-8 sequence.
    while (length > 0 && IsContinuationByte(text[length])) --length;
  }
  for (const char c : text.substr(0, length)) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsControl(byte)) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      if (backslashed.find(c) != std::string_view::npos) out += '\\';
      out += c;
    }
  }
  if (cut) out += "...";
}

std::string QuoteForMessage(std::string_view text) {
  std::string quoted = "\"";
  AppendEscaped(quoted, text, kEchoLimit, "\"\\");
  quoted += '"';
  return quoted;
}

std::string EscapeLines(std::string_view text, std::size_t lineLimit) {
  std::string shown;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) end = text.size();
    AppendEscaped(shown, text.substr(start, end - start), lineLimit);
    if (!lastLine) shown += '\n';
    start = end + 1;
  }
  return shown;
}

}  // namespace ordavin::cli
