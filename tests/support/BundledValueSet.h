#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "values/ValueSet.h"

namespace ordavin::testing {

// The whole working set of one of the bundled series files ("E24.SER"). Needs
// ORDAVIN_SERIES_DIR, which the core tests define.
inline ValueSet LoadBundled(const char* name) {
  ValueSet set;
  EXPECT_TRUE(set.LoadSeriesFile(std::filesystem::path(ORDAVIN_SERIES_DIR) / name));
  set.GenerateValues();
  set.ResetWorkingSet();
  return set;
}

}  // namespace ordavin::testing
