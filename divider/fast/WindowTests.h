#pragma once

namespace ordavin::fast_divider {

// Which window bounds can reject anything at all.
struct WindowTests {
  bool seriesMin = false;
  bool seriesMax = false;
  bool parallelMin = false;
  bool parallelMax = false;
};

}  // namespace ordavin::fast_divider
