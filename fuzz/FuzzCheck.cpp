#include "fuzz/FuzzTargets.h"

namespace ordavin::fuzz {

void Check(bool holds, const char* property) {
  if (!holds) throw FuzzCheckFailure(property);
}

}  // namespace ordavin::fuzz
