#pragma once

namespace ordavin::cli {

// Makes the standard streams carry the program's bytes as they are: on Windows the console
// is told the text is UTF-8 (the ohm and micro signs) and both streams leave "\n" alone, so
// that JSON and CSV are the same bytes as on other systems. Nothing to do elsewhere.
void PrepareStandardStreams();

// Whether standard error is a terminal that can show the progress line, which rewrites
// itself with "\r" and an ANSI clear-line sequence (on Windows: a console that accepts
// them once asked to).
bool ErrorStreamIsTerminal();

}  // namespace ordavin::cli
