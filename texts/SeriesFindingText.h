#pragma once

#include <string>

#include "values/SeriesFinding.h"

namespace ordavin {

// What a finding of the series check says, in one line for people:
// '4k7' is read as 4 (the rest, 'k7', is ignored)
// Texts from the file are quoted, a tab shown as \t and other control characters as \xHH.
std::string DescribeSeriesFinding(const SeriesFinding& finding);

}  // namespace ordavin
