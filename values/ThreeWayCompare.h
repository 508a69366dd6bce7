#pragma once

namespace ordavin {

// 1, -1 or 0 as a list view's sort callback wants it; 0 also when the keys are unordered
// (a NaN on either side).
template <typename T>
int ThreeWayCompare(T a, T b) {
  if (a > b) return 1;
  if (a < b) return -1;
  return 0;
}

}  // namespace ordavin
