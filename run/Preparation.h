#pragma once

#include <string>
#include <vector>

namespace ordavin {

// A preparation's outcome: ready to run, or the refusals to show, in order.
struct Preparation {
  bool ready = false;
  std::vector<std::string> messages;
};

}  // namespace ordavin
