#pragma once

#include <array>
#include <string_view>

namespace ordavin {

// The part of a series file that a keyword line selects; None before the first one.
enum class SeriesSection { None, BaseValues, Decades, Minimum, Maximum };

struct SeriesKeyword {
  std::string_view text;
  SeriesSection section;
};

// The keyword lines as a file must spell them: lower case, alone on their line.
inline constexpr std::array<SeriesKeyword, 4> kSeriesKeywords{{
    {"baseval", SeriesSection::BaseValues},
    {"decades", SeriesSection::Decades},
    {"minimum", SeriesSection::Minimum},
    {"maximum", SeriesSection::Maximum},
}};

}  // namespace ordavin
