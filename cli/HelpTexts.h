#pragma once

// The fixed paragraphs at the foot of each command's help.
namespace ordavin::cli {

inline constexpr const char* kMainFooter =
    R"(Numbers: an optional sign, digits with an optional decimal point and an optional
exponent, as in 4700, 4.7e3 or -1.25. Commas, inf, nan and hexadecimal are not numbers.

Resistances (--source, --load, --target, the windows and both sides of a --factor ratio)
also take a letter code, the multiplier in place of the decimal point or after the number:
4k7, 4K7, 4.7k, 10 k, R47, 0R47, 470R, 1M5, 1meg, 2G2. Multipliers: p n u (or µ) m R k K
M meg G T; m is milli, M and meg (any case) mega. A trailing ohm or Ω may follow, except
after R. One scale only: 1e3k, 4k7k and 1.5k7 are refused.

Exit codes: 0 the command ran (a search that found no match included); 1 the series file
could not be loaded or the search was refused, the reason on stderr, or check found
something; 2 bad usage or a value outside its range; 130 Ctrl-C stopped the search (its
best matches were printed).

During a search on a terminal, stderr shows how many combinations were checked. Ctrl-C
stops the search and the best matches among those checked are printed; a second Ctrl-C
ends the program at once.)";

inline constexpr const char* kCalcFooter =
    R"(Prints the factor with 8 decimals, as the calculator writes it into the division-factor
field, ready for divider --factor. Voltages the calculator rejects give its message on
stderr and exit code 1.)";

inline constexpr const char* kValuesFooter =
    R"(Text: one line per value, its 0-based position in the full set (as --untick takes it),
a tab and the value in engineering notation; then "N resistor values loaded."
JSON: {"count": N, "values": [ohms...], "texts": [text...]})";

inline constexpr const char* kCheckFooter =
    R"(Reads the file as the other commands load it and reports, one line each, what that
reading drops or misreads: tokens skipped or read only in part (4k7 is read as 4), numbers
joined by a tab, lines that look like a misspelt keyword or come before the first keyword,
a byte-order mark, values that are zero, negative or out of range, a minimum above the
maximum, a file that gives no values, and the errors that stop a load.
Text: FILE:LINE:COLUMN: message (FILE: message for the whole file); columns count bytes
from 1. Nothing is written when nothing is found.
JSON: {"file", "count" (the values the file gives), "findings": [{"line", "column", "kind",
"message", "text"}], "omitted"}; line and column are 0 for the whole file. At most 1000
findings are listed; "omitted" counts the rest.
Exit codes: 0 nothing found; 1 something found or the file could not be loaded.)";

inline constexpr const char* kDividerFooter =
    R"(Text: the results table, best first, then the summary (combinations checked, matching,
time taken). Stderr ends with "Optimization finished" or "Optimization aborted by user".
JSON: {"kind":"divider", "target_factor", "working_set", "visited", "matching", "seconds",
"aborted", "matches": [{"rank", "upper_indices", "lower_indices", "upper", "lower",
"upper_mode", "lower_mode", "ru_total", "rl_total", "rser_total", "rpar_total",
"division_factor", "error", "ru_text", "rl_text", "error_text"}]}. Indices are positions
in working_set. Numbers that are not finite are written as "inf", "-inf" or "nan".
CSV (--format csv): the table's columns and titles, one record per match, best first, as the
window's Save as CSV... writes them: RFC 4180, UTF-8, CRLF line ends; the rank and every
figure as its exact number (ohms, factors, relative errors such as -0.0012), the resistor
lists as shown. The summary goes to stderr.)";

inline constexpr const char* kTargetFooter =
    R"(Text: the results table, best first, then the summary (combinations checked, matching,
time taken). Stderr ends with "Optimization finished" or "Optimization aborted by user".
JSON: {"kind":"target", "working_set", "visited", "matching", "seconds", "aborted",
"matches": [{"rank", "indices", "resistors", "parallel", "network", "total", "error",
"resistors_text", "total_text", "error_text"}]}. Indices are positions in working_set, in
the network's order. "network" is the structure: a position for one resistor,
{"series": [part, ...]} or {"parallel": [part, ...]} for a connection, as
{"series": [0, {"parallel": [1, 2]}]}; "parallel" is null for mixed networks.
CSV (--format csv): the table's columns and titles, one record per match, best first, as the
window's Save as CSV... writes them: RFC 4180, UTF-8, CRLF line ends; the rank, the total in
ohms and the relative error as exact numbers, the resistors as shown. The summary goes to
stderr.)";

inline constexpr const char* kResultChecksFooter =
    R"(--part-tolerance X: every resistor may sit anywhere within its value ±X, each on its own
(source and load exact). Each JSON match gets "worst_case": {"part_tolerance", "lowest",
"highest" (the factor or total at its extremes), "lowest_error", "highest_error" (against
the target), "within_tolerance" (whether the whole band passes the search's tolerance)};
the text table gets two columns, Worst case low and Worst case high, with those errors.
--voltage U: each JSON match gets "power": {"voltage", "total_current", "highest" (the
0-based index of the resistor dissipating most), "resistors": [{"designator", "ohms",
"current", "power"}]}; amperes and watts, the resistors R1, R2, ... in the row's order
(a divider's upper network first). Without these options the output is unchanged.)";

}  // namespace ordavin::cli
