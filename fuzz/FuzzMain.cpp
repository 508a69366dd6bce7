// The libFuzzer entry point of one target, chosen by ORDAVIN_FUZZ_TARGET at compile time.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    ordavin::fuzz::ORDAVIN_FUZZ_TARGET(data, size);
  } catch (const ordavin::fuzz::FuzzCheckFailure& failure) {
    std::fprintf(stderr, "Property broken: %s\n", failure.what());
    std::abort();
  }
  return 0;
}
