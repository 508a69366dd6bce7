#pragma once

namespace ordavin::testing {

// A test of many random cases stops after this many failing ones; one is usually enough to
// diagnose, and the rest would bury it.
inline constexpr int kFailuresShown = 5;

}  // namespace ordavin::testing
