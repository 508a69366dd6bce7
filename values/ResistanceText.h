#pragma once

#include <optional>
#include <string_view>

namespace ordavin {

// A resistance as engineers write it, for fields and options (series files keep the plain
// grammar). A plain number reads exactly as ReadWholeNumber reads it. Otherwise a number
// with one multiplier letter, either after it ("4.7k", "10 k", "470R", "1meg") or in place
// of its decimal point ("4k7", "0R47", "R47", "k47"): p n u µ μ m (pico to milli), R r
// (ohms), k K, M and meg in any case (mega), G, T. An optional "Ω" or "ohm(s)" may end it,
// except after R, and white space may stand around it, between a number and a letter after
// it, and before the unit.
//
// Nothing for anything else: an exponent with a letter ("1e3k"), a point with a letter in
// its place ("1.5k7"), two letters ("4k7k"), a letter alone ("k"), other letters. The
// value is the decimal the text stands for, correctly rounded: "4k7" is 4700 exactly, as
// "4700" is. A sign is allowed as in plain numbers ("-4k7" is -4700, for the range check
// to refuse).
std::optional<double> ReadResistance(std::string_view text);

}  // namespace ordavin
