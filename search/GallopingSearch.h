#pragma once

// Finding where a monotone predicate turns true in a sorted range when a good guess is at
// hand: gallop out from the guess in doubling steps, then bisect what is left. Costs
// O(log distance) instead of O(log size), which matters when consecutive searches land close
// to each other.
#include <algorithm>
#include <cstdint>

namespace ordavin {

// The first index of [lo, hi) where pred, false and then true along the range, is true; hi
// when it never is, found by bisection. pred is called only inside [lo, hi).
template <class Index, class Pred>
Index FirstTrue(Index lo, Index hi, const Pred& pred) {
  while (lo < hi) {
    const Index mid = lo + (hi - lo) / 2;
    if (pred(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

// The same, galloping out from `guess`.
template <class Pred>
std::uint64_t GallopFirstTrue(std::uint64_t lo, std::uint64_t hi, std::uint64_t guess,
                              const Pred& pred) {
  if (lo >= hi) return hi;
  guess = std::clamp(guess, lo, hi - 1);
  std::uint64_t left = 0;   // everything before is false
  std::uint64_t right = 0;  // true there, or hi
  std::uint64_t step = 1;
  if (pred(guess)) {
    right = guess;
    for (;;) {
      if (right - lo < step) {
        left = lo;
        break;
      }
      const std::uint64_t probe = right - step;
      if (!pred(probe)) {
        left = probe + 1;
        break;
      }
      right = probe;
      step *= 2;
    }
  } else {
    left = guess + 1;
    for (;;) {
      if (hi - left < step) {
        right = hi;
        break;
      }
      const std::uint64_t probe = left + step - 1;
      if (pred(probe)) {
        right = probe;
        break;
      }
      left = probe + 1;
      step *= 2;
    }
  }
  return FirstTrue(left, right, pred);
}

}  // namespace ordavin
