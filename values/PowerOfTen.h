#pragma once

namespace ordavin {

// 10 to the power `exponent`, the same double on every platform for the whole exponents
// -22 to 22 (the ones a series' decades use): those are written out rather than left to the
// C library's pow, whose last bit differs between systems. Other exponents go to std::pow.
double PowerOfTen(double exponent);

}  // namespace ordavin
