#pragma once

#include "support/SeriesText.h"
#include "support/TempDir.h"

namespace ordavin::cli::testing {

// The series files of a test live in a folder of their own, removed afterwards.
using ordavin::testing::SeriesText;
using ordavin::testing::TempDir;

}  // namespace ordavin::cli::testing
